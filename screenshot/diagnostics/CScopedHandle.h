// CScopedHandle: owns one kernel handle and closes it when it goes out of scope.
#pragma once

#include <windows.h>

class CScopedHandle {
 public:
  CScopedHandle() = default;
  // Both null and INVALID_HANDLE_VALUE mean "none", as the API families disagree on which fails.
  explicit CScopedHandle(HANDLE handle) : handle_(handle) {}
  ~CScopedHandle() { Reset(); }
  CScopedHandle(const CScopedHandle&) = delete;
  CScopedHandle& operator=(const CScopedHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

  void Reset(HANDLE handle = nullptr) {
    if (*this) CloseHandle(handle_);
    handle_ = handle;
  }
  HANDLE Release() {
    HANDLE h = handle_;
    handle_ = nullptr;
    return h;
  }

 private:
  HANDLE handle_ = nullptr;
};
