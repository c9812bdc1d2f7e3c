// The colour and pen bar's window-free rules: the inclusive-edge pixel routines and their
// clipping, the looks of swatches, colour box and width buttons, and where a press on the bar
// starts a drag (never in the gaps between swatches).
#include "screenshot/ui/color_bar_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace colorbar;

constexpr uint32_t kBlank = 0x12345678u;
constexpr uint32_t kDark = 0xFF335B91u;  // RGB(51, 91, 145), opaque
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// A pixel store with a known filler, addressed top-down or bottom-up.
struct Canvas {
  Canvas(int w, int h, bool bottom_up = false) : px(static_cast<size_t>(w) * h, kBlank) {
    view.width = w;
    view.height = h;
    view.row_step_pixels = bottom_up ? -w : w;
    view.top_row = bottom_up ? px.data() + static_cast<size_t>(w) * (h - 1) : px.data();
  }
  uint32_t at(int x, int y) const { return view.At(x, y); }
  // One character per pixel: '.' untouched, 'D' dark frame, 'W' white, 'c' `colour`, '?' other.
  std::string Picture(uint32_t colour = 0) const {
    std::string s;
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        const uint32_t p = at(x, y);
        s += p == kBlank ? '.' : p == kDark ? 'D' : p == kWhite ? 'W' : p == colour ? 'c' : '?';
      }
      s += '\n';
    }
    return s;
  }
  std::vector<uint32_t> px;
  PixelView view;
};

std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) s += std::string(r) + "\n";
  return s;
}

TEST(ColorBarPixels, FillAndFrameIncludeTheRightAndBottomEdges) {
  for (bool bottom_up : {false, true}) {
    Canvas c(7, 6, bottom_up);
    FillInclusive(c.view, Rect{1, 1, 3, 2}, 0xFF00FF00u);
    FrameInclusive(c.view, Rect{2, 2, 5, 4}, kDark);
    EXPECT_EQ(c.Picture(0xFF00FF00u), Rows({".......",  //
                                            ".ccc...",  //
                                            ".cDDDD.",  //
                                            "..D..D.",  //
                                            "..DDDD.",  //
                                            "......."}))
        << (bottom_up ? "bottom-up" : "top-down");
  }
}

TEST(ColorBarPixels, ClippedToTheSurfaceLeavingOutClippedSides) {
  Canvas c(6, 5);
  // Left and top edges off the surface: only the right column and the bottom row are drawn.
  FrameInclusive(c.view, Rect{-2, -3, 2, 1}, kDark);
  // Right and bottom edges past the last column and row: only the left column and top row.
  FrameInclusive(c.view, Rect{3, 2, 9, 8}, kDark);
  EXPECT_EQ(c.Picture(), Rows({"..D...",  //
                               "DDD...",  //
                               "...DDD",  //
                               "...D..",  //
                               "...D.."}));
  // A fill clipped the same way covers what is left of it, up to the last column and row.
  Canvas f(4, 3);
  FillInclusive(f.view, Rect{2, -5, 40, 1}, kWhite);
  EXPECT_EQ(f.Picture(), Rows({"..WW", "..WW", "...."}));
}

TEST(ColorBarPixels, NothingDrawnWithoutAClippedWidthAndHeight) {
  Canvas c(5, 5);
  FillInclusive(c.view, Rect{2, 1, 2, 4}, kWhite);      // left == right
  FrameInclusive(c.view, Rect{1, 3, 4, 3}, kDark);      // top == bottom
  FillInclusive(c.view, Rect{4, 0, 9, 3}, kWhite);      // clipped to one column
  FrameInclusive(c.view, Rect{-6, -6, -1, -1}, kDark);  // wholly off the surface
  FillInclusive(c.view, Rect{3, 1, 1, 3}, kWhite);      // turned over
  EXPECT_EQ(c.Picture(), Rows({".....", ".....", ".....", ".....", "....."}));
  FillInclusive(PixelView{}, Rect{0, 0, 3, 3}, kWhite);  // no pixels at all: no crash
}

// Swatches as the bar lays them out are 10 x 10 rectangles painted 11 x 11; here one sits at
// (1, 1) of a 13 x 13 canvas.
const Rect kSwatch{1, 1, 11, 11};

TEST(ColorBarSwatches, PlainSwatchIsItsColourAlone) {
  Canvas c(13, 13);
  PaintSwatch(c.view, kSwatch, 4, 10, 0);  // green, red chosen
  const std::string p = c.Picture(0xFF008000u);
  EXPECT_EQ(p.substr(0, 14), ".............\n");
  EXPECT_EQ(p.substr(14, 14), ".ccccccccccc.\n");
  EXPECT_EQ(std::count(p.begin(), p.end(), 'c'), 121);
}

TEST(ColorBarSwatches, SelectedAndHoveredShowTheTwoPixelBorder) {
  const std::string border = Rows({".............",  //
                                   ".DDDDDDDDDDD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWcccccccWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DDDDDDDDDDD.",  //
                                   "............."});
  struct Case {
    int current;
    unsigned state;
  } cases[] = {{13, 0}, {0, kStateHot}, {0, kStatePressed}, {13, kStateHot}};
  for (const Case& k : cases) {
    Canvas c(13, 13);
    PaintSwatch(c.view, kSwatch, 13, k.current, k.state);  // blue
    EXPECT_EQ(c.Picture(0xFF0000FFu), border) << k.current << " " << k.state;
  }
  // Other states (checked, disabled, the two at once) are no hover.
  Canvas c(13, 13);
  PaintSwatch(c.view, kSwatch, 13, 0, kStateHot | kStatePressed);
  EXPECT_EQ(std::count(c.px.begin(), c.px.end(), kDark), 0);
}

TEST(ColorBarSwatches, TheWhiteSwatchKeepsAFrameAndItsHoverBorderSitsFurtherIn) {
  Canvas plain(13, 13), selected(13, 13), hovered(13, 13);
  PaintSwatch(plain.view, kSwatch, 8, 0, 0);
  PaintSwatch(selected.view, kSwatch, 8, 8, 0);
  PaintSwatch(hovered.view, kSwatch, 8, 0, kStateHot);
  EXPECT_EQ(plain.Picture(), Rows({".............",  //
                                   ".DDDDDDDDDDD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DWWWWWWWWWD.",  //
                                   ".DDDDDDDDDDD.",  //
                                   "............."}));
  EXPECT_EQ(selected.Picture(), plain.Picture()) << "white inside dark, as any selected swatch";
  EXPECT_EQ(hovered.Picture(), Rows({".............",  //
                                     ".WWWWWWWWWWW.",  //
                                     ".WDDDDDDDDDD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDWWWWWWWWD.",  //
                                     ".WDDDDDDDDDD.",  //
                                     "............."}));
}

TEST(ColorBarSwatches, CurrentColourBoxIsFramedOnlyWhenWhite) {
  Canvas red(6, 6), white(6, 6);
  PaintCurrentColor(red.view, Rect{1, 1, 4, 4}, 0x0000FF);
  PaintCurrentColor(white.view, Rect{1, 1, 4, 4}, 0xFFFFFF);
  EXPECT_EQ(red.Picture(0xFFFF0000u),
            Rows({"......", ".cccc.", ".cccc.", ".cccc.", ".cccc.", "......"}));
  EXPECT_EQ(white.Picture(), Rows({"......", ".DDDD.", ".DWWD.", ".DWWD.", ".DDDD.", "......"}));
  EXPECT_EQ(OpaquePixel(0x7F915B33u), kDark) << "the top byte of a COLORREF is no alpha";
}

TEST(ColorBarWidthButtons, HoverWinsOverTheCurrentWidth) {
  EXPECT_EQ(WidthButtonFrame(1, 1, 0), WidthFrame::kPressed);
  EXPECT_EQ(WidthButtonFrame(1, 1, kStateHot), WidthFrame::kHover);
  EXPECT_EQ(WidthButtonFrame(0, 1, kStateHot), WidthFrame::kHover);
  EXPECT_EQ(WidthButtonFrame(0, 1, kStatePressed), WidthFrame::kPressed);
  EXPECT_EQ(WidthButtonFrame(0, 1, 0), WidthFrame::kNone);
  EXPECT_EQ(WidthButtonFrame(0, 1, 8), WidthFrame::kNone);  // checked is no look of its own
  // The dots (21 x 22) in 20 x 20 buttons: halves rounded toward zero.
  EXPECT_EQ(CentredIn(Rect{7, 7, 27, 27}, Size{21, 22}), (Point{7, 6}));
  EXPECT_EQ(CentredIn(Rect{30, 7, 50, 27}, Size{10, 5}), (Point{35, 14}));
}

TEST(ColorBarIds, SwatchAndWidthIdsMapToTheirIndexes) {
  EXPECT_EQ(SwatchIndexOfId(1001), 0);
  EXPECT_EQ(SwatchIndexOfId(1009), 8);
  EXPECT_EQ(SwatchIndexOfId(1016), 15);
  EXPECT_EQ(SwatchIndexOfId(1017), -1);
  EXPECT_EQ(SwatchIndexOfId(1000), -1);
  EXPECT_EQ(WidthIndexOfId(1019), 0);
  EXPECT_EQ(WidthIndexOfId(1021), 2);
  EXPECT_EQ(WidthIndexOfId(1018), -1);
  EXPECT_EQ(WidthIndexOfId(1022), -1);
}

// The bar as template 301 lays it out: 213 x 34, width buttons at x 7, 30, 53 (20 x 20, y 7),
// the colour box at (85, 6), swatches 10 x 10 from x 112 in steps of 12, rows at y 6 and 18.
class ColorBarPoints : public testing::Test {
 protected:
  ColorBarPoints() {
    for (int x : {7, 30, 53}) buttons_.push_back(Rect{x, 7, x + 20, 27});
    for (int row : {6, 18})
      for (int col = 0; col < 8; ++col)
        buttons_.push_back(Rect{112 + 12 * col, row, 122 + 12 * col, row + 10});
  }
  PointClass At(int x, int y, bool in_window = true) const {
    const Rect area = PaletteArea(Rect{112, 6, 122, 16}, Rect{196, 18, 206, 28});
    return ClassifyPoint(Point{x, y}, kClient, area, buttons_, in_window);
  }
  const Rect kClient{0, 0, 213, 34};
  std::vector<Rect> buttons_;
};

TEST_F(ColorBarPoints, GapsBetweenSwatchesAreControlsNotDragHandles) {
  EXPECT_EQ(At(123, 10), PointClass::kOnControl);  // between two swatches of the top row
  EXPECT_EQ(At(130, 17), PointClass::kOnControl);  // between the two rows
  EXPECT_EQ(At(115, 10), PointClass::kOnControl);  // on a swatch
  EXPECT_EQ(At(20, 20), PointClass::kOnControl);   // on a width button
}

TEST_F(ColorBarPoints, HalfASwatchAroundThePaletteStillCounts) {
  // The palette area is (107, 1) to (211, 33), exclusive.
  EXPECT_EQ(At(107, 10), PointClass::kOnControl);
  EXPECT_EQ(At(106, 10), PointClass::kDragArea);
  EXPECT_EQ(At(150, 1), PointClass::kOnControl);
  EXPECT_EQ(At(150, 0), PointClass::kDragArea);
  EXPECT_EQ(At(210, 32), PointClass::kOnControl);
  EXPECT_EQ(At(211, 20), PointClass::kDragArea);
  EXPECT_EQ(At(150, 33), PointClass::kDragArea);
}

TEST_F(ColorBarPoints, BackgroundAndTheColourBoxAreTheDragHandle) {
  EXPECT_EQ(At(2, 15), PointClass::kDragArea);   // left margin
  EXPECT_EQ(At(28, 15), PointClass::kDragArea);  // between two width buttons
  EXPECT_EQ(At(95, 15), PointClass::kDragArea);  // the colour box is no button
  EXPECT_EQ(At(40, 30), PointClass::kDragArea);  // under the width buttons
}

TEST_F(ColorBarPoints, OutsideTheClientAreaOnlyTheWindowCounts) {
  EXPECT_EQ(At(-1, 10, true), PointClass::kDragArea);
  EXPECT_EQ(At(-1, 10, false), PointClass::kOutside);
  EXPECT_EQ(At(213, 34, false), PointClass::kOutside);
}

}  // namespace
