// Starting the capture engine as a separate process.
#include "launcher/engine_start_win.h"

#include <windows.h>

#include "screenshot/base/ScopedWin.h"

namespace launcher {

bool RunProgram(const std::wstring& path) {
  std::wstring command_line =
      path.find_first_of(L" \t") == std::wstring::npos ? path : L"\"" + path + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(path.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  const ScopedHandle process_handle(process.hProcess), thread_handle(process.hThread);
  WaitForInputIdle(process_handle.get(), 1000);
  return true;
}

}  // namespace launcher
