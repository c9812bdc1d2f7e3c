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

// Whether text reads as settings at all: no control characters but tabs and line breaks, and at
// least half of the lines that are not blank are "[section]" headers, ";" or "#" comments or
// "key=value" lines. A file of anything else (a stray binary, a page of HTML) must not be edited
// in place: the engine's keys would be mixed into it and the garbage carried on.
bool IsSettingsText(const std::wstring& text);

// The number the profile functions' integer read makes of a value: blanks, an optional sign, then
// decimal digits up to the first other character; no digits give 0. A number beyond the range
// of int gives the nearest end of that range rather than wrapping round.
int ProfileIntFromText(const std::wstring& value);

}  // namespace settings
