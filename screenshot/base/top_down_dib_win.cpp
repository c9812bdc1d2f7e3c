// 32-bpp DIB sections with their pixels as a PixelView.
#include "screenshot/base/top_down_dib_win.h"

HBITMAP CreateDib32(int width, int height, DibRows rows, HANDLE section, void** bits) {
  *bits = nullptr;
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  // A negative height asks for the top row first.
  bi.bmiHeader.biHeight = rows == DibRows::TopDown ? -height : height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  return ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, section, 0);
}

HBITMAP CreateTopDownDib(int width, int height, PixelView* view, HANDLE section) {
  void* bits = nullptr;
  HBITMAP bmp = CreateDib32(width, height, DibRows::TopDown, section, &bits);
  if (bmp && view) *view = PixelView{static_cast<uint32_t*>(bits), width, width, height};
  return bmp;
}

bool ViewOfTopDownDib(HBITMAP bitmap, PixelView* view) {
  DIBSECTION ds = {};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 ||
      !ds.dsBm.bmBits)
    return false;
  const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
  *view = PixelView{static_cast<uint32_t*>(ds.dsBm.bmBits), w, w, h};
  return true;
}
