// A stand-in for the crash-report program: opens the shared block named by --smname=, looks at
// the crashed process the way a report program would, and writes what it found as "key=value"
// lines (UTF-16) to the file named by LUMETTA_STANDIN_OUT. The "raw_" lines read the block at
// fixed byte offsets, as a report program built without this code's headers would.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/CSharingMemory.h"
#include "screenshot/diagnostics/exception_context.h"

namespace {

std::wstring Hex(DWORD value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%08lX", static_cast<unsigned long>(value));
  return text;
}

// Addresses in as many digits as this architecture's pointers have.
std::wstring HexAddress(uint64_t value) {
  wchar_t text[24];
  std::swprintf(text, 24, L"%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(value));
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
std::wstring ModuleOf(DWORD pid, uint64_t address) {
  ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snapshot) return L"?";
  MODULEENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
       more = Module32NextW(snapshot.get(), &entry)) {
    const uint64_t base = reinterpret_cast<uintptr_t>(entry.modBaseAddr);
    if (address >= base && address - base < entry.modBaseSize) return entry.szModule;
  }
  return L"?";
}

// How many other threads of `pid` there are, and how many of them were found suspended.
void CountSuspended(DWORD pid, DWORD crashed_thread, int* others, int* suspended) {
  *others = *suspended = 0;
  ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == crashed_thread) continue;
    ++*others;
    ScopedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
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

uint64_t InstructionPointer(const CONTEXT& context) {
#if defined(__x86_64__)
  return context.Rip;
#else
  return context.Eip;
#endif
}

// Where the block's fields are, in bytes from its start, for the architecture of the process
// that crashed (the same as this one's).
struct RawLayout {
  size_t address, pointers, code, process_id, thread_id, context, command_line;
  size_t ip_in_context, flags_in_context;  // within the CONTEXT
  uint32_t context_architecture;           // the CONTEXT_i386 or CONTEXT_AMD64 flag
};
#if defined(__x86_64__)
constexpr RawLayout kRaw = {8, 16, 24, 28, 32, 40, 1272, 0xF8, 0x30, 0x00100000};
#else
constexpr RawLayout kRaw = {4, 8, 12, 16, 20, 24, 740, 0xB8, 0x00, 0x00010000};
#endif
constexpr size_t kRawFirstName = 22324, kRawSecondName = 22452;

uint32_t Raw32(const uint8_t* block, size_t at) {
  uint32_t value;
  std::memcpy(&value, block + at, sizeof(value));
  return value;
}

uint64_t RawAddress(const uint8_t* block, size_t at) {
  uintptr_t value;
  std::memcpy(&value, block + at, sizeof(value));
  return value;
}

std::wstring RawText(const uint8_t* block, size_t at, size_t end) {
  std::wstring s;
  for (; at + 2 <= end; at += 2) {
    char16_t c;
    std::memcpy(&c, block + at, sizeof(c));
    if (!c) break;
    s += static_cast<wchar_t>(c);
  }
  return s;
}

// The block's fields read at their byte offsets.
void RawLines(std::wstring* report, const uint8_t* block) {
  const size_t context = kRaw.context;
  Line(report, L"raw_reserved", Hex(Raw32(block, 0)));
#if defined(__x86_64__)
  Line(report, L"raw_padding", Hex(Raw32(block, 4)) + L" " + Hex(Raw32(block, 36)));
#endif
  Line(report, L"raw_address", HexAddress(RawAddress(block, kRaw.address)));
  Line(report, L"raw_pointers", HexAddress(RawAddress(block, kRaw.pointers)));
  Line(report, L"raw_code", Hex(Raw32(block, kRaw.code)));
  Line(report, L"raw_pid", Dec(Raw32(block, kRaw.process_id)));
  Line(report, L"raw_tid", Dec(Raw32(block, kRaw.thread_id)));
  Line(report, L"raw_context_ip", HexAddress(RawAddress(block, context + kRaw.ip_in_context)));
  const uint32_t flags = Raw32(block, context + kRaw.flags_in_context);
  Line(report, L"raw_context_architecture",
       (flags & 0x001F0000) == kRaw.context_architecture ? L"native" : Hex(flags));
  Line(report, L"raw_command_line", RawText(block, kRaw.command_line, kRawFirstName));
  Line(report, L"raw_first_name", RawText(block, kRawFirstName, kRawSecondName));
  Line(report, L"raw_second_name", RawText(block, kRawSecondName, 0x5834));
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
    // The block keeps the CONTEXT at an offset that is not 16-byte aligned on x86_64.
    CONTEXT context;
    std::memcpy(&context, block.thread_context, sizeof(context));
    Line(&report, L"opened", L"1");
    Line(&report, L"reserved", Hex(block.reserved));
    Line(&report, L"address", HexAddress(block.exception_address));
    Line(&report, L"pointers", HexAddress(block.exception_pointers));
    Line(&report, L"code", Hex(block.exception_code));
    Line(&report, L"pid", Dec(block.process_id));
    Line(&report, L"tid", Dec(block.thread_id));
    Line(&report, L"ip", HexAddress(InstructionPointer(context)));
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
    Line(&report, L"ip_module", ModuleOf(block.process_id, InstructionPointer(context)));
    RawLines(&report, reinterpret_cast<const uint8_t*>(shared.Get()));

    // What the pointer field is for: the exception as the crashed process holds it.
    ScopedHandle process(
        OpenProcess(PROCESS_VM_READ | PROCESS_QUERY_INFORMATION, FALSE, block.process_id));
    EXCEPTION_POINTERS pointers = {};
    EXCEPTION_RECORD record = {};
    CONTEXT live = {};
    SIZE_T n = 0;
    const void* where =
        reinterpret_cast<const void*>(static_cast<uintptr_t>(block.exception_pointers));
    if (process && ReadProcessMemory(process.get(), where, &pointers, sizeof(pointers), &n) &&
        ReadProcessMemory(process.get(), pointers.ExceptionRecord, &record, sizeof(record), &n) &&
        ReadProcessMemory(process.get(), pointers.ContextRecord, &live, sizeof(live), &n)) {
      Line(&report, L"ep_code", Hex(record.ExceptionCode));
      Line(&report, L"ep_address",
           HexAddress(reinterpret_cast<uintptr_t>(record.ExceptionAddress)));
      Line(&report, L"ep_ip", HexAddress(InstructionPointer(live)));
    } else {
      Line(&report, L"ep_code", L"unreadable " + Hex(GetLastError()));
    }

    int others = 0, suspended = 0;
    CountSuspended(block.process_id, block.thread_id, &others, &suspended);
    Line(&report, L"other_threads", Dec(others));
    Line(&report, L"suspended_threads", Dec(suspended));
  }

  ScopedHandle file(CreateFileW(out_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 3;
  DWORD written = 0;
  WriteFile(file.get(), report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)),
            &written, nullptr);
  return 0;
}
