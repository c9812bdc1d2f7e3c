// CLauncherWindow: the launcher's main window, normally hidden behind its notification icon. It
// owns the hotkey, writes the engine out at start-up, starts it on every hotkey press, and
// handles the icon, its menu and the two auto-start radio buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "launcher/CHotkeyRegistrar.h"
#include "launcher/CTrayIcon.h"

namespace launcher {

class CLauncherWindow {
 public:
  CLauncherWindow() = default;
  ~CLauncherWindow();
  CLauncherWindow(const CLauncherWindow&) = delete;
  CLauncherWindow& operator=(const CLauncherWindow&) = delete;

  // Registers the window class and creates the hidden main window; its creation runs the
  // start-up sequence. Destroying the window ends the message loop (WM_QUIT).
  bool Create(HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }

 private:
  struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void StartUp();
  void ShowIcon();
  void OnIconEvent(int operation);
  void ShowCentred();
  void OnPositionChanged();
  void OnCommand(int id, int code);
  void ChangeHotkey(int key_code);
  void OnHotkey(int id);
  void OnDestroy();

  HWND hwnd_ = nullptr;
  std::wstring run_directory_;
  CHotkeyRegistrar hotkeys_;
  int hotkey_id_ = 0;         // 0: no hotkey registered
  int startup_key_code_ = 0;  // read from the INI file at start-up
  std::unique_ptr<CTrayIcon> tray_;
  std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> menu_;
  UINT taskbar_created_ = 0;  // the shell's broadcast after it (re)started
};

}  // namespace launcher
