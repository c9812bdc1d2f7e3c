// The magnifier's 122 x 122 picture: frame, 4x zoom of the frozen desktop around the pointer,
// cross-hair and the translucent text strip; plus where the window goes and what it reports.
//
// The picture is premultiplied 0xAARRGGBB, rows counted from the top. The two text lines are
// drawn by the window side (white on black, with the system font renderer) into a strip buffer
// that ComposeMagnifierStrip then makes translucent.
#pragma once

#include <cstdint>

#include "screenshot/base/geometry.h"

constexpr int kMagnifierSize = 122;
constexpr int kMagnifierStripHeight = 33;  // rows 0..32: the text strip
constexpr int kMagnifierOffset = 20;       // window corner right of and below the pointer
constexpr int kMagnifierFlipOffset = 142;  // near a monitor edge: monitor edge minus this
constexpr int kSampleWidth = 29;
constexpr int kSampleHeight = 21;
constexpr int kZoom = 4;
constexpr int kZoomLeft = 3;  // the zoom fills columns 3..118 and rows 35..118
constexpr int kZoomTop = 35;
constexpr uint32_t kMagnifierEdgeBlack = 0x51000000;  // black, alpha 0x51
constexpr uint32_t kMagnifierEdgeWhite = 0x51FFFFFF;  // bytes 255, 255, 255 with alpha 0x51
constexpr uint32_t kMagnifierCrossHair = 0xFF02A9FF;  // the frame colour, opaque
constexpr uint32_t kStripAlpha = 0xCC;

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};
inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// The width and height the magnifier shows: the highlighted window's current size while window
// detection is on (0 x 0 with none highlighted), else the selection's size. The magnifier is
// hidden when either is zero.
struct MagnifierSize {
  int width = 0;
  int height = 0;
  bool Visible() const { return width > 0 && height > 0; }
};
MagnifierSize MagnifierSizeToShow(const Rect& selection, bool detection_on,
                                  const Rect* highlighted_window);

// Screen position of the window's top-left corner: 20 pixels right of and below the pointer;
// where the pointer's capture x + 122 reaches cx or its screen x + 122 reaches the monitor's
// right edge, x becomes the monitor's right edge minus 142 (y likewise with the bottom edges).
Point MagnifierPosition(Point pointer_screen, Point virtual_origin, const Rect& monitor_screen,
                        int cx, int cy);

// Capture position of the 29 x 21 block sampled around the pointer (x - 14, y - 10), moved as a
// whole to lie inside the capture; on a capture smaller than the block it starts at 0.
Point MagnifierSampleOrigin(Point pointer, int cx, int cy);

// The colour of the frozen pixel under the pointer (clamped to the picture; black for an empty
// picture).
Rgb ColourUnderPointer(const PixelView& frozen, Point pointer);

// Draws everything but the text strip into `picture` (at least 122 x 122): the translucent
// black and white edges, the sampled block of `frozen` enlarged 4 times (opaque; block pixels
// beyond a capture smaller than the block are opaque black) and the cross-hair. Rows 0..32 are
// left alone.
void DrawMagnifierZoom(const PixelView& picture, const PixelView& frozen, Point pointer);

// Rows 0..32 of `picture` from the text strip (122 x 33, colour bytes only; missing pixels count
// as black): each colour byte scaled by 0xCC / 0xFF, alpha 0xCC.
void ComposeMagnifierStrip(const PixelView& picture, const PixelView& strip);
