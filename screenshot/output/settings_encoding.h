// Byte-level text handling for the settings: registry string data and the INI file's encoding.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// The text of registry string data given as raw bytes (UTF-16LE). Data need not be terminated:
// the text ends at the first NUL unit or at the end of the data, and a trailing odd byte (half a
// unit) is ignored. Null data gives an empty text.
std::wstring StringFromRegistryBytes(const unsigned char* data, std::size_t byte_count);

// How the profile functions will treat an INI file, judged from its first bytes.
enum class IniFileEncoding {
  kUtf16,  // starts with a UTF-16 byte-order mark: the profile functions keep Unicode
  kUtf8,   // starts with a UTF-8 byte-order mark
  kAnsi,   // anything else, an empty file included: read and written in the ANSI code page
};
IniFileEncoding DetectIniFileEncoding(const unsigned char* data, std::size_t byte_count);

// text as UTF-16LE bytes preceded by the byte-order mark FF FE (one unit per wchar_t).
std::string EncodeUtf16LeWithBom(const std::wstring& text);

}  // namespace settings
