// The settings file: read through the Windows profile functions, written in one safe step.
//
// Writes are collected and applied together by Commit: the new content is written to a file
// beside this one and then put in its place, so that at every moment the settings file is either
// the old one or the new one, whole. Writing key by key through the profile functions would
// rewrite the file once per key, truncating it first each time: a run ended at the wrong moment
// (log-off, a killed process, a full disk) would leave the user with no settings at all.
//
// The file keeps its form: a UTF-16 file (either byte order) stays UTF-16, a UTF-8 file with a
// byte-order mark stays UTF-8, and an ANSI file stays ANSI as long as every text in it has an
// ANSI form. Otherwise, a Chinese face name on a Western system for instance, it becomes
// UTF-16LE with a byte-order mark, which the profile functions keep in Unicode; a new file is
// UTF-16LE from the start. Existing content, keys the engine does not write included, is kept.
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
  // what the file holds.
  enum class Access { kMissing, kReadable, kUnreadable };
  Access Probe() const;

  // Applies the queued writes in one replacement of the file (see above). When the file cannot
  // be read, or the replacement fails, the file stays as it was; that is logged and false is
  // returned.
  bool Commit();

 private:
  struct Change {
    std::wstring section, key, value;
  };

  std::wstring path_;
  std::vector<Change> changes_;
};
