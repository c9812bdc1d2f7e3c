// The text caret's contrast pixels: what an overlay pixel under the caret turns into.
#include "screenshot/capture/contrast_pixel.h"

#include <algorithm>

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

}  // namespace

uint32_t ContrastPixel(uint32_t pixel, bool light) {
  const uint32_t alpha = pixel >> 24;
  if (alpha <= 0x80) return light ? kOpaqueWhite : kOpaqueBlack;
  if (!light) return pixel;
  uint32_t inverted[3];
  bool too_close = true;
  for (int i = 0; i < 3; ++i) {
    const uint32_t stored = (pixel >> (16 - 8 * i)) & 0xFF;
    const uint32_t straight = std::min<uint32_t>(stored * 255 / alpha, 255);
    inverted[i] = 255 - straight;
    const int diff = static_cast<int>(inverted[i]) - static_cast<int>(stored);
    if (diff >= 33 || diff <= -33) too_close = false;
  }
  uint32_t out = alpha << 24;
  if (!too_close) {
    for (int i = 0; i < 3; ++i) out |= (inverted[i] * alpha / 255) << (16 - 8 * i);
  }
  return out;
}

Rect ApplyContrast(const PixelView& view, const Rect& r, bool light, std::vector<uint32_t>* saved) {
  const Rect c = view.top_row ? Intersection(r, view.Bounds()) : Rect{};
  if (saved) saved->clear();
  if (c.IsEmpty()) return Rect{};
  if (saved) saved->reserve(static_cast<size_t>(c.Width()) * static_cast<size_t>(c.Height()));
  for (int y = c.top; y < c.bottom; ++y) {
    uint32_t* row = view.Row(y);
    for (int x = c.left; x < c.right; ++x) {
      if (saved) saved->push_back(row[x]);
      row[x] = ContrastPixel(row[x], light);
    }
  }
  return c;
}

void RestorePixels(const PixelView& view, const Rect& clipped, const std::vector<uint32_t>& saved) {
  const Rect c = view.top_row ? Intersection(clipped, view.Bounds()) : Rect{};
  if (c.IsEmpty() || c != clipped ||
      saved.size() != static_cast<size_t>(c.Width()) * static_cast<size_t>(c.Height())) {
    return;  // not what ApplyContrast saved: leave the pixels alone
  }
  const uint32_t* src = saved.data();
  for (int y = c.top; y < c.bottom; ++y, src += c.Width()) {
    std::copy(src, src + c.Width(), view.Row(y) + c.left);
  }
}
