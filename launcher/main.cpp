// Entry point of the tray launcher: the hidden main window and its message loop.
#include <windows.h>

#include "launcher/CLauncherWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  launcher::CLauncherWindow window;
  if (!window.Create(instance)) return 1;
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
