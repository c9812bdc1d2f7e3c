// The settings file: read as the profile functions read it, written in one safe step.
//
// Writes are collected and applied together by Commit: the new content is written to a file
// beside this one and then put in its place, so that at every moment the settings file is either
// the old one or the new one, whole. Writing key by key through the profile functions would
// rewrite the file once per key, truncating it first each time: a run ended at the wrong moment
// (log-off, a killed process, a full disk) would leave the user with no settings at all.
//
// The file is read in the form an editor may have saved it in, not only the ones the profile
// functions know: UTF-16 in either byte order and UTF-8, each with or without a byte-order mark,
// or ANSI (see DetectIniTextForm); names and values are found exactly as the profile functions
// find them, and numbers are read as they read them but never wrap round. The file keeps its
// form when written: an ANSI file stays ANSI as long as every text in it has an ANSI form.
// Otherwise, a Chinese face name on a Western system for instance, it becomes UTF-16LE with a
// byte-order mark, which the profile functions keep in Unicode; a new file is UTF-16LE from the
// start. Existing content, keys the engine does not write included, is kept, and a value that
// reads as what is written is left as the file has it. A file that is not
// settings text at all is read as empty and, when written, kept as "Config.ini.bad" and replaced
// by a fresh file.
#pragma once

#include <string>
#include <vector>

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
  // Queued until Commit.
  void WriteInt(const wchar_t* section, const wchar_t* key, int value) override;
  void WriteString(const wchar_t* section, const wchar_t* key, const std::wstring& value) override;

  // Whether there is a file to read: kUnreadable means it is there but cannot be opened (held
  // by another program without sharing, or no access), so reads give fallbacks that are not
  // what the file holds; kNotSettings that it holds no settings text, and reads give fallbacks.
  enum class Access { kMissing, kReadable, kUnreadable, kNotSettings };
  Access Probe();

  // Applies the queued writes in one replacement of the file (see above). When the file cannot
  // be read, or the replacement fails, the file stays as it was; that is logged and false is
  // returned.
  bool Commit();

 private:
  struct Change {
    std::wstring section, key, value;
    bool number;  // written by WriteInt
    // Whether reading the key from text gives this value already.
    bool ReadsAs(const std::wstring& text) const;
  };

  // The file's text, read once at the first read.
  const std::wstring& Text();

  std::wstring path_;
  std::vector<Change> changes_;
  bool read_ = false;
  Access access_ = Access::kMissing;
  std::wstring text_;
};
