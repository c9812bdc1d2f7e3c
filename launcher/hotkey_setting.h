// The hotkey setting: the stored text of a key code, which keys may be the hotkey, and the
// identifiers the hotkey registrations use.
#pragma once

#include <string>

namespace launcher {

// Virtual-key codes of F1 and F5: the hotkey is one of these, without modifier keys.
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF5 = 116;

// The decimal number at the start of text, as atoi reads it: leading blanks, an optional sign,
// digits; anything after the digits is ignored. Empty or non-numeric text gives 0, and so does a
// number outside the range of int (rather than some wrapped or clamped value).
int KeyCodeFromText(const std::string& text);

bool IsHotkeyKey(int key_code);

// Identifiers for hotkey registrations: every attempt takes the next one, from 33001 up.
// Applications may only use identifiers up to 0xBFFF, so after that the sequence starts again at
// 33001 (the launcher holds one registration at a time, long released by then).
class HotkeyIdSequence {
 public:
  static constexpr int kFirst = 33001;
  static constexpr int kLast = 0xBFFF;

  int Take() {
    const int id = next_;
    next_ = id == kLast ? kFirst : id + 1;
    return id;
  }

 private:
  int next_ = kFirst;
};

}  // namespace launcher
