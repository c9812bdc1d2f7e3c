// Fuzz target: the stored hotkey text. Only text that says 112 to 116 (after blanks, an optional
// '+' and leading zeros) may ever give a hotkey: no overflow may wrap a long number onto F1-F5.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/hotkey_setting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int code = launcher::KeyCodeFromText(text);
  if (!launcher::IsHotkeyKey(code)) return 0;
  std::size_t i = text.find_first_not_of(" \t");
  if (i != std::string::npos && text[i] == '+') ++i;
  while (i < text.size() && text[i] == '0') ++i;
  std::size_t end = i;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (text.compare(i, end - i, std::to_string(code)) != 0) std::abort();
  return 0;
}
