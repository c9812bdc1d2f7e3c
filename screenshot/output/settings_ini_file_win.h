// The settings file read and written through the Windows profile functions.
//
// The profile functions write a file they create in the ANSI code page, which turns a face name
// such as a Chinese one into question marks. Before the first write this class therefore creates
// a missing file as UTF-16LE with a byte-order mark, and converts an existing ANSI (or UTF-8) file
// to UTF-16LE when a text to be written has no ANSI form; the profile functions then keep
// Unicode. Existing content, keys the engine does not write included, is kept.
#pragma once

#include <string>

#include "screenshot/output/settings_profile.h"

class SettingsIniFile : public SettingsProfile {
 public:
  // path must be fully qualified; with an empty path nothing is read (every read gives its
  // fallback) and nothing is written.
  explicit SettingsIniFile(std::wstring path) : path_(std::move(path)) {}

  int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) override;
  // At most 259 units, the profile functions' buffer of 260 characters.
  std::wstring ReadString(const wchar_t* section, const wchar_t* key,
                          const std::wstring& fallback) override;
  void WriteInt(const wchar_t* section, const wchar_t* key, int value) override;
  void WriteString(const wchar_t* section, const wchar_t* key, const std::wstring& value) override;

 private:
  enum class FileState { kUnknown, kUnicode, kAnsi };
  // Makes sure value can be stored without loss (see the class comment). Failures leave the file
  // as it is; the write that follows then does what the profile functions do with it.
  void PrepareFor(const std::wstring& value);
  bool ConvertToUnicode(const std::string& bytes);

  std::wstring path_;
  FileState state_ = FileState::kUnknown;
};
