// CSuspendedThreads: holds every other thread of the process still during a crash hand-off.
#include "screenshot/diagnostics/CSuspendedThreads.h"

#include <tlhelp32.h>

#include "screenshot/base/ScopedWin.h"

void CSuspendedThreads::SuspendOthers() {
  const DWORD process = GetCurrentProcessId();
  const DWORD self = GetCurrentThreadId();
  ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) {
    Fail(L"CreateToolhelp32Snapshot", GetLastError(), 0);
    return;
  }
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self) continue;
    if (count_ == capacity_) {
      Fail(L"SuspendThread", ERROR_NOT_ENOUGH_MEMORY, entry.th32ThreadID);
      return;
    }
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
    if (!thread) {
      Fail(L"OpenThread", GetLastError(), entry.th32ThreadID);
      return;
    }
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) {
      Fail(L"SuspendThread", GetLastError(), entry.th32ThreadID);
      CloseHandle(thread);
      return;
    }
    threads_[count_++] = thread;
  }
}

void CSuspendedThreads::ResumeAll() {
  while (count_ > 0) {
    HANDLE thread = threads_[--count_];
    ResumeThread(thread);
    CloseHandle(thread);
  }
}
