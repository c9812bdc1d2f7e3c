// BitmapSource: a bitmap selected into its own memory device context.
#include "screenshot/ui/BitmapSource.h"

BitmapSource::BitmapSource(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return;
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  if (!old || old == HGDI_ERROR) {
    // Selected into another DC: blit from a copy. A DIB-section copy keeps 32-bit pixels and
    // their alpha whatever the screen's format.
    copy_ = static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    old = copy_ ? ::SelectObject(dc, copy_) : nullptr;
    if (!old || old == HGDI_ERROR) {
      if (copy_) ::DeleteObject(copy_);
      copy_ = nullptr;
      ::DeleteDC(dc);
      return;
    }
  }
  dc_ = dc;
  old_bitmap_ = old;
  width_ = info.bmWidth;
  height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
}

BitmapSource::~BitmapSource() {
  if (dc_) {
    ::SelectObject(dc_, old_bitmap_);
    ::DeleteDC(dc_);
  }
  if (copy_) ::DeleteObject(copy_);
}
