// What each kind of object puts on the board's layers, checked against pixels worked out here:
// where a pen's stroke lies and what colour it is, an arrow's tip and shaft, a dash pattern's
// gaps, hover colours, the marching outline of a selected free-hand line, and compose.
//
// A pen w pixels wide centred on the line x = c covers c - w/2 .. c + w/2; the pixel whose
// centre lies on that band's middle is fully covered however the pixel grid is placed (at
// integer centres or at half-pixel ones), and pixels more than w/2 + 1 away are untouched.
#include <gtest/gtest.h>

#include <cstdlib>

#include "screenshot/base/tool_commands.h"
#include "win/support/test_board.h"

namespace {

using testboard::BoardTest;

constexpr COLORREF kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kMagenta = 0xFF00FF;
constexpr uint32_t kRedArgb = 0xFFFF0000, kBlueArgb = 0xFF0000FF, kGreenArgb = 0xFF00FF00;

// Within 64 of the colour in every channel: a stroke's pixel, allowing for anti-aliasing.
bool Near(uint32_t pixel, uint32_t argb) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                 static_cast<int>((argb >> shift) & 0xFF)) > 64)
      return false;
  return true;
}

class BoardDrawing : public BoardTest {
 protected:
  const BoardLayer& Bg() const { return board_.background_layer(); }
};

TEST_F(BoardDrawing, RectangleOfTwoPixelsLiesOnItsEdgesInItsColour) {
  Choose(kToolRectangle, kRed, 2);
  Drag(20, 20, 80, 60);
  ASSERT_EQ(ObjectCount(), 1);
  for (int y = 25; y <= 55; y += 5) {
    EXPECT_EQ(At(Bg(), 20, y), kRedArgb) << y;
    EXPECT_EQ(At(Bg(), 80, y), kRedArgb) << y;
    for (int x : {17, 18, 22, 23, 50, 77, 78, 82, 83}) EXPECT_EQ(At(Bg(), x, y), Under(x, y));
  }
  for (int x = 25; x <= 75; x += 5) {
    EXPECT_EQ(At(Bg(), x, 20), kRedArgb) << x;
    EXPECT_EQ(At(Bg(), x, 60), kRedArgb) << x;
    for (int y : {17, 18, 22, 23, 40, 57, 58, 62, 63}) EXPECT_EQ(At(Bg(), x, y), Under(x, y));
  }
  // The host was shown the background alone, which is what the user sees.
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(Shown(20, 40), kRedArgb);
  EXPECT_EQ(Shown(50, 40), Under(50, 40));
}

TEST_F(BoardDrawing, EllipseTouchesTheMiddleOfEachSideButNotTheCorners) {
  Choose(kToolEllipse, kBlue, 2);
  Drag(40, 30, 160, 110);  // centre (100, 70), radii 60 and 40
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_TRUE(Near(At(Bg(), 40, 70), kBlueArgb));
  EXPECT_TRUE(Near(At(Bg(), 159, 70), kBlueArgb));
  EXPECT_TRUE(Near(At(Bg(), 100, 30), kBlueArgb));
  EXPECT_TRUE(Near(At(Bg(), 100, 109), kBlueArgb));
  for (Point p : {Point{100, 70}, Point{40, 30}, Point{160, 110}, Point{45, 35}, Point{37, 70}})
    EXPECT_EQ(At(Bg(), p.x, p.y), Under(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(BoardDrawing, ArrowHasItsTipOnTheHeadPointAndAShaftAlongTheLine) {
  Choose(kToolArrow, kGreen, 2);  // h = 4: a head 8 long and 8 wide
  Drag(20, 40, 120, 40);
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(At(Bg(), 118, 40), kGreenArgb);  // just behind the tip
  EXPECT_EQ(At(Bg(), 113, 37), kGreenArgb);  // the head is wider than the shaft
  EXPECT_EQ(At(Bg(), 113, 42), kGreenArgb);
  EXPECT_EQ(At(Bg(), 60, 40), kGreenArgb);  // the shaft
  EXPECT_EQ(At(Bg(), 21, 40), kGreenArgb);
  for (Point p : {Point{122, 40}, Point{123, 40}, Point{113, 34}, Point{113, 45}, Point{60, 37},
                  Point{60, 43}, Point{17, 40}})
    EXPECT_EQ(At(Bg(), p.x, p.y), Under(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(BoardDrawing, DashedOutlineHasGapsOfOnePenWidthAfterDashesOfThree) {
  Choose(kToolRectangle, kRed, 2, 1);  // dash: 6 on, 2 off from the top-left corner
  Drag(20, 20, 100, 60);
  for (int x : {22, 23, 24, 29, 30, 31, 32, 37, 38, 39, 40})
    EXPECT_EQ(At(Bg(), x, 20), kRedArgb) << x;
  for (int x : {26, 27, 34, 35, 42, 43}) EXPECT_EQ(At(Bg(), x, 20), Under(x, 20)) << x;
}

TEST_F(BoardDrawing, FreeHandLineRunsThroughEveryPoint) {
  Choose(kToolBrush, kMagenta, 3);
  Press(20, 100);
  for (Point p : {Point{40, 100}, Point{60, 100}, Point{60, 115}, Point{60, 130}}) Move(p.x, p.y);
  Release(60, 130);
  ASSERT_EQ(ObjectCount(), 1);
  auto* line = static_cast<CScrawlBoard::CObjectPolyline*>(Last());
  EXPECT_EQ(line->points.size(), 5u);
  EXPECT_EQ(line->rect, (Rect{20, 100, 60, 130}));
  for (Point p : {Point{30, 100}, Point{50, 100}, Point{60, 110}, Point{60, 125}})
    EXPECT_TRUE(Near(At(Bg(), p.x, p.y), 0xFFFF00FF)) << p.x << "," << p.y;
  for (Point p : {Point{40, 96}, Point{40, 104}, Point{56, 120}, Point{64, 120}, Point{15, 100}})
    EXPECT_EQ(At(Bg(), p.x, p.y), Under(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(BoardDrawing, HoveredShapesShowTheirHoverColour) {
  struct Case {
    COLORREF color;
    uint32_t hover;
  } cases[] = {{kRed, 0xFF00FFFF}, {0x808080, 0xFF000000}, {0xFFFFFF, 0xFF000000}};
  for (int i = 0; i < 4; ++i) {
    Choose(kToolRectangle, i < 3 ? cases[i].color : kBlue, 2);
    Drag(20, 15 + 35 * i, 180, 40 + 35 * i);
  }
  board_.SelectNext();  // the last one is selected; the others can be hovered
  for (int i = 0; i < 3; ++i) {
    const int y = 15 + 35 * i;
    Hover(100, y);  // on the top edge
    ASSERT_TRUE(board_.hovered()) << i;
    EXPECT_TRUE(board_.shown_hover);
    EXPECT_TRUE(board_.shown_overlay) << "the selection stays shown";
    EXPECT_EQ(At(board_.hover_layer(), 100, y), cases[i].hover) << i;
    EXPECT_EQ(Shown(100, y), cases[i].hover) << i;
    EXPECT_EQ(Shown(100, y + 10), Under(100, y + 10)) << i;
  }
  Hover(100, 5);  // away from everything
  EXPECT_FALSE(board_.hovered());
  EXPECT_FALSE(board_.shown_hover);
  EXPECT_EQ(Shown(100, 15), kRedArgb);
}

// The black runs along a row of the overlay, left to right.
std::vector<int> BlackRuns(const BoardLayer& layer, int y, int x0, int x1) {
  std::vector<int> runs;
  int run = 0;
  for (int x = x0; x < x1; ++x) {
    if (layer.pixels().At(x, y) == 0xFF000000u) {
      ++run;
    } else if (run) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

TEST_F(BoardDrawing, SelectedFreeHandLineMarchesDashDotBelowFourPixelsAndDotsFromFour) {
  for (int width : {3, 4}) {
    board_.Detach();
    ASSERT_TRUE(board_.Attach(kOriginX, kOriginY, kWidth, kHeight, host_, ScreenView()));
    Choose(kToolBrush, kBlue, width);
    Drag(10, 50, 190, 50);
    board_.SelectNext();
    const BoardLayer& ov = board_.overlay_layer();
    EXPECT_TRUE(board_.shown_overlay);
    EXPECT_EQ(At(ov, 100, 50), kBlueArgb) << width;  // the line itself on top
    // No grey is left of the core under the line.
    for (int y = 40; y < 60; ++y)
      for (int x = 0; x < kWidth; ++x)
        ASSERT_NE((At(ov, x, y) >> 16) & 0xFF, 0x80u) << x << "," << y << " width " << width;
    // Along the outline's edge (3 above the line's middle), black runs over white.
    const std::vector<int> runs = BlackRuns(ov, 47, 20, 180);
    ASSERT_GE(runs.size(), 3u) << width;
    int longest = 0;
    for (int r : runs) longest = std::max(longest, r);
    if (width == 3)
      EXPECT_GE(longest, 15) << "dash-dot: dashes of 18 (3 x 6)";
    else
      EXPECT_LE(longest, 8) << "dots of 7";
    EXPECT_EQ(At(ov, 100, 30), 0u);  // transparent away from the line
  }
}

TEST_F(BoardDrawing, ComposeBlendsTheLiveObjectsOverTheCallersPixelsOnly) {
  // The caller's picture: a DIB with its own pattern.
  void* bits = nullptr;
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(bi.bmiHeader), kWidth, -kHeight, 1, 32};
  ScopedBitmap image(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < kWidth * kHeight; ++i) px[i] = 0x00102030u + static_cast<uint32_t>(i % 7);
  const std::vector<uint32_t> before(px, px + kWidth * kHeight);
  ScopedDC dc(CreateCompatibleDC(nullptr));
  ScopedSelectObject selected(dc.get(), image.get());
  board_.Compose(dc.get());  // nothing drawn yet
  GdiFlush();
  EXPECT_EQ(std::vector<uint32_t>(px, px + kWidth * kHeight), before);

  Choose(kToolRectangle, kRed, 2);
  Drag(20, 20, 80, 60);
  Choose(kToolRectangle, kBlue, 2);
  Drag(100, 20, 140, 60);
  board_.Undo();  // the blue one is not live
  board_.Compose(dc.get());
  GdiFlush();
  EXPECT_EQ(px[40 * kWidth + 20] & 0xFFFFFF, 0xFF0000u);
  for (int i : {40 * kWidth + 50, 40 * kWidth + 100, 20 * kWidth + 120, 0})
    EXPECT_EQ(px[i] & 0xFFFFFF, before[static_cast<size_t>(i)] & 0xFFFFFF) << i;
}

}  // namespace
