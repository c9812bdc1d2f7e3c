// Reading and changing one value in the bytes of an INI file, in GB 936 or in UTF-8.
//
// The hotkey file is text in the Chinese GB code page (936), as the profile functions of a
// Chinese system write it, unless it says otherwise (see ini_document.h); such a file is worked
// on as UTF-8. Working on the bytes rather than on converted text keeps everything else in the
// file exactly as it was. In GB 936, bytes 0x81 to 0xFE start a two-byte character whose second
// byte may look like '[' or ']', so brackets are only taken where a character starts; in UTF-8
// no byte of a character looks like one. Line ends, '=' and blanks never occur inside a character.
//
// Lines are "[section]" headers and "key=value" lines; blanks around names and values are
// ignored and one pair of matching quotes around a value is removed, as the profile functions do.
// Names are compared byte for byte. The first matching section and, in it, the first matching
// key count.
#pragma once

#include <optional>
#include <string>

namespace launcher {

// How the characters of the text are laid out in bytes.
enum class IniCharset { kGb, kUtf8 };

// The value of key in section, or nothing when the file has no such key.
std::optional<std::string> FindIniValue(const std::string& file, const std::string& section,
                                        const std::string& key,
                                        IniCharset charset = IniCharset::kGb);

// The file with key in section set to value: an existing key line is rewritten in place, a
// missing key is added after the section's last line, a missing section is added at the end.
// Every other byte is kept. A value cannot span lines: it ends at its first line break.
std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value, IniCharset charset = IniCharset::kGb);

}  // namespace launcher
