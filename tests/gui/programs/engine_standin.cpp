// Stands in for the capture engine beside a launcher under test: each start appends its command
// line (UTF-8, one line) to "<its own path>.started" and exits.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  const std::wstring record = std::wstring(self, n) + L".started";
  const wchar_t* cmd = GetCommandLineW();
  char line[4096];
  int size = WideCharToMultiByte(CP_UTF8, 0, cmd, -1, line, sizeof(line) - 1, nullptr, nullptr);
  if (size <= 0) return 1;
  line[size - 1] = '\n';
  HANDLE f = CreateFileW(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(f, line, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(f);
  return 0;
}
