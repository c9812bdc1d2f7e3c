// CSharingMemory<T>: a named, paging-file backed mapping the size of T, mapped whole.
#pragma once

#include <windows.h>

#include "screenshot/diagnostics/debug_log_win.h"

template <typename T>
class CSharingMemory {
 public:
  CSharingMemory() = default;
  ~CSharingMemory() { Close(); }
  CSharingMemory(const CSharingMemory&) = delete;
  CSharingMemory& operator=(const CSharingMemory&) = delete;

  // Creates (or, when the name exists, opens) the mapping read-write with the given security and
  // maps all of it. `security` may be null for the default.
  bool Create(const wchar_t* name, SECURITY_ATTRIBUTES* security) {
    Close();
    mapping_ =
        CreateFileMappingW(INVALID_HANDLE_VALUE, security, PAGE_READWRITE, 0, sizeof(T), name);
    if (!mapping_) {
      diag::Log(diag::kLogError, L"CreateFileMapping [%s] Failed [%08X]", name, GetLastError());
      return false;
    }
    return MapAll(FILE_MAP_READ | FILE_MAP_WRITE, name);
  }

  // Opens an existing mapping by name, for reading only or for reading and writing.
  bool Open(const wchar_t* name, bool writable) {
    Close();
    const DWORD access = writable ? FILE_MAP_READ | FILE_MAP_WRITE : FILE_MAP_READ;
    mapping_ = OpenFileMappingW(access, FALSE, name);
    if (!mapping_) {
      diag::Log(diag::kLogError, L"OpenFileMapping [%s] Failed [%08X]", name, GetLastError());
      return false;
    }
    return MapAll(access, name);
  }

  void Close() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
    view_ = nullptr;
    mapping_ = nullptr;
    mapped_ = false;
  }

  bool IsMapped() const { return mapped_; }
  T* Get() const { return view_; }
  HANDLE Handle() const { return mapping_; }

 private:
  bool MapAll(DWORD access, const wchar_t* name) {
    view_ = static_cast<T*>(MapViewOfFile(mapping_, access, 0, 0, sizeof(T)));
    if (!view_) {
      diag::Log(diag::kLogError, L"MapViewOfFile [%s] Failed [%08X]", name, GetLastError());
      Close();
      return false;
    }
    mapped_ = true;
    return true;
  }

  HANDLE mapping_ = nullptr;
  T* view_ = nullptr;
  bool mapped_ = false;
};
