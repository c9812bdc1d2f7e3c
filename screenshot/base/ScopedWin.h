// Owners for Win32 handles: each frees what it holds when it goes out of scope, so no code path
// (an early return included) leaks a handle or leaves a DC with a foreign object selected.
#pragma once

#include <windows.h>

// A kernel handle (file, process, thread, event, mapping). Null and INVALID_HANDLE_VALUE both
// mean "none": the API families disagree on which one reports failure.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  // Closes what is held and holds `handle` instead.
  void Reset(HANDLE handle = nullptr) {
    if (*this) ::CloseHandle(handle_);
    handle_ = handle;
  }
  // Gives the handle up without closing it.
  HANDLE Release() {
    HANDLE h = handle_;
    handle_ = nullptr;
    return h;
  }

 private:
  HANDLE handle_ = nullptr;
};

// A GDI object (bitmap, brush, font, pen, region), deleted with DeleteObject. It must not be
// selected into a DC when the owner lets go of it (ScopedSelectObject restores in time).
template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) : object_(object) {}
  ~ScopedGdiObject() { Reset(); }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Reset(T object = nullptr) {
    if (object_) ::DeleteObject(object_);
    object_ = object;
  }
  T Release() {
    T o = object_;
    object_ = nullptr;
    return o;
  }

 private:
  T object_ = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;

// A DC freed with DeleteDC: a memory DC (CreateCompatibleDC) or a device's DC (CreateDC).
class ScopedDC {
 public:
  explicit ScopedDC(HDC dc = nullptr) : dc_(dc) {}
  ~ScopedDC() { Reset(); }
  ScopedDC(const ScopedDC&) = delete;
  ScopedDC& operator=(const ScopedDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void Reset(HDC dc = nullptr) {
    if (dc_) ::DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_;
};

// A memory DC compatible with `reference` (null: the screen).
inline HDC NewMemoryDC(HDC reference = nullptr) { return ::CreateCompatibleDC(reference); }

// The DC of a window for one scope (null: the screen, the reference DC that layered windows are
// presented against), released with ReleaseDC.
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND window = nullptr) : window_(window), dc_(::GetDC(window)) {}
  ~ScopedWindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC for one scope; the DC's previous object is put back at the end.
class ScopedSelectObject {
 public:
  ScopedSelectObject() = default;
  ScopedSelectObject(HDC dc, HGDIOBJ object) { Select(dc, object); }
  ~ScopedSelectObject() { Restore(); }
  // Puts back what was selected before, then selects `object` into `dc`.
  void Select(HDC dc, HGDIOBJ object) {
    Restore();
    dc_ = dc;
    previous_ = dc && object ? ::SelectObject(dc, object) : nullptr;
  }
  void Restore() {
    if (previous_) ::SelectObject(dc_, previous_);
    previous_ = nullptr;
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// The process's GDI+ session: started by the constructor, shut down by the destructor (after
// every GDI+ object of the process is gone). ok() tells whether GDI+ is usable.
class ScopedGdiplus {
 public:
  ScopedGdiplus();
  ~ScopedGdiplus();
  ScopedGdiplus(const ScopedGdiplus&) = delete;
  ScopedGdiplus& operator=(const ScopedGdiplus&) = delete;

  bool ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};
