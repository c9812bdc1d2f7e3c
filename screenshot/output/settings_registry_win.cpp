// Registry access for the settings: a key handle that closes itself and a bounded string read.
#include "screenshot/output/settings_registry_win.h"

#include <vector>

#include "screenshot/base/settings_encoding.h"

namespace {

constexpr DWORD kFixedBufferBytes = 1024;
constexpr DWORD kMaxValueBytes = 1024 * 1024;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

RegistryKey::~RegistryKey() {
  if (key_) RegCloseKey(key_);
}

bool RegistryKey::Open(HKEY root, const wchar_t* subkey, REGSAM access) {
  if (key_) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, subkey, 0, access, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

bool RegistryKey::ReadString(const wchar_t* name, std::wstring* text) const {
  if (!key_ || !text) return false;
  BYTE fixed[kFixedBufferBytes];
  DWORD type = 0;
  DWORD size = sizeof fixed;
  LONG result = RegQueryValueExW(key_, name, nullptr, &type, fixed, &size);
  if (result == ERROR_SUCCESS) {
    if (!IsStringType(type)) return false;
    *text = settings::StringFromRegistryBytes(fixed, size < sizeof fixed ? size : sizeof fixed);
    return true;
  }
  // The value may change between the size query and the read, so a few attempts are allowed.
  for (int attempt = 0; attempt < 3 && result == ERROR_MORE_DATA; ++attempt) {
    if (!IsStringType(type) || size == 0 || size > kMaxValueBytes) return false;
    std::vector<BYTE> data(size);
    DWORD got = size;
    result = RegQueryValueExW(key_, name, nullptr, &type, data.data(), &got);
    if (result == ERROR_SUCCESS) {
      if (!IsStringType(type)) return false;
      *text = settings::StringFromRegistryBytes(data.data(), got < size ? got : size);
      return true;
    }
    size = got;
  }
  return false;
}
