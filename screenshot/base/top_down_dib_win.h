// 32-bpp DIB sections with their pixels as a PixelView.
#pragma once

#include <windows.h>

#include "screenshot/base/geometry.h"

enum class DibRows { TopDown, BottomUp };

// A width x height 32-bpp DIB section (over `section` when given) with its rows in `rows` order;
// its bits through `bits`. Null when it cannot be made (or the size is not positive).
HBITMAP CreateDib32(int width, int height, DibRows rows, HANDLE section, void** bits);
// A width x height top-down DIB section (over `section` when given); its pixels through `view`.
HBITMAP CreateTopDownDib(int width, int height, PixelView* view, HANDLE section = nullptr);
// The pixels of a 32-bpp top-down DIB section (as CreateTopDownDib makes them); false for
// anything else. The row order cannot be asked of a section (GetObject reports every height as
// positive), so bitmaps handed between the engine's parts are top-down by convention.
bool ViewOfTopDownDib(HBITMAP bitmap, PixelView* view);
