// The launcher's files: its own folder, the engine file it writes out, and the hotkey INI file,
// whose text is in the Chinese GB code page (936) whatever the system's code page is, unless the
// file itself is in another encoding (see ini_document.h), which is then kept.
#pragma once

#include <cstddef>
#include <string>

namespace launcher {

// The folder of the launcher's executable, without a trailing separator.
std::wstring RunDirectory();

// True when path names an existing file that is not a folder.
bool IsPlainFile(const std::wstring& path);

// Creates path holding exactly data. An existing file is never replaced; a write that fails part
// way removes the partial file, so that a later start can write the whole one.
bool WriteNewFile(const std::wstring& path, const unsigned char* data, std::size_t size);

// The value of key in section of the INI file at path, as bytes of the file's text (the digits
// of a key code are the same in every encoding); empty when the file or key is missing or the
// file cannot be read.
std::string ReadIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);

// Sets key in section to value (ASCII), creating the file in GB 936 when it is missing and keeping
// the rest of it byte for byte, in its own encoding. The new content goes to a file beside it
// that then replaces it, so the file is at every moment the old one or the new one, whole. A file
// that exists but cannot be read, or is read-only, is left alone rather than replaced by the one
// value. Returns whether the file now holds the value.
bool WriteIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const std::string& value);

}  // namespace launcher
