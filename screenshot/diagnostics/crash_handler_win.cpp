// The crash hand-off: the process-wide unhandled-exception filter and its installation.
#include "screenshot/diagnostics/crash_handler_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/CCrashStack.h"
#include "screenshot/diagnostics/CCriticalSectionGuard.h"
#include "screenshot/diagnostics/CMappingSecurity.h"
#include "screenshot/diagnostics/CProcessFrameMemory.h"
#include "screenshot/diagnostics/CSharingMemory.h"
#include "screenshot/diagnostics/CSuspendedThreads.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/diagnostics/exception_context.h"
#include "screenshot/diagnostics/frame_walk.h"
#include "screenshot/diagnostics/report_program.h"

// The block carries this architecture's own CONTEXT and full-width addresses.
static_assert(sizeof(CONTEXT) == sizeof(CVExceptionContext::thread_context),
              "the shared block carries the CONTEXT of the architecture built for");
static_assert(sizeof(CVExceptionContext::exception_address) == sizeof(void*) &&
                  sizeof(CVExceptionContext::exception_pointers) == sizeof(void*),
              "the shared block's addresses are as wide as a pointer");

namespace {

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pointers);

uintptr_t ToAddress(const void* p) { return reinterpret_cast<uintptr_t>(p); }

// The full path of the module holding this code, however long; empty when it cannot be had.
std::wstring OwnModulePath() {
  HMODULE own = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&UnhandledFilter), &own)) {
    diag::Log(diag::kLogError, L"GetModuleHandleEx Failed [%08X]", GetLastError());
    return std::wstring();
  }
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(own, &path[0], static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) {
    diag::Log(diag::kLogError, L"GetModuleFileName Failed [%08X]", GetLastError());
    return std::wstring();
  }
  path.resize(n);
  return path;
}

class CrashHandler {
 public:
  // Never destroyed: the filter may run while the process is already tearing down its statics.
  static CrashHandler& Instance() {
    static CrashHandler* const handler = new CrashHandler();
    return *handler;
  }

  DWORD Install(const wchar_t* first_name, const wchar_t* second_name, HMODULE module,
                const wchar_t* report_program) {
    CCriticalSectionGuard guard(&lock_);
    if (installed_) return kCrashHandlerAlreadyInstalled;

    std::wstring program;
    if (report_program && *report_program) {
      program = report_program;
    } else if (!diag::DefaultReportProgramPath(OwnModulePath(), &program)) {
      return kCrashHandlerNoModuleDirectory;
    }
    report_program_ = program;
    shared_memory_name_ = diag::SharedMemoryName(GetCurrentProcessId());
    // Everything the filter needs is prepared now, so that it allocates as little as it can.
    const std::wstring command = diag::ReportProgramCommandLine(program, shared_memory_name_);
    report_command_line_.assign(command.begin(), command.end());
    report_command_line_.push_back(L'\0');
    command_line_ = GetCommandLineW();
    first_name_ = first_name ? first_name : L"";
    second_name_ = second_name ? second_name : L"";
    module_ = module;

    LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(UnhandledFilter);
    previous_ = previous == UnhandledFilter ? nullptr : previous;
    installed_ = true;
    return kCrashHandlerInstalled;
  }

  LONG Filter(EXCEPTION_POINTERS* pointers) {
    LPTOP_LEVEL_EXCEPTION_FILTER previous;
    {
      // A second crashing thread waits here until the first is done (it is suspended meanwhile
      // anyway); a crash inside the hand-off itself finds the handler busy.
      CCriticalSectionGuard guard(&lock_);
      if (busy_) return EXCEPTION_CONTINUE_SEARCH;
      busy_ = true;
      const bool handed_off = HandOff(pointers);
      if (handed_off) return EXCEPTION_EXECUTE_HANDLER;  // the process ends; stay busy
      busy_ = false;
      previous = previous_;
    }
    return previous ? previous(pointers) : EXCEPTION_CONTINUE_SEARCH;
  }

 private:
  CrashHandler() { InitializeCriticalSection(&lock_); }

  // Success means the report program was started (and has finished).
  bool HandOff(EXCEPTION_POINTERS* pointers) {
    if (!pointers || !pointers->ExceptionRecord || !pointers->ContextRecord) return false;
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_BREAKPOINT) return false;

    CMappingSecurity security;
    CSharingMemory<CVExceptionContext> shared;
    if (!shared.Create(shared_memory_name_.c_str(), security.Attributes())) return false;

    // Whether the crash is ours is settled before the other threads are held: on x86_64 the
    // unwinder looks functions up in tables that the loader guards with locks, and a thread
    // suspended while holding one would hang this one for good. The walk reads only this thread's
    // own stack, which no other thread changes.
    CProcessFrameMemory memory;
    CCrashStack stack(*pointers->ContextRecord, memory);
    if (!diag::CrashInvolvesModule(stack.InstructionPointer(), stack, ToAddress(module_), memory)) {
      return false;
    }

    bool started = false;
    DWORD start_error = 0;
    const wchar_t* suspend_failure = nullptr;
    DWORD suspend_error = 0, suspend_thread = 0;
    {
      // From here until the threads run again nothing may log: a suspended thread may hold the
      // log's lock.
      CSuspendedThreads others(suspended_, kMaxSuspended);
      others.SuspendOthers();
      suspend_failure = others.failed_call();
      suspend_error = others.error();
      suspend_thread = others.failed_thread();

      Fill(shared.Get(), pointers);
      started = RunReportProgram(&start_error);
    }
    shared.Close();

    if (suspend_failure) {
      diag::Log(diag::kLogError, L"%s [%u] Failed [%08X]", suspend_failure, suspend_thread,
                suspend_error);
    }
    if (!started) {
      diag::Log(diag::kLogError, L"CreateProcess [%s] Failed [%08X]", report_program_.c_str(),
                start_error);
    }
    return started;
  }

  void Fill(CVExceptionContext* block, const EXCEPTION_POINTERS* pointers) const {
    // A mapping of the same name left by an earlier process with this id may hold old data.
    std::memset(block, 0, sizeof(*block));
    block->exception_address = ToAddress(pointers->ExceptionRecord->ExceptionAddress);
    block->exception_pointers = ToAddress(pointers);
    block->exception_code = pointers->ExceptionRecord->ExceptionCode;
    block->process_id = GetCurrentProcessId();
    block->thread_id = GetCurrentThreadId();
    std::memcpy(block->thread_context, pointers->ContextRecord, sizeof(CONTEXT));
    diag::CopyUtf16Field(block->command_line, command_line_);
    diag::CopyUtf16Field(block->first_name, first_name_.c_str());
    diag::CopyUtf16Field(block->second_name, second_name_.c_str());
  }

  bool RunReportProgram(DWORD* error) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(report_program_.c_str(), report_command_line_.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &process)) {
      *error = GetLastError();
      return false;
    }
    ScopedHandle process_handle(process.hProcess);
    ScopedHandle thread_handle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    return true;
  }

  static constexpr size_t kMaxSuspended = 1024;

  CRITICAL_SECTION lock_;
  LPTOP_LEVEL_EXCEPTION_FILTER previous_ = nullptr;
  HMODULE module_ = nullptr;
  std::wstring report_program_;
  std::wstring shared_memory_name_;
  std::vector<wchar_t> report_command_line_;  // CreateProcessW wants it writable
  const wchar_t* command_line_ = L"";
  std::wstring first_name_;
  std::wstring second_name_;
  bool installed_ = false;
  bool busy_ = false;
  HANDLE suspended_[kMaxSuspended] = {};
};

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pointers) {
  return CrashHandler::Instance().Filter(pointers);
}

}  // namespace

DWORD InstallCrashHandler(const wchar_t* first_name, const wchar_t* second_name, HMODULE module,
                          const wchar_t* report_program) {
  return CrashHandler::Instance().Install(first_name, second_name, module, report_program);
}
