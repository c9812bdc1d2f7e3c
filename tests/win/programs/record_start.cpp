// Stands in for a program the engine starts: writes its command line and working folder, one per
// line (UTF-16), to the file named by LUMETTA_RECORD_OUT.
#include <windows.h>

int main() {
  wchar_t out[MAX_PATH];
  if (!GetEnvironmentVariableW(L"LUMETTA_RECORD_OUT", out, MAX_PATH)) return 1;
  wchar_t cwd[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, cwd);
  HANDLE f = CreateFileW(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD n;
  const wchar_t* cmd = GetCommandLineW();
  WriteFile(f, cmd, lstrlenW(cmd) * 2, &n, nullptr);
  WriteFile(f, L"\n", 2, &n, nullptr);
  WriteFile(f, cwd, lstrlenW(cwd) * 2, &n, nullptr);
  CloseHandle(f);
  return 0;
}
