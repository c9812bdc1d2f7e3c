// The engine's debug log: gathers the process, thread and time of a message and emits the record.
#include "screenshot/diagnostics/debug_log_win.h"

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cwchar>

#include "screenshot/diagnostics/CCriticalSectionGuard.h"
#include "screenshot/diagnostics/log_record.h"

namespace diag {
namespace {

class Logger {
 public:
  // Created on first use and never destroyed: the log must keep working for objects torn down
  // during process exit, and for the crash hand-off.
  static Logger& Instance() {
    static Logger* const logger = new Logger();
    return *logger;
  }

  std::atomic<bool> enabled{true};
  std::atomic<unsigned> class_mask{~0u};
  std::atomic<bool> structured{true};
  std::atomic<LogSink> sink{nullptr};

  void Emit(unsigned cls, const wchar_t* format, va_list args) {
    CCriticalSectionGuard guard(&lock_);
    // The buffers are the logger's, not the caller's stack: the crash hand-off logs from a thread
    // that may have little stack left. The lock makes them safe to share.
    const int written = _vsnwprintf(message_, kLogMessageChars - 1, format ? format : L"", args);
    size_t length = written >= 0 ? static_cast<size_t>(written) : kLogMessageChars - 1;
    if (written < 0 || length > kLogMessageChars - 1) {
      length = WholeCharacterLength(message_, kLogMessageChars - 1);
    }
    message_[length] = 0;

    if (!structured) {
      Send(message_);
    } else {
      SYSTEMTIME now;
      GetLocalTime(&now);
      LogRecordFields fields = {};
      fields.log_class = cls;
      fields.message = message_;
      fields.process_id = process_id_;
      fields.process_name = process_name_;
      fields.thread_id = GetCurrentThreadId();
      fields.time = {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                     now.wMinute, now.wSecond, now.wMilliseconds};
      FormatLogRecord(fields, record_, kLogRecordChars);
      Send(record_);
    }
  }

 private:
  Logger() {
    InitializeCriticalSection(&lock_);
    process_id_ = GetCurrentProcessId();
    wchar_t path[MAX_PATH] = L"";
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[n < MAX_PATH ? n : MAX_PATH - 1] = 0;  // XP leaves a truncated path unterminated
    const wchar_t* slash = wcsrchr(path, L'\\');
    lstrcpynW(process_name_, slash ? slash + 1 : path, MAX_PATH);
  }

  void Send(const wchar_t* text) {
    if (LogSink s = sink.load()) {
      s(text);
    } else {
      OutputDebugStringW(text);
    }
  }

  CRITICAL_SECTION lock_;
  DWORD process_id_ = 0;
  wchar_t process_name_[MAX_PATH] = L"";
  wchar_t message_[kLogMessageChars] = L"";
  wchar_t record_[kLogRecordChars] = L"";
};

}  // namespace

void Log(unsigned cls, const wchar_t* format, ...) {
  Logger& logger = Logger::Instance();
  if (!logger.enabled || (cls & logger.class_mask) == 0) return;
  va_list args;
  va_start(args, format);
  logger.Emit(cls, format, args);
  va_end(args);
}

void SetLogEnabled(bool enabled) { Logger::Instance().enabled = enabled; }
void SetLogClassMask(unsigned mask) { Logger::Instance().class_mask = mask; }
void SetLogStructured(bool structured) { Logger::Instance().structured = structured; }
void SetLogSinkForTesting(LogSink sink) { Logger::Instance().sink = sink; }

}  // namespace diag
