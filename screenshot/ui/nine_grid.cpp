// Geometry of a nine-grid blit.
#include "screenshot/ui/nine_grid.h"

#include <algorithm>

namespace {

// The three spans (start margin, middle, end margin) of one axis, as origin/length pairs.
struct AxisSpans {
  int dest_pos[3] = {};
  int dest_len[3] = {};
  int src_pos[3] = {};
  int src_len[3] = {};
};

AxisSpans LayoutAxis(int dest_pos, int dest_len, int src_pos, int src_len, int start, int end) {
  AxisSpans a;
  if (dest_len <= 0 || src_len <= 0) return a;  // all lengths 0: every piece empty
  // 64-bit products: margins and lengths are arbitrary ints from the caller.
  long long s = std::max(start, 0);
  long long e = std::max(end, 0);

  // Source: keep at least one stretchable pixel in the middle.
  const long long room = src_len - 1;
  if (s + e > room) {
    const long long total = s + e;
    s = s * room / total;
    e = room - s;
  }
  a.src_pos[0] = src_pos;
  a.src_len[0] = static_cast<int>(s);
  a.src_pos[1] = static_cast<int>(src_pos + s);
  a.src_len[1] = static_cast<int>(src_len - s - e);
  a.src_pos[2] = static_cast<int>(src_pos + src_len - e);
  a.src_len[2] = static_cast<int>(e);

  // Destination: corners at their natural size when they fit, else sharing the length.
  long long ds = s;
  long long de = e;
  if (ds + de > dest_len) {
    const long long total = ds + de;
    ds = ds * dest_len / total;
    de = dest_len - ds;
  }
  a.dest_pos[0] = dest_pos;
  a.dest_len[0] = static_cast<int>(ds);
  a.dest_pos[1] = static_cast<int>(dest_pos + ds);
  a.dest_len[1] = static_cast<int>(dest_len - ds - de);
  a.dest_pos[2] = static_cast<int>(dest_pos + dest_len - de);
  a.dest_len[2] = static_cast<int>(de);
  return a;
}

}  // namespace

std::array<NineGridPiece, kGridPartCount> LayoutNineGrid(const GridRect& dest,
                                                         const GridRect& source,
                                                         const NineGridMargins& margins) {
  const AxisSpans h =
      LayoutAxis(dest.x, dest.width, source.x, source.width, margins.left, margins.right);
  const AxisSpans v =
      LayoutAxis(dest.y, dest.height, source.y, source.height, margins.top, margins.bottom);
  std::array<NineGridPiece, kGridPartCount> pieces;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      NineGridPiece& p = pieces[row * 3 + col];
      p.dest = {h.dest_pos[col], v.dest_pos[row], h.dest_len[col], v.dest_len[row]};
      p.source = {h.src_pos[col], v.src_pos[row], h.src_len[col], v.src_len[row]};
    }
  }
  return pieces;
}
