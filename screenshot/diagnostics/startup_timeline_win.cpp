// Start-up timeline marks, written straight to the file the benchmark names.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "screenshot/diagnostics/startup_timeline_win.h"

namespace {

struct Timeline {
  bool checked = false;
  HANDLE file = INVALID_HANDLE_VALUE;
  ULONGLONG process_start = 0;  // 100 ns units since 1601, like the clock below
};

Timeline g_timeline;

ULONGLONG Ticks(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

void Open() {
  g_timeline.checked = true;
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetEnvironmentVariableW(L"LUMETTA_TIMELINE", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  g_timeline.process_start = Ticks(created);
  // Shared and appended to: the benchmark reads it while the process still runs.
  g_timeline.file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

namespace diag {

void TimelineMark(const char* phase) {
  if (!g_timeline.checked) Open();
  if (g_timeline.file == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  ::GetSystemTimePreciseAsFileTime(&now);
  const double ms = static_cast<double>(Ticks(now) - g_timeline.process_start) / 10000.0;
  char line[96];
  const int len = std::snprintf(line, sizeof(line), "%.2f %s\n", ms, phase);
  if (len <= 0) return;
  DWORD written = 0;
  ::WriteFile(g_timeline.file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

}  // namespace diag
