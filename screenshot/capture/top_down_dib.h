// 32-bpp top-down DIB sections with their pixels as a PixelView.
#pragma once

#include <windows.h>

#include "screenshot/capture/geometry.h"

// A width x height top-down DIB section (over `section` when given); its pixels through `view`.
HBITMAP CreateTopDownDib(int width, int height, PixelView* view, HANDLE section = nullptr);
