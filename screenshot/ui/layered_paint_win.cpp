// Painting of the layered bars: premultiplied bitmaps, nine-grid backgrounds and presentation.
#include "screenshot/ui/layered_paint_win.h"

#include <cstdint>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/nine_grid.h"
#include "screenshot/ui/premultiply.h"

HBITMAP LoadPremultipliedBitmap(HINSTANCE instance, UINT id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  DIBSECTION dib = {};
  if (::GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib)) return bitmap;  // not a DIB
  if (dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits) return bitmap;
  ::GdiFlush();  // GDI may still be writing the section
  auto* row = static_cast<std::uint8_t*>(dib.dsBm.bmBits);
  const int rows = dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight;
  for (int y = 0; y < rows; ++y, row += dib.dsBm.bmWidthBytes)
    PremultiplyPixels(row, static_cast<std::size_t>(dib.dsBm.bmWidth));
  return bitmap;
}

bool DrawNineGrid(HDC dest, int x, int y, int width, int height, HDC source, int src_x, int src_y,
                  int margin_left, int margin_top, int margin_right, int margin_bottom,
                  int src_width, int src_height) {
  const auto pieces = LayoutNineGrid({x, y, width, height}, {src_x, src_y, src_width, src_height},
                                     {margin_left, margin_top, margin_right, margin_bottom});
  bool ok = true;
  for (const NineGridPiece& p : pieces) {
    if (p.dest.empty() || p.source.empty()) continue;  // a margin of 0, or no room for it
    if (!::AlphaBlend(dest, p.dest.x, p.dest.y, p.dest.width, p.dest.height, source, p.source.x,
                      p.source.y, p.source.width, p.source.height, kPremultipliedBlend))
      ok = false;
  }
  return ok;
}

bool PresentLayered(HWND window, LayeredSurface& surface) {
  RECT rect;
  if (surface.empty() || !::GetWindowRect(window, &rect)) return false;
  return PresentLayeredAt(window, surface, POINT{rect.left, rect.top});
}

bool PresentLayeredAt(HWND window, LayeredSurface& surface, POINT at) {
  if (surface.empty()) return false;
  SurfaceDC source(surface);
  ScopedWindowDC screen;
  if (!source.get() || !screen.get()) return false;
  POINT position = at;
  SIZE size = {surface.width(), surface.height()};
  POINT origin = {0, 0};
  BLENDFUNCTION blend = kPremultipliedBlend;
  return ::UpdateLayeredWindow(window, screen.get(), &position, &size, source.get(), &origin, 0,
                               &blend, ULW_ALPHA) != FALSE;
}
