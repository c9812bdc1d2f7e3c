// Paths of the build's bin folder, where the test program sits beside the products.
#pragma once

#include <windows.h>

#include <string>

namespace testpaths {

// The folder of the running test program, without a trailing backslash.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/"));
}

inline std::wstring BinFile(const wchar_t* name) { return BinDir() + L"\\" + name; }

}  // namespace testpaths
