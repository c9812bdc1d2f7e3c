// The launcher's files: its own folder, the engine file it writes out, and the hotkey INI file,
// whose text is in the Chinese GB code page (936) whatever the system's code page is.
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

// The value (GB 936 bytes) of key in section of the INI file at path; empty when the file or
// key is missing or the file cannot be read.
std::string ReadGbIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);

// Sets key in section to value (GB 936 bytes), creating the file when it is missing and keeping
// the rest of it byte for byte. A file that exists but cannot be read is left alone rather than
// replaced by the one value. Returns whether the file now holds the value.
bool WriteGbIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                     const std::string& value);

}  // namespace launcher
