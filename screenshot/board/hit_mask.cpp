// A drawn object's hit mask.
#include "screenshot/board/hit_mask.h"

#include <algorithm>

void HitMask::Clear() {
  bits_.clear();
  bits_.shrink_to_fit();
  box_ = Rect{};
  width_ = bytes_per_row_ = 0;
}

void HitMask::Pack(const Rect& box, const uint8_t* top_row, std::ptrdiff_t stride) {
  Clear();
  if (box.IsEmpty() || !top_row) return;
  box_ = box;
  width_ = PictureWidth(box.Width());
  bytes_per_row_ = width_ / 8;
  bits_.assign(static_cast<size_t>(bytes_per_row_) * box.Height(), 0);
  for (int y = 0; y < box.Height(); ++y) {
    const uint8_t* src = top_row + y * stride;
    uint8_t* dst = bits_.data() + static_cast<size_t>(y) * bytes_per_row_;
    for (int x = 0; x < width_; ++x)
      if (src[3 * x]) dst[x / 8] |= static_cast<uint8_t>(1u << (x % 8));
  }
}

bool HitMask::Bit(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= box_.Height() || bits_.empty()) return false;
  return (bits_[static_cast<size_t>(y) * bytes_per_row_ + x / 8] >> (x % 8)) & 1;
}

bool HitMask::Hit(Point p, bool wide) const {
  if (bits_.empty()) return false;
  const int r = wide ? 5 : 3;
  const int x0 = std::max(p.x - box_.left - r, 0), x1 = std::min(p.x - box_.left + r, width_ - 1);
  const int y0 = std::max(p.y - box_.top - r, 0);
  const int y1 = std::min(p.y - box_.top + r, box_.Height() - 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (Bit(x, y)) return true;
  return false;
}
