// Presenting the annotation board: its layers composed into the overlay store over the selection.
#include "screenshot/capture/board_layers.h"

#include <cstring>

namespace {

// The part of a w x h layer placed at `at` that lies inside the store.
Rect ClipLayer(const PixelView& store, Point at, const PixelView& layer) {
  return Intersection(Rect{at.x, at.y, at.x + layer.width, at.y + layer.height},
                      Rect{0, 0, store.width, store.height});
}

uint32_t* Row(const PixelView& v, int y) {
  return v.top_row + static_cast<std::ptrdiff_t>(y) * v.row_step_pixels;
}

void Copy(const PixelView& store, Point at, const PixelView& layer, const Rect& r) {
  for (int y = r.top; y < r.bottom; ++y)
    std::memcpy(Row(store, y) + r.left, Row(layer, y - at.y) + (r.left - at.x),
                static_cast<std::size_t>(r.Width()) * 4);
}

void Blend(const PixelView& store, Point at, const PixelView& layer, const Rect& r) {
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* d = Row(store, y) + r.left;
    const uint32_t* s = Row(layer, y - at.y) + (r.left - at.x);
    for (int x = 0; x < r.Width(); ++x) d[x] = BlendPremultiplied(d[x], s[x]);
  }
}

}  // namespace

uint32_t BlendPremultiplied(uint32_t dst, uint32_t src) {
  const uint32_t sa = src >> 24;
  if (sa == 255) return src;
  if (sa == 0 && (src & 0xFFFFFF) == 0) return dst;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    uint32_t v = s + (d * (255 - sa) + 127) / 255;
    if (v > 255) v = 255;  // malformed (not premultiplied) sources saturate instead of wrapping
    out |= v << shift;
  }
  return out;
}

Rect ComposeBoardLayers(const PixelView& store, Point at, const PixelView* base,
                        const PixelView* upper1, const PixelView* upper2) {
  Rect written;
  if (base && base->top_row) {
    const Rect r = ClipLayer(store, at, *base);
    Copy(store, at, *base, r);
    written = UnionOf(written, r);
  }
  for (const PixelView* upper : {upper1, upper2}) {
    if (!upper || !upper->top_row) continue;
    const Rect r = ClipLayer(store, at, *upper);
    Blend(store, at, *upper, r);
    written = UnionOf(written, r);
  }
  return written;
}
