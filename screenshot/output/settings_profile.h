// Key/value access to an INI-style profile, as used to read and write the settings.
//
// The store's reading and writing go through this interface so that the exact keys, defaults and
// write order can be checked without the Windows profile functions; SettingsIniFile implements it
// over the real file.
#pragma once

#include <string>

class SettingsProfile {
 public:
  virtual ~SettingsProfile() = default;
  // The integer under section/key, or fallback when the key is missing or empty. A damaged value
  // comes back as whatever the profile's number parsing makes of it (non-numeric text gives 0).
  virtual int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) = 0;
  // The text under section/key (at most 259 units), or fallback when the key is missing.
  virtual std::wstring ReadString(const wchar_t* section, const wchar_t* key,
                                  const std::wstring& fallback) = 0;
  // Writes value as decimal text. Failures are not reported.
  virtual void WriteInt(const wchar_t* section, const wchar_t* key, int value) = 0;
  virtual void WriteString(const wchar_t* section, const wchar_t* key,
                           const std::wstring& value) = 0;
};
