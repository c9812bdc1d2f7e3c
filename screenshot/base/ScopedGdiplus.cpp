// The GDI+ session guard of ScopedWin.h (kept out of the header: gdiplus.h is large).
#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "screenshot/base/ScopedWin.h"

ScopedGdiplus::ScopedGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

ScopedGdiplus::~ScopedGdiplus() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}
