// A program that installs the crash hand-off for its own module, with the stand-in report
// program beside it, and then fails in the way its argument names:
//   own               access violation in this program's code
//   breakpoint        breakpoint instruction in this program's code
//   foreign           access violation in a thread that runs only system code (msvcrt's strlen)
//   foreign-any       the same, with the handler installed for every module
//   system-from-own   access violation in msvcrt's strlen, called from this program's code
//   long-names        as "own", with names longer than the block's fields
//   default-path      as "own", with no report program given (Morrowdump.exe beside this one)
//   missing-report    as "own", with a report program that does not exist
//   twice             installs twice and exits with the second answer
//   answer            as "own", exiting with 0x100 plus the hand-off filter's answer
//   table-lock-held   x86_64: a call through a bad pointer from this program's code while
//                     another thread keeps looking up function tables (and so nearly always
//                     holds the lookup's lock)
// A filter installed before the hand-off stands for the one it replaces: when called it exits
// with kThreadsRunning or kThreadsStopped, telling whether the other threads run again.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "screenshot/diagnostics/crash_handler_win.h"

namespace {

constexpr UINT kThreadsRunning = 0x70;
constexpr UINT kThreadsStopped = 0x71;
constexpr UINT kDidNotCrash = 0x72;
constexpr UINT kInstallFailed = 0x73;

volatile LONG g_ticks = 0;

DWORD WINAPI Ticker(void*) {
  for (;;) {
    InterlockedIncrement(&g_ticks);
    Sleep(1);
  }
}

LONG WINAPI EarlierFilter(EXCEPTION_POINTERS*) {
  const LONG before = g_ticks;
  Sleep(200);
  TerminateProcess(GetCurrentProcess(), g_ticks != before ? kThreadsRunning : kThreadsStopped);
  return EXCEPTION_CONTINUE_SEARCH;
}

// The hand-off's filter, called by AnswerReporter in the "answer" variant.
LPTOP_LEVEL_EXCEPTION_FILTER g_hand_off = nullptr;

LONG WINAPI AnswerReporter(EXCEPTION_POINTERS* pointers) {
  const LONG answer = g_hand_off(pointers);
  TerminateProcess(GetCurrentProcess(), 0x100 + answer);
  return answer;
}

using StrlenFunction = size_t(__cdecl*)(const char*);

StrlenFunction SystemStrlen() {
  return reinterpret_cast<StrlenFunction>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"msvcrt.dll"), "strlen")));
}

const char* BadPointer() {
  static volatile uintptr_t bad = 0x10;
  return reinterpret_cast<const char*>(bad);
}

__attribute__((noinline)) void CrashInOwnCode() {
  *reinterpret_cast<volatile int*>(const_cast<char*>(BadPointer())) = 1;
}

__attribute__((noinline)) void BreakInOwnCode() { __debugbreak(); }

__attribute__((noinline)) void CrashInSystemCodeCalledFromHere() {
  volatile size_t n = SystemStrlen()(BadPointer());
  (void)n;
}

// The thread starts directly in msvcrt, so no frame of this program is ever on its stack.
void CrashInThreadOfSystemCodeOnly() {
  HANDLE thread = CreateThread(
      nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(SystemStrlen())),
      const_cast<char*>(BadPointer()), 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
}

#if defined(__x86_64__)

// Function tables of a range of addresses no module covers, answered by a slow callback: the
// lookup's lock is held while it runs, and a thread that keeps looking up holds it nearly always.
constexpr DWORD64 kCallbackRange = 0x10000;
HANDLE g_in_lookup = nullptr;

PRUNTIME_FUNCTION SlowFunctionTable(DWORD64, PVOID) {
  SetEvent(g_in_lookup);
  Sleep(20);
  return nullptr;
}

DWORD WINAPI KeepLookingUp(void*) {
  for (;;) {
    DWORD64 base = 0;
    RtlLookupFunctionEntry(0x20, &base, nullptr);
  }
}

__attribute__((noinline)) void CallThroughABadPointer() {
  static volatile uintptr_t bad = 0x10;
  reinterpret_cast<void (*)()>(bad)();
  Sleep(0);  // keeps the call from being the last thing this function does
}

// Starts a thread that keeps the function-table lookup busy, then crashes.
void CrashWhileAnotherThreadLooksUpFunctions() {
  g_in_lookup = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  RtlInstallFunctionTableCallback(kCallbackRange | 3, 0, static_cast<DWORD>(kCallbackRange),
                                  SlowFunctionTable, nullptr, nullptr);
  CreateThread(nullptr, 0, KeepLookingUp, nullptr, 0, nullptr);
  WaitForSingleObject(g_in_lookup, INFINITE);
  CallThroughABadPointer();
}

#endif

std::wstring BinFile(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\')) + L"\\" + name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return kDidNotCrash;
  const std::string variant = argv[1];

  CreateThread(nullptr, 0, Ticker, nullptr, 0, nullptr);
  SetUnhandledExceptionFilter(EarlierFilter);

  const std::wstring report = BinFile(variant == "missing-report" ? L"no_such_report_program.exe"
                                                                  : L"morrowdump_standin.exe");
  const wchar_t* report_program = variant == "default-path" ? nullptr : report.c_str();
  std::wstring first = L"first-name", second = L"screenshot";
  if (variant == "long-names") {
    first.assign(100, L'f');
    second.assign(100, L's');
  }
  HMODULE module = variant == "foreign-any" ? nullptr : GetModuleHandleW(nullptr);

  const DWORD installed =
      InstallCrashHandler(first.c_str(), second.c_str(), module, report_program);
  if (installed != kCrashHandlerInstalled) return kInstallFailed;
  if (variant == "twice") {
    return static_cast<int>(InstallCrashHandler(L"other", L"other", nullptr, L"C:\\x.exe"));
  }

  if (variant == "answer") g_hand_off = SetUnhandledExceptionFilter(AnswerReporter);

  if (variant == "breakpoint") BreakInOwnCode();
  if (variant == "foreign" || variant == "foreign-any") CrashInThreadOfSystemCodeOnly();
  if (variant == "system-from-own") CrashInSystemCodeCalledFromHere();
#if defined(__x86_64__)
  if (variant == "table-lock-held") CrashWhileAnotherThreadLooksUpFunctions();
#endif
  CrashInOwnCode();
  return kDidNotCrash;
}
