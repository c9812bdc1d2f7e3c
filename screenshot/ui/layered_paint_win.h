// Painting of the layered bars: premultiplied bitmaps, nine-grid backgrounds and presentation.
//
// Every bar, list, menu and the tooltip composes itself off screen into a 32-bit LayeredSurface
// and shows it with one UpdateLayeredWindow call. All blends use per-pixel alpha on
// premultiplied pixels (AC_SRC_ALPHA), which is why bitmaps are premultiplied once at load time.
#pragma once

#include <windows.h>

class LayeredSurface;

// Source-over, constant alpha 255, per-pixel alpha: 0x01FF0000 as a 32-bit value.
constexpr BLENDFUNCTION kPremultipliedBlend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

// Loads bitmap resource |id| as a DIB section. When it is a 32-bit image its colour bytes are
// premultiplied by alpha (alpha kept); any other image is returned as loaded. The caller owns the
// bitmap. Null when the resource is missing or cannot be loaded.
HBITMAP LoadPremultipliedBitmap(HINSTANCE instance, UINT id);

// Draws the source rectangle (src_x, src_y, src_width, src_height) of |source| into the
// destination rectangle of |dest| as a nine-grid: corners unscaled, edges stretched along one
// axis, the centre along both. Margins that leave the source no stretchable middle are reduced
// to keep one pixel, and a destination smaller than the margins is shared by the corners (see
// nine_grid.h). Returns false if any of the blits failed.
bool DrawNineGrid(HDC dest, int x, int y, int width, int height, HDC source, int src_x, int src_y,
                  int margin_left, int margin_top, int margin_right, int margin_bottom,
                  int src_width, int src_height);

// Shows |surface| as the content of the layered |window| at the window's current screen position;
// the window takes the surface's size.
bool PresentLayered(HWND window, LayeredSurface& surface);
// The same at the screen position |at|, moving the window there in the same update.
bool PresentLayeredAt(HWND window, LayeredSurface& surface, POINT at);
