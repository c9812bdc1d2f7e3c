// Geometry of a nine-grid blit: a bitmap drawn at any size with its borders kept unscaled.
//
// The source is cut by four margins into corners, edges and a centre. Corners are copied as they
// are, the top and bottom edges stretch horizontally, the left and right edges vertically, and the
// centre both ways, so a small rounded panel can back a bar of any size.
#pragma once

#include <array>

struct GridRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

struct NineGridMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// One of the nine blits: copy `source` onto `dest`, stretching when the sizes differ.
struct NineGridPiece {
  GridRect dest;
  GridRect source;
};

// Indices into the result of LayoutNineGrid.
enum NineGridPart {
  kGridTopLeft,
  kGridTop,
  kGridTopRight,
  kGridLeft,
  kGridCentre,
  kGridRight,
  kGridBottomLeft,
  kGridBottom,
  kGridBottomRight,
  kGridPartCount
};

// The nine pieces for drawing `source` into `dest` with the given margins.
//
// The stretchable middle of the source is at least 1 pixel: margins that leave less are reduced
// (in proportion to each other) so that no piece reads outside the source. When the destination
// is smaller than the two margins of an axis, the corners along that axis share it in proportion
// and the middle pieces are empty, so nothing is drawn outside `dest`. Negative margins count as
// 0; an empty source or destination gives nine empty pieces. Pieces whose destination or source
// is empty are to be skipped by the caller.
std::array<NineGridPiece, kGridPartCount> LayoutNineGrid(const GridRect& dest,
                                                         const GridRect& source,
                                                         const NineGridMargins& margins);
