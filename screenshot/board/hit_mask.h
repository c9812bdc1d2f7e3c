// A drawn object's hit mask: one bit per pixel of its stroke, packed from a picture of the
// stroke painted white on black, for the body hit test of select mode and the right button.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "screenshot/base/geometry.h"

class HitMask {
 public:
  // The mask covers `box` (board coordinates); empty until Pack.
  bool empty() const { return bits_.empty(); }
  void Clear();
  const Rect& box() const { return box_; }
  int bytes_per_row() const { return bytes_per_row_; }

  // The width of the picture to paint for a box `box_width` wide: rounded up to whole bytes of
  // the mask (a multiple of 8).
  static int PictureWidth(int box_width) { return (box_width + 7) / 8 * 8; }
  // Packs a 24-bit picture (blue, green, red bytes; rows `stride` bytes apart from the top row)
  // of PictureWidth(box width) x box height pixels: bit i of byte n of a row is pixel 8n + i,
  // set when the pixel's blue byte is nonzero.
  void Pack(const Rect& box, const uint8_t* top_row, std::ptrdiff_t stride);

  bool Bit(int x, int y) const;  // mask coordinates; false outside
  // Whether a set bit lies within r of p (board coordinates) in both directions, r being 5 when
  // `wide` (keeping a hover) and 3 otherwise; the square is clipped to the mask.
  bool Hit(Point p, bool wide) const;

 private:
  Rect box_;
  int width_ = 0;  // PictureWidth of the box
  int bytes_per_row_ = 0;
  std::vector<uint8_t> bits_;
};
