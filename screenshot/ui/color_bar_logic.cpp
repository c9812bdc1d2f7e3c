// The colour and pen bar's window-free rules.
#include "screenshot/ui/color_bar_logic.h"

#include <algorithm>

#include "screenshot/base/palette.h"

namespace colorbar {

namespace {

// `r` clipped to the view's columns 0..width-1 and rows 0..height-1; false when nothing of it
// is left to draw.
bool ClipInclusive(const PixelView& view, const Rect& r, Rect* clipped) {
  if (!view.top_row || view.width <= 0 || view.height <= 0) return false;
  clipped->left = std::max(r.left, 0);
  clipped->top = std::max(r.top, 0);
  clipped->right = std::min(r.right, view.width - 1);
  clipped->bottom = std::min(r.bottom, view.height - 1);
  return clipped->left < clipped->right && clipped->top < clipped->bottom;
}

void Row(const PixelView& view, int y, int x0, int x1, uint32_t pixel) {
  uint32_t* row = view.Row(y);
  for (int x = x0; x <= x1; ++x) row[x] = pixel;
}

void Column(const PixelView& view, int x, int y0, int y1, uint32_t pixel) {
  for (int y = y0; y <= y1; ++y) view.At(x, y) = pixel;
}

// The two-pixel border: dark along `r`, white one pixel inside it.
void SelectionBorder(const PixelView& view, const Rect& r) {
  FrameInclusive(view, r, OpaquePixel(kFrameColorref));
  FrameInclusive(view, Grown(r, -1, -1, -1, -1), OpaquePixel(kWhiteColorref));
}

}  // namespace

int SwatchIndexOfId(int id) {
  return id >= kSwatchFirstId && id < kSwatchFirstId + kSwatchCount ? id - kSwatchFirstId : -1;
}

int WidthIndexOfId(int id) {
  return id >= kWidthFirstId && id < kWidthFirstId + kWidthCount ? id - kWidthFirstId : -1;
}

uint32_t OpaquePixel(uint32_t colorref) {
  const uint32_t r = colorref & 0xFF, g = (colorref >> 8) & 0xFF, b = (colorref >> 16) & 0xFF;
  return 0xFF000000u | r << 16 | g << 8 | b;
}

void FillInclusive(const PixelView& view, const Rect& r, uint32_t pixel) {
  Rect c;
  if (!ClipInclusive(view, r, &c)) return;
  for (int y = c.top; y <= c.bottom; ++y) Row(view, y, c.left, c.right, pixel);
}

void FrameInclusive(const PixelView& view, const Rect& r, uint32_t pixel) {
  Rect c;
  if (!ClipInclusive(view, r, &c)) return;
  if (c.top == r.top) Row(view, c.top, c.left, c.right, pixel);
  if (c.bottom == r.bottom) Row(view, c.bottom, c.left, c.right, pixel);
  if (c.left == r.left) Column(view, c.left, c.top, c.bottom, pixel);
  if (c.right == r.right) Column(view, c.right, c.top, c.bottom, pixel);
}

void PaintSwatch(const PixelView& view, const Rect& r, int index, int current_index,
                 unsigned state) {
  FillInclusive(view, r, OpaquePixel(palette::ColorOf(index)));
  const bool white = index == kWhiteIndex;
  if (index == current_index) {
    SelectionBorder(view, r);
  } else if (state == kStatePressed || state == kStateHot) {
    // The white swatch keeps its own dark frame's top and left lines outside the border.
    SelectionBorder(view, white ? Grown(r, -1, -1, 0, 0) : r);
  } else if (white) {
    FrameInclusive(view, r, OpaquePixel(kFrameColorref));
  }
}

void PaintCurrentColor(const PixelView& view, const Rect& r, uint32_t colorref) {
  FillInclusive(view, r, OpaquePixel(colorref));
  // White would vanish into the white panel.
  if ((colorref & 0xFFFFFF) == kWhiteColorref) FrameInclusive(view, r, OpaquePixel(kFrameColorref));
}

WidthFrame WidthButtonFrame(int index, int current_index, unsigned state) {
  if (state == kStateHot) return WidthFrame::kHover;
  if (state == kStatePressed || index == current_index) return WidthFrame::kPressed;
  return WidthFrame::kNone;
}

Point CentredIn(const Rect& button, Size picture) {
  return Point{button.left + (button.Width() - picture.width) / 2,
               button.top + (button.Height() - picture.height) / 2};
}

Rect PaletteArea(const Rect& first_swatch, const Rect& last_swatch) {
  const int dx = first_swatch.Width() / 2, dy = first_swatch.Height() / 2;
  const Rect both = {std::min(first_swatch.left, last_swatch.left),
                     std::min(first_swatch.top, last_swatch.top),
                     std::max(first_swatch.right, last_swatch.right),
                     std::max(first_swatch.bottom, last_swatch.bottom)};
  return Grown(both, dx, dy, dx, dy);
}

PointClass ClassifyPoint(Point client_point, const Rect& client, const Rect& palette_area,
                         const std::vector<Rect>& buttons, bool screen_point_in_window) {
  if (client.Contains(client_point)) {
    if (palette_area.Contains(client_point)) return PointClass::kOnControl;
    for (const Rect& b : buttons)
      if (b.Contains(client_point)) return PointClass::kOnControl;
    return PointClass::kDragArea;
  }
  return screen_point_in_window ? PointClass::kDragArea : PointClass::kOutside;
}

}  // namespace colorbar
