// CCriticalSectionGuard: holds a critical section for the lifetime of a scope.
#pragma once

#include <windows.h>

class CCriticalSectionGuard {
 public:
  explicit CCriticalSectionGuard(CRITICAL_SECTION* section) : section_(section) {
    EnterCriticalSection(section_);
  }
  ~CCriticalSectionGuard() { LeaveCriticalSection(section_); }
  CCriticalSectionGuard(const CCriticalSectionGuard&) = delete;
  CCriticalSectionGuard& operator=(const CCriticalSectionGuard&) = delete;

 private:
  CRITICAL_SECTION* section_;
};
