// CHotkeyRegistrar: registers the launcher's system-wide hotkey for the window that receives
// WM_HOTKEY, handing out the identifiers.
#pragma once

#include <windows.h>

#include "launcher/hotkey_setting.h"

namespace launcher {

class CHotkeyRegistrar {
 public:
  // Takes the next identifier (33001, 33002, …: every attempt takes one) and registers key_code
  // with the modifier code: 0 none, 1 Ctrl, 2 Shift, 3 Ctrl+Shift, 4 Alt, 5 Ctrl+Alt,
  // 6 Shift+Alt. Returns the identifier, or 0 when nothing was registered: the key is not F1 to
  // F5, the modifier code is unknown, or the system refused (another program holds the key).
  int Register(HWND window, int modifier_code, int key_code);

  // Releases a registration; identifier 0 (none) is harmless.
  static bool Unregister(HWND window, int id);

 private:
  HotkeyIdSequence ids_;
};

}  // namespace launcher
