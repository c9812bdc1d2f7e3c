// CLauncherWindow: the launcher's main window, normally hidden behind its notification icon. It
// owns the hotkey, writes the engine out at start-up, starts it on every hotkey press, and
// handles the icon, its menu and the two auto-start radio buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "launcher/CHotkeyRegistrar.h"
#include "launcher/CTrayIcon.h"
#include "launcher/window_protocol.h"
#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"

namespace launcher {

class CLauncherWindow : public CWindowBase {
 public:
  CLauncherWindow() = default;
  ~CLauncherWindow() override;

  // Registers the window class, creates the hidden main window with its controls and runs the
  // start-up sequence. Destroying the window ends the message loop (WM_QUIT).
  bool Create(HINSTANCE instance);

  BEGIN_MSG_MAP(CLauncherWindow)
  MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
  MESSAGE_HANDLER(WM_COMMAND, OnCommandMessage)
  MESSAGE_HANDLER(WM_HOTKEY, OnHotkeyMessage)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroyMessage)
  MESSAGE_HANDLER(kNotifyMessage, OnIconMessage)
  MESSAGE_HANDLER(taskbar_created_, OnTaskbarCreated)
  END_MSG_MAP()

 private:
  struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
  };

  LRESULT OnWindowPosChanged(UINT message, WPARAM wparam, LPARAM lparam, BOOL& handled);
  LRESULT OnCommandMessage(UINT, WPARAM wparam, LPARAM, BOOL&) {
    OnCommand(LOWORD(wparam), HIWORD(wparam));
    return 0;
  }
  LRESULT OnHotkeyMessage(UINT, WPARAM wparam, LPARAM, BOOL&) {
    OnHotkey(static_cast<int>(wparam));
    return 0;
  }
  LRESULT OnDestroyMessage(UINT, WPARAM, LPARAM, BOOL&) {
    OnDestroy();
    return 0;
  }
  LRESULT OnIconMessage(UINT, WPARAM, LPARAM lparam, BOOL&);
  // The shell's broadcast after it (re)started; its number is only known after start-up.
  LRESULT OnTaskbarCreated(UINT, WPARAM, LPARAM, BOOL& handled);
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

  std::wstring run_directory_;
  CHotkeyRegistrar hotkeys_;
  int hotkey_id_ = 0;         // 0: no hotkey registered
  int startup_key_code_ = 0;  // read from the INI file at start-up
  std::unique_ptr<CTrayIcon> tray_;
  std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> menu_;
  UINT taskbar_created_ = 0;  // the shell's broadcast after it (re)started
};

}  // namespace launcher
