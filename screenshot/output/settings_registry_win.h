// Registry access for the settings: a key handle that closes itself and a bounded string read.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens root\subkey with the given access (closing any key held before); false when it cannot.
  bool Open(HKEY root, const wchar_t* subkey, REGSAM access);
  HKEY get() const { return key_; }

  // The text of value name when it is a string (REG_SZ or REG_EXPAND_SZ, taken as stored, not
  // expanded). Values up to 1024 bytes are read into a fixed buffer, longer ones into one sized
  // from the reported length; data without terminator or with an odd byte count is read safely,
  // and the text ends at the first NUL. False for a missing value, another type, or data over
  // 1 MiB, which no path can need.
  bool ReadString(const wchar_t* name, std::wstring* text) const;

 private:
  HKEY key_ = nullptr;
};
