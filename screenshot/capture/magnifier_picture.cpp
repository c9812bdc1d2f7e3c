// The magnifier's 122 x 122 picture: frame, 4x zoom of the frozen desktop around the pointer,
// cross-hair and the translucent text strip; plus where the window goes and what it reports.
#include "screenshot/capture/magnifier_picture.h"

#include <algorithm>

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Fills columns x0..x1 and rows y0..y1 (inclusive bounds, as the picture is described).
void FillInclusive(const PixelView& p, int x0, int x1, int y0, int y1, uint32_t value) {
  for (int y = y0; y <= y1; ++y) std::fill(p.Row(y) + x0, p.Row(y) + x1 + 1, value);
}

constexpr int kLast = kMagnifierSize - 1;  // 121

}  // namespace

MagnifierSize MagnifierSizeToShow(const Rect& selection, bool detection_on,
                                  const Rect* highlighted_window) {
  const Rect r = detection_on ? (highlighted_window ? *highlighted_window : Rect{}) : selection;
  MagnifierSize s;
  s.width = std::max(r.Width(), 0);
  s.height = std::max(r.Height(), 0);
  return s;
}

Point MagnifierPosition(Point pointer_screen, Point virtual_origin, const Rect& monitor_screen,
                        int cx, int cy) {
  const int capture_x = pointer_screen.x - virtual_origin.x;
  const int capture_y = pointer_screen.y - virtual_origin.y;
  Point p{pointer_screen.x + kMagnifierOffset, pointer_screen.y + kMagnifierOffset};
  if (capture_x + kMagnifierSize >= cx ||
      pointer_screen.x + kMagnifierSize >= monitor_screen.right) {
    p.x = monitor_screen.right - kMagnifierFlipOffset;
  }
  if (capture_y + kMagnifierSize >= cy ||
      pointer_screen.y + kMagnifierSize >= monitor_screen.bottom) {
    p.y = monitor_screen.bottom - kMagnifierFlipOffset;
  }
  return p;
}

Point MagnifierSampleOrigin(Point pointer, int cx, int cy) {
  // The lower bound wins when the capture is smaller than the block.
  return Point{std::max(std::min(pointer.x - 14, cx - kSampleWidth), 0),
               std::max(std::min(pointer.y - 10, cy - kSampleHeight), 0)};
}

Rgb ColourUnderPointer(const PixelView& frozen, Point pointer) {
  if (frozen.top_row == nullptr || frozen.width <= 0 || frozen.height <= 0) return Rgb{};
  const uint32_t v =
      frozen.At(Clamp(pointer.x, 0, frozen.width - 1), Clamp(pointer.y, 0, frozen.height - 1));
  return Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

void DrawMagnifierZoom(const PixelView& picture, const PixelView& frozen, Point pointer) {
  if (picture.top_row == nullptr || picture.width < kMagnifierSize ||
      picture.height < kMagnifierSize) {
    return;
  }
  // Edges, in this order (later ones win where they meet).
  FillInclusive(picture, 0, kLast, kLast, kLast, kMagnifierEdgeBlack);
  FillInclusive(picture, 0, 0, kMagnifierStripHeight, kLast, kMagnifierEdgeBlack);
  FillInclusive(picture, kLast, kLast, kMagnifierStripHeight, kLast, kMagnifierEdgeBlack);
  FillInclusive(picture, 1, 120, 33, 34, kMagnifierEdgeWhite);
  FillInclusive(picture, 1, 120, 119, 120, kMagnifierEdgeWhite);
  FillInclusive(picture, 1, 2, 35, 119, kMagnifierEdgeWhite);
  FillInclusive(picture, 119, 120, 35, 119, kMagnifierEdgeWhite);

  // The sampled block, each source pixel a 4 x 4 opaque square. The desktop copy carries no
  // meaningful alpha, so alpha is forced to 255.
  const bool have_frozen = frozen.top_row != nullptr && frozen.width > 0 && frozen.height > 0;
  const Point origin = MagnifierSampleOrigin(pointer, frozen.width, frozen.height);
  uint32_t line[kSampleWidth * kZoom];
  for (int sy = 0; sy < kSampleHeight; ++sy) {
    const int y = origin.y + sy;
    const uint32_t* src = (have_frozen && y < frozen.height) ? frozen.Row(y) : nullptr;
    for (int sx = 0; sx < kSampleWidth; ++sx) {
      const int x = origin.x + sx;
      const uint32_t v = (src && x < frozen.width) ? (src[x] | 0xFF000000u) : 0xFF000000u;
      std::fill(line + sx * kZoom, line + (sx + 1) * kZoom, v);
    }
    for (int k = 0; k < kZoom; ++k) {
      uint32_t* out = picture.Row(kZoomTop + sy * kZoom + k) + kZoomLeft;
      std::copy(line, line + kSampleWidth * kZoom, out);
    }
  }

  // Cross-hair over the zoom.
  FillInclusive(picture, 3, 118, 75, 77, kMagnifierCrossHair);
  FillInclusive(picture, 60, 62, 35, 118, kMagnifierCrossHair);
}

void ComposeMagnifierStrip(const PixelView& picture, const PixelView& strip) {
  if (picture.top_row == nullptr || picture.width < kMagnifierSize ||
      picture.height < kMagnifierStripHeight) {
    return;
  }
  const bool have_strip = strip.top_row != nullptr;
  for (int y = 0; y < kMagnifierStripHeight; ++y) {
    uint32_t* out = picture.Row(y);
    const uint32_t* in = (have_strip && y < strip.height) ? strip.Row(y) : nullptr;
    for (int x = 0; x < kMagnifierSize; ++x) {
      const uint32_t v = (in && x < strip.width) ? in[x] : 0;
      const uint32_t r = ((v >> 16) & 0xFF) * kStripAlpha / 0xFF;
      const uint32_t g = ((v >> 8) & 0xFF) * kStripAlpha / 0xFF;
      const uint32_t b = (v & 0xFF) * kStripAlpha / 0xFF;
      out[x] = (kStripAlpha << 24) | (r << 16) | (g << 8) | b;
    }
  }
}
