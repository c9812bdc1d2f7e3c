// 32-bpp top-down DIB sections with their pixels as a PixelView.
#pragma once

#include <windows.h>

#include "screenshot/ui/geometry.h"

// A width x height top-down DIB section (over `section` when given); its pixels through `view`.
HBITMAP CreateTopDownDib(int width, int height, PixelView* view, HANDLE section = nullptr);
// The pixels of a 32-bpp top-down DIB section (as CreateTopDownDib makes them); false for
// anything else. The row order cannot be asked of a section (GetObject reports every height as
// positive), so bitmaps handed between the engine's parts are top-down by convention.
bool ViewOfTopDownDib(HBITMAP bitmap, PixelView* view);
