// A stand-in for the crash-report program: opens the shared block named by --smname=, looks at
// the crashed process the way a report program would, and writes what it found as "key=value"
// lines (UTF-16) to the file named by LUMETTA_STANDIN_OUT.
#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>
#include <string>

#include "screenshot/diagnostics/CScopedHandle.h"
#include "screenshot/diagnostics/CSharingMemory.h"
#include "screenshot/diagnostics/exception_context.h"

namespace {

std::wstring Hex(DWORD value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%08lX", static_cast<unsigned long>(value));
  return text;
}

std::wstring Dec(DWORD value) { return std::to_wstring(value); }

std::wstring Utf16(const char16_t* text) {
  std::wstring s;
  while (*text) s += static_cast<wchar_t>(*text++);
  return s;
}

// Everything after a field's terminator must be zero.
template <size_t N>
bool ZeroBehindText(const char16_t (&field)[N]) {
  size_t i = 0;
  while (i < N && field[i]) ++i;
  for (; i < N; ++i) {
    if (field[i]) return false;
  }
  return true;
}

// The file name of the module of `pid` that holds `address`, or "?".
std::wstring ModuleOf(DWORD pid, DWORD address) {
  CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snapshot) return L"?";
  MODULEENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
       more = Module32NextW(snapshot.get(), &entry)) {
    const DWORD base = static_cast<DWORD>(reinterpret_cast<uintptr_t>(entry.modBaseAddr));
    if (address >= base && address - base < entry.modBaseSize) return entry.szModule;
  }
  return L"?";
}

// How many other threads of `pid` there are, and how many of them were found suspended.
void CountSuspended(DWORD pid, DWORD crashed_thread, int* others, int* suspended) {
  *others = *suspended = 0;
  CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == crashed_thread) continue;
    ++*others;
    CScopedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
    if (!thread) continue;
    const DWORD previous = SuspendThread(thread.get());  // the count before ours
    if (previous != static_cast<DWORD>(-1)) {
      if (previous >= 1) ++*suspended;
      ResumeThread(thread.get());
    }
  }
}

void Line(std::wstring* out, const wchar_t* key, const std::wstring& value) {
  *out += key;
  *out += L'=';
  *out += value;
  *out += L'\n';
}

}  // namespace

int main() {
  wchar_t out_path[MAX_PATH];
  if (!GetEnvironmentVariableW(L"LUMETTA_STANDIN_OUT", out_path, MAX_PATH)) return 2;

  std::wstring report;
  const std::wstring received = GetCommandLineW();
  Line(&report, L"received", received);
  const size_t at = received.find(L"--smname=");
  const std::wstring name = at == std::wstring::npos ? L"" : received.substr(at + 9);
  Line(&report, L"smname", name);

  CSharingMemory<CVExceptionContext> shared;
  if (!shared.Open(name.c_str(), false)) {
    Line(&report, L"opened", L"0 " + Hex(GetLastError()));
  } else {
    const CVExceptionContext& block = *shared.Get();
    CONTEXT context;
    memcpy(&context, block.thread_context, sizeof(context));
    Line(&report, L"opened", L"1");
    Line(&report, L"reserved", Hex(block.reserved));
    Line(&report, L"address", Hex(block.exception_address));
    Line(&report, L"pointers", Hex(block.exception_pointers));
    Line(&report, L"code", Hex(block.exception_code));
    Line(&report, L"pid", Dec(block.process_id));
    Line(&report, L"tid", Dec(block.thread_id));
    Line(&report, L"eip", Hex(context.Eip));
    Line(&report, L"command_line", Utf16(block.command_line));
    Line(&report, L"first_name", Utf16(block.first_name));
    Line(&report, L"second_name", Utf16(block.second_name));
    Line(&report, L"zero_behind_text",
         ZeroBehindText(block.command_line) && ZeroBehindText(block.first_name) &&
                 ZeroBehindText(block.second_name)
             ? L"1"
             : L"0");
    MEMORY_BASIC_INFORMATION view;
    VirtualQuery(shared.Get(), &view, sizeof(view));
    Line(&report, L"view_size", Dec(static_cast<DWORD>(view.RegionSize)));

    Line(&report, L"address_module", ModuleOf(block.process_id, block.exception_address));
    Line(&report, L"eip_module", ModuleOf(block.process_id, context.Eip));

    // What the pointer field is for: the exception as the crashed process holds it.
    CScopedHandle process(
        OpenProcess(PROCESS_VM_READ | PROCESS_QUERY_INFORMATION, FALSE, block.process_id));
    EXCEPTION_POINTERS pointers = {};
    EXCEPTION_RECORD record = {};
    CONTEXT live = {};
    SIZE_T n = 0;
    const void* where = reinterpret_cast<const void*>(uintptr_t{block.exception_pointers});
    if (process &&
        ReadProcessMemory(process.get(), where, &pointers, sizeof(pointers), &n) &&
        ReadProcessMemory(process.get(), pointers.ExceptionRecord, &record, sizeof(record), &n) &&
        ReadProcessMemory(process.get(), pointers.ContextRecord, &live, sizeof(live), &n)) {
      Line(&report, L"ep_code", Hex(record.ExceptionCode));
      Line(&report, L"ep_eip", Hex(live.Eip));
    } else {
      Line(&report, L"ep_code", L"unreadable " + Hex(GetLastError()));
    }

    int others = 0, suspended = 0;
    CountSuspended(block.process_id, block.thread_id, &others, &suspended);
    Line(&report, L"other_threads", Dec(others));
    Line(&report, L"suspended_threads", Dec(suspended));
  }

  CScopedHandle file(CreateFileW(out_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 3;
  DWORD written = 0;
  WriteFile(file.get(), report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)),
            &written, nullptr);
  return 0;
}
