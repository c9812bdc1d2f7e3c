// Plays the other programs around a capture for the GUI tests:
//   capture_probe notify ENGINE [ARGS...]  creates the copy notification event first, runs the
//                                          engine, and prints "exit=N signalled=0|1"
//   capture_probe hold SECONDS              keeps the clipboard open that long ("held" once open)
//   capture_probe hotkeys                   prints whether Esc and Delete can be registered now
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

const wchar_t kEvent[] = L"QXSNAPEVENT_{37D8B288-229F-4e33-90D7-84C45C5B7542}";

int Notify(int argc, wchar_t** argv) {
  // The starting program holds the event before the engine starts, or the signal is lost.
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, kEvent);
  std::wstring command = L"\"" + std::wstring(argv[2]) + L"\"";
  for (int i = 3; i < argc; ++i) command += L" " + std::wstring(argv[i]);
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::printf("cannot start the engine: %lu\n", GetLastError());
    return 1;
  }
  std::printf("started\n");
  std::fflush(stdout);
  WaitForSingleObject(pi.hProcess, 120000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  const bool signalled = WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  std::printf("exit=%ld signalled=%d\n", static_cast<long>(code), signalled ? 1 : 0);
  std::fflush(stdout);
  return 0;
}

int Hold(int seconds) {
  HWND w = CreateWindowExW(0, L"static", L"clipboard holder", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, nullptr, nullptr);
  if (!OpenClipboard(w)) {
    std::printf("cannot open the clipboard: %lu\n", GetLastError());
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(seconds * 1000);
  CloseClipboard();
  DestroyWindow(w);
  return 0;
}

int HotKeys() {
  const bool esc = RegisterHotKey(nullptr, 1, 0, VK_ESCAPE) != 0;
  const bool del = RegisterHotKey(nullptr, 2, 0, VK_DELETE) != 0;
  if (esc) UnregisterHotKey(nullptr, 1);
  if (del) UnregisterHotKey(nullptr, 2);
  std::printf("esc=%d delete=%d\n", esc ? 1 : 0, del ? 1 : 0);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"notify") == 0) return Notify(argc, argv);
  if (argc >= 3 && std::wcscmp(argv[1], L"hold") == 0) return Hold(_wtoi(argv[2]));
  if (argc >= 2 && std::wcscmp(argv[1], L"hotkeys") == 0) return HotKeys();
  std::printf("usage: capture_probe notify ENGINE [ARGS] | hold SECONDS | hotkeys\n");
  return 2;
}
