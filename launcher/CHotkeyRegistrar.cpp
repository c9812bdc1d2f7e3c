// CHotkeyRegistrar: the launcher's hotkey registrations.
#include "launcher/CHotkeyRegistrar.h"

namespace launcher {

int CHotkeyRegistrar::Register(HWND window, int modifier_code, int key_code) {
  const int id = ids_.Take();
  if (modifier_code < 0 || modifier_code > 6 || !IsHotkeyKey(key_code)) return 0;
  UINT modifiers = 0;
  if (modifier_code & 1) modifiers |= MOD_CONTROL;
  if (modifier_code & 2) modifiers |= MOD_SHIFT;
  if (modifier_code & 4) modifiers |= MOD_ALT;
  return RegisterHotKey(window, id, modifiers, static_cast<UINT>(key_code)) ? id : 0;
}

bool CHotkeyRegistrar::Unregister(HWND window, int id) {
  return id != 0 && UnregisterHotKey(window, id);
}

}  // namespace launcher
