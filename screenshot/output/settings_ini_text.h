// The settings file's text, found and changed the way the profile functions read it.
//
// The engine reads its settings with the profile functions and writes them with this editor, so
// the editor must find exactly the line those functions would read: lines are "[section]" headers
// and "key=value" lines; blanks around names and values are ignored; names compare without
// regard to ASCII case; the first matching section and, in it, the first matching key count; a
// header's name runs to the last ']' of its line. One pair of matching quotes around a value is
// not part of it. Text is UTF-16 code units, one per wchar_t.
#pragma once

#include <optional>
#include <string>

namespace settings {

// The value of key in section, or nothing when the text has no such key.
std::optional<std::wstring> FindProfileValue(const std::wstring& text, const std::wstring& section,
                                             const std::wstring& key);

// The text with key in section set to value: an existing key line is rewritten in place (the
// name keeps its spelling), a missing key is added after the section's last line, a missing
// section at the end. Every other unit is kept. A value cannot span lines: it ends at its first
// line break.
std::wstring SetProfileValue(const std::wstring& text, const std::wstring& section,
                             const std::wstring& key, const std::wstring& value);

}  // namespace settings
