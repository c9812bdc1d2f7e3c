// Nine-grid geometry: where each of the nine blits reads and writes.
#include <gtest/gtest.h>

#include <vector>

#include "screenshot/ui/nine_grid.h"

namespace {

void ExpectRect(const GridRect& r, int x, int y, int w, int h, const char* what) {
  EXPECT_EQ(r.x, x) << what;
  EXPECT_EQ(r.y, y) << what;
  EXPECT_EQ(r.width, w) << what;
  EXPECT_EQ(r.height, h) << what;
}

TEST(NineGrid, PanelStretchedOverABar) {
  // The 34 x 32 tool bar panel, margins 3, drawn at (10, 20) as 100 x 50.
  auto p = LayoutNineGrid({10, 20, 100, 50}, {0, 0, 34, 32}, {3, 3, 3, 3});
  ExpectRect(p[kGridTopLeft].dest, 10, 20, 3, 3, "top-left dest");
  ExpectRect(p[kGridTopLeft].source, 0, 0, 3, 3, "top-left source");
  ExpectRect(p[kGridTop].dest, 13, 20, 94, 3, "top dest");
  ExpectRect(p[kGridTop].source, 3, 0, 28, 3, "top source");
  ExpectRect(p[kGridTopRight].dest, 107, 20, 3, 3, "top-right dest");
  ExpectRect(p[kGridTopRight].source, 31, 0, 3, 3, "top-right source");
  ExpectRect(p[kGridLeft].dest, 10, 23, 3, 44, "left dest");
  ExpectRect(p[kGridLeft].source, 0, 3, 3, 26, "left source");
  ExpectRect(p[kGridCentre].dest, 13, 23, 94, 44, "centre dest");
  ExpectRect(p[kGridCentre].source, 3, 3, 28, 26, "centre source");
  ExpectRect(p[kGridRight].dest, 107, 23, 3, 44, "right dest");
  ExpectRect(p[kGridRight].source, 31, 3, 3, 26, "right source");
  ExpectRect(p[kGridBottomLeft].dest, 10, 67, 3, 3, "bottom-left dest");
  ExpectRect(p[kGridBottomLeft].source, 0, 29, 3, 3, "bottom-left source");
  ExpectRect(p[kGridBottom].dest, 13, 67, 94, 3, "bottom dest");
  ExpectRect(p[kGridBottom].source, 3, 29, 28, 3, "bottom source");
  ExpectRect(p[kGridBottomRight].dest, 107, 67, 3, 3, "bottom-right dest");
  ExpectRect(p[kGridBottomRight].source, 31, 29, 3, 3, "bottom-right source");
}

TEST(NineGrid, UnevenMarginsAndAFrameInsideAStrip) {
  // Second 24 x 26 frame of a strip (source x 24), margins 2 / 4 / 5 / 1, drawn 60 x 30.
  auto p = LayoutNineGrid({0, 0, 60, 30}, {24, 0, 24, 26}, {2, 4, 5, 1});
  ExpectRect(p[kGridTopLeft].source, 24, 0, 2, 4, "top-left source");
  ExpectRect(p[kGridTopLeft].dest, 0, 0, 2, 4, "top-left dest");
  ExpectRect(p[kGridCentre].source, 26, 4, 17, 21, "centre source");
  ExpectRect(p[kGridCentre].dest, 2, 4, 53, 25, "centre dest");
  ExpectRect(p[kGridBottomRight].source, 43, 25, 5, 1, "bottom-right source");
  ExpectRect(p[kGridBottomRight].dest, 55, 29, 5, 1, "bottom-right dest");
}

TEST(NineGrid, SourceTooSmallForItsMarginsKeepsOneMiddlePixelInside) {
  // 5 pixels cannot hold 3 + 3 margins and a middle: margins shrink to 2 + 2, middle 1.
  auto p = LayoutNineGrid({0, 0, 40, 40}, {10, 0, 5, 7}, {3, 3, 3, 3});
  ExpectRect(p[kGridTopLeft].source, 10, 0, 2, 3, "top-left source");
  ExpectRect(p[kGridTop].source, 12, 0, 1, 3, "top source");
  ExpectRect(p[kGridTopRight].source, 13, 0, 2, 3, "top-right source");
  ExpectRect(p[kGridCentre].source, 12, 3, 1, 1, "centre source");
  ExpectRect(p[kGridTopLeft].dest, 0, 0, 2, 3, "top-left dest");
  ExpectRect(p[kGridTopRight].dest, 38, 0, 2, 3, "top-right dest");
  // A 1-pixel source is all middle.
  auto q = LayoutNineGrid({0, 0, 8, 8}, {0, 0, 1, 1}, {3, 3, 3, 3});
  ExpectRect(q[kGridCentre].source, 0, 0, 1, 1, "1-pixel centre source");
  ExpectRect(q[kGridCentre].dest, 0, 0, 8, 8, "1-pixel centre dest");
  EXPECT_TRUE(q[kGridTopLeft].source.empty());
}

TEST(NineGrid, DestinationSmallerThanTheMarginsStaysInside) {
  // 4 x 2 pixels for margins 3 + 3 (across) and 3 + 1 (down): corners share the space, the
  // middles get nothing.
  auto p = LayoutNineGrid({100, 200, 4, 2}, {0, 0, 34, 32}, {3, 3, 3, 1});
  ExpectRect(p[kGridTopLeft].dest, 100, 200, 2, 1, "top-left dest");
  ExpectRect(p[kGridTopRight].dest, 102, 200, 2, 1, "top-right dest");
  ExpectRect(p[kGridBottomLeft].dest, 100, 201, 2, 1, "bottom-left dest");
  ExpectRect(p[kGridBottomRight].dest, 102, 201, 2, 1, "bottom-right dest");
  EXPECT_TRUE(p[kGridTop].dest.empty());
  EXPECT_TRUE(p[kGridLeft].dest.empty());
  EXPECT_TRUE(p[kGridCentre].dest.empty());
  ExpectRect(p[kGridTopLeft].source, 0, 0, 3, 3, "corners still read whole");
}

TEST(NineGrid, ZeroNegativeAndEmptyInputs) {
  auto whole = LayoutNineGrid({5, 6, 20, 10}, {0, 0, 8, 8}, {0, -4, 0, -1});
  ExpectRect(whole[kGridCentre].dest, 5, 6, 20, 10, "no margins: centre is everything");
  ExpectRect(whole[kGridCentre].source, 0, 0, 8, 8, "no margins: whole source");
  for (int i = 0; i < kGridPartCount; ++i) {
    if (i != kGridCentre) {
      EXPECT_TRUE(whole[i].dest.empty()) << i;
    }
  }

  for (const auto& pieces : {LayoutNineGrid({0, 0, 0, 10}, {0, 0, 8, 8}, {1, 1, 1, 1}),
                             LayoutNineGrid({0, 0, 10, -3}, {0, 0, 8, 8}, {1, 1, 1, 1}),
                             LayoutNineGrid({0, 0, 10, 10}, {0, 0, 8, 0}, {1, 1, 1, 1})})
    for (const NineGridPiece& piece : pieces)
      EXPECT_TRUE(piece.dest.empty() || piece.source.empty());
}

// Along one axis the pieces of each row must cover [origin, origin + length) exactly once, in
// order, for the destination and for the source.
void ExpectTiles(const std::vector<GridRect>& row, bool horizontal, int origin, int length,
                 const char* what) {
  int at = origin;
  for (const GridRect& r : row) {
    EXPECT_EQ(horizontal ? r.x : r.y, at) << what;
    int len = horizontal ? r.width : r.height;
    EXPECT_GE(len, 0) << what;
    at += len;
  }
  EXPECT_EQ(at, origin + length) << what;
}

TEST(NineGrid, PiecesTileSourceAndDestinationForManySizes) {
  const GridRect src{7, 9, 0, 0};
  for (int sw = 1; sw <= 12; ++sw) {
    for (int dw = 1; dw <= 14; ++dw) {
      for (int m = 0; m <= 7; ++m) {
        const GridRect dst{-3, 4, dw, dw + 1};
        const GridRect s{src.x, src.y, sw, sw + 2};
        auto p = LayoutNineGrid(dst, s, {m, m + 1, 7 - m, m});
        for (int row = 0; row < 3; ++row) {
          ExpectTiles({p[row * 3].dest, p[row * 3 + 1].dest, p[row * 3 + 2].dest}, true, dst.x,
                      dst.width, "dest row");
          ExpectTiles({p[row * 3].source, p[row * 3 + 1].source, p[row * 3 + 2].source}, true, s.x,
                      s.width, "source row");
          ExpectTiles({p[row].dest, p[row + 3].dest, p[row + 6].dest}, false, dst.y, dst.height,
                      "dest column");
          ExpectTiles({p[row].source, p[row + 3].source, p[row + 6].source}, false, s.y, s.height,
                      "source column");
        }
        // The stretchable middle of the source is never empty.
        EXPECT_GE(p[kGridCentre].source.width, 1);
        EXPECT_GE(p[kGridCentre].source.height, 1);
        // Corners are never stretched: destination no larger than source.
        for (int c : {kGridTopLeft, kGridTopRight, kGridBottomLeft, kGridBottomRight}) {
          EXPECT_LE(p[c].dest.width, p[c].source.width);
          EXPECT_LE(p[c].dest.height, p[c].source.height);
        }
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
}

}  // namespace
