// The hotkey setting: key code text, valid keys.
#include "launcher/hotkey_setting.h"

#include <climits>

namespace launcher {

int KeyCodeFromText(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return 0;  // INT_MAX + 1 fits only as a negative number
  return static_cast<int>(value);
}

bool IsHotkeyKey(int key_code) { return key_code >= kKeyF1 && key_code <= kKeyF5; }

}  // namespace launcher
