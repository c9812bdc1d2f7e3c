// CHandle: owns one kernel handle (file, process, thread) and closes it when it goes out of scope.
#pragma once

#include <windows.h>

namespace launcher {

class CHandle {
 public:
  CHandle() = default;
  // Both null and INVALID_HANDLE_VALUE mean "none": the API families disagree on which fails.
  explicit CHandle(HANDLE handle) : handle_(handle) {}
  ~CHandle() {
    if (*this) CloseHandle(handle_);
  }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace launcher
