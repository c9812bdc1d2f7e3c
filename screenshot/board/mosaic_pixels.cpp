// The mosaic's pixel arithmetic: the area a drag covers and its blocks of averaged colour.
#include "screenshot/board/mosaic_pixels.h"

#include <algorithm>
#include <cstdint>

Rect MosaicArea(Point press, Point p, int width, int height) {
  const Point q = {std::min(std::max(p.x, 0), width), std::min(std::max(p.y, 0), height)};
  if (q.x == press.x || q.y == press.y) return Rect{};
  return Normalized(Rect{press.x, press.y, q.x, q.y});
}

namespace {

// The average colour of the block `b` of `source`, opaque.
uint32_t BlockColour(const PixelView& source, const Rect& b) {
  uint64_t blue = 0, green = 0, red = 0;
  for (int y = b.top; y < b.bottom; ++y) {
    const uint32_t* row = source.Row(y);
    for (int x = b.left; x < b.right; ++x) {
      blue += row[x] & 0xFF;
      green += (row[x] >> 8) & 0xFF;
      red += (row[x] >> 16) & 0xFF;
    }
  }
  const uint64_t n = static_cast<uint64_t>(b.Width()) * b.Height();
  return 0xFF000000u | static_cast<uint32_t>(red / n) << 16 |
         static_cast<uint32_t>(green / n) << 8 | static_cast<uint32_t>(blue / n);
}

// The origin of the block, counted from `from` in steps of kMosaicBlock, that holds `at`.
int FirstBlockAt(int from, int at) {
  const int64_t steps = (static_cast<int64_t>(at) - from) / kMosaicBlock;
  return static_cast<int>(from + steps * kMosaicBlock);
}

}  // namespace

bool PixelateBlocks(const PixelView& source, const PixelView& target, const Rect& area) {
  if (!source.top_row || !target.top_row) return false;
  const Rect r = Intersection(Intersection(area, source.Bounds()), target.Bounds());
  if (r.IsEmpty()) return false;
  // The blocks are laid from the area's own corner, so that clipping an area that reaches past
  // a store does not shift the blocks of the part that is drawn.
  const int top = FirstBlockAt(area.top, r.top), left = FirstBlockAt(area.left, r.left);
  for (int by = top; by < r.bottom; by += kMosaicBlock) {
    for (int bx = left; bx < r.right; bx += kMosaicBlock) {
      const Rect b = Intersection(Rect{bx, by, bx + kMosaicBlock, by + kMosaicBlock}, r);
      if (b.IsEmpty()) continue;
      const uint32_t colour = BlockColour(source, b);
      for (int y = b.top; y < b.bottom; ++y)
        std::fill(target.Row(y) + b.left, target.Row(y) + b.right, colour);
    }
  }
  return true;
}
