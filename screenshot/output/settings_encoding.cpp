// Byte-level text handling for the settings: registry string data and the INI file's encoding.
#include "screenshot/output/settings_encoding.h"

namespace settings {

std::wstring StringFromRegistryBytes(const unsigned char* data, std::size_t byte_count) {
  std::wstring text;
  if (data == nullptr) return text;
  for (std::size_t i = 0; i + 1 < byte_count; i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

IniFileEncoding DetectIniFileEncoding(const unsigned char* data, std::size_t byte_count) {
  if (data != nullptr && byte_count >= 2) {
    if ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF)) {
      return IniFileEncoding::kUtf16;
    }
    if (byte_count >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
      return IniFileEncoding::kUtf8;
    }
  }
  return IniFileEncoding::kAnsi;
}

std::string EncodeUtf16LeWithBom(const std::wstring& text) {
  std::string bytes("\xFF\xFE", 2);
  bytes.reserve(2 + 2 * text.size());
  for (wchar_t unit : text) {
    const unsigned value = static_cast<unsigned>(unit) & 0xFFFFu;
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
  }
  return bytes;
}

}  // namespace settings
