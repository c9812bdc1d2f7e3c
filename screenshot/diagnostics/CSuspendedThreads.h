// CSuspendedThreads: holds every other thread of the process still while a crash is handed off,
// and lets them run again when it goes out of scope.
#pragma once

#include <windows.h>

#include <cstddef>

class CSuspendedThreads {
 public:
  // The handles are kept in caller-provided storage: this runs on a crashed thread, where neither
  // the heap nor much stack can be trusted.
  CSuspendedThreads(HANDLE* storage, size_t capacity) : threads_(storage), capacity_(capacity) {}
  ~CSuspendedThreads() { ResumeAll(); }
  CSuspendedThreads(const CSuspendedThreads&) = delete;
  CSuspendedThreads& operator=(const CSuspendedThreads&) = delete;

  // Suspends every thread of this process except the calling one, in snapshot order. A thread
  // that cannot be opened or suspended (or no room for its handle) ends the walk. Nothing is
  // logged here: a suspended thread may hold the log's lock. The failure, if any, is kept.
  void SuspendOthers();
  // Resumes and closes every thread suspended so far.
  void ResumeAll();

  size_t count() const { return count_; }
  // The failing call ("CreateToolhelp32Snapshot", "OpenThread", ...) or null, and its error.
  const wchar_t* failed_call() const { return failed_call_; }
  DWORD error() const { return error_; }
  DWORD failed_thread() const { return failed_thread_; }

 private:
  void Fail(const wchar_t* call, DWORD error, DWORD thread) {
    failed_call_ = call;
    error_ = error;
    failed_thread_ = thread;
  }

  HANDLE* threads_;
  size_t capacity_;
  size_t count_ = 0;
  const wchar_t* failed_call_ = nullptr;
  DWORD error_ = 0;
  DWORD failed_thread_ = 0;
};
