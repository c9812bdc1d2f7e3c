// The drop lists' geometry, where they open, and the size list's points and pixels.
#include <gtest/gtest.h>

#include <vector>

#include "screenshot/ui/drop_list_layout.h"
#include "screenshot/ui/point_sizes.h"

namespace {

constexpr int kScroll = 12;

TEST(FontListLayout, NineFacesOrFewerHaveNoScrollBarTenOrMoreHaveOne) {
  // Five faces 20 pixels high: 2 + 5 x 24 + 2 high; 150 + 6 + 12 + 4 wide.
  FontListGeometry g = LayoutFontList(std::vector<int>(5, 20), 150, kScroll);
  EXPECT_EQ(g.window, (Size{172, 124}));
  EXPECT_FALSE(g.scroll_visible);
  EXPECT_EQ(g.items, (Rect{2, 2, 170, 122}));  // the whole width: the bar is hidden
  EXPECT_EQ(g.scroll, (Rect{158, 2, 170, 122}));

  g = LayoutFontList(std::vector<int>(9, 20), 150, kScroll);
  EXPECT_FALSE(g.scroll_visible);
  EXPECT_EQ(g.window.height, 2 + 9 * 24 + 2);

  g = LayoutFontList(std::vector<int>(10, 20), 150, kScroll);
  EXPECT_TRUE(g.scroll_visible);
  EXPECT_EQ(g.window, (Size{172, 2 + 9 * 24 + 2}));  // same width as without the bar
  EXPECT_EQ(g.items, (Rect{2, 2, 158, 218}));        // the rows end at the bar
  EXPECT_EQ(g.scroll, (Rect{158, 2, 170, 218}));
}

TEST(FontListLayout, HeightFollowsTheLastNineEntries) {
  std::vector<int> heights(12, 18);
  heights[0] = 60;   // not among the last nine
  heights[11] = 30;  // among them
  const FontListGeometry g = LayoutFontList(heights, 100, kScroll);
  EXPECT_EQ(g.window.height, 2 + 8 * 22 + 34 + 2);
  // No faces at all: an empty panel.
  EXPECT_EQ(LayoutFontList({}, 0, kScroll).window, (Size{22, 4}));
}

TEST(FontListLayout, RowsStackFromTheFirstVisibleEntryWhileTheyFit) {
  const std::vector<int> heights = {20, 20, 40, 20, 20, 20};
  const Rect items = {2, 2, 100, 2 + 24 + 44 + 24};
  std::vector<Rect> rows = LayoutFontRows(heights, 1, items);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (Rect{2, 2, 100, 26}));
  EXPECT_EQ(rows[1], (Rect{2, 26, 100, 70}));
  EXPECT_EQ(rows[2], (Rect{2, 70, 100, 94}));
  // Short rows never run past the last entry, however much room is left.
  rows = LayoutFontRows(heights, 4, Rect{2, 2, 100, 1000});
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_TRUE(LayoutFontRows(heights, 6, items).empty());
  // The arrow step is one row fewer than shown, at least 1.
  EXPECT_EQ(FontListArrowStep(9), 8);
  EXPECT_EQ(FontListArrowStep(1), 1);
  EXPECT_EQ(FontListArrowStep(0), 1);
}

TEST(FontListLayout, FirstVisibleEntryKeepsTheSelectionInAFullPage) {
  EXPECT_EQ(FontListFirstVisible(-1, 50), 0);
  EXPECT_EQ(FontListFirstVisible(3, 50), 3);
  EXPECT_EQ(FontListFirstVisible(45, 50), 41);  // the last nine
  EXPECT_EQ(FontListFirstVisible(5, 7), 0);     // fewer than nine
}

TEST(SizeListLayout, EightRowsBesideTheScrollBar) {
  const SizeListGeometry g = LayoutSizeList(kScroll);
  EXPECT_EQ(g.window, (Size{42, 164}));
  EXPECT_EQ(g.rows[0], (Rect{2, 2, 28, 22}));
  EXPECT_EQ(g.rows[7], (Rect{2, 142, 28, 162}));
  EXPECT_EQ(g.scroll, (Rect{28, 2, 40, 162}));
  EXPECT_EQ(SizeListFirstVisible(-1), 0);
  EXPECT_EQ(SizeListFirstVisible(5), 5);
  EXPECT_EQ(SizeListFirstVisible(8), 8);
  EXPECT_EQ(SizeListFirstVisible(9), 8);
  EXPECT_EQ(SizeListFirstVisible(15), 8);
}

TEST(DropListPlacement, BelowTheButtonKeptOnItsMonitor) {
  const Rect screen = {0, 0, 1280, 800};
  const Size list = {200, 250};
  const Rect button = {100, 300, 156, 322};
  EXPECT_EQ(PlaceFontList(button, list, screen), (Point{98, 320}));
  // Near the bottom: above the button, overlapping its top edge by 2.
  EXPECT_EQ(PlaceFontList({100, 700, 156, 722}, list, screen), (Point{98, 452}));
  // Near the right edge: up to 2 pixels past it.
  EXPECT_EQ(PlaceFontList({1200, 300, 1256, 322}, list, screen), (Point{1082, 320}));
  // At the left edge: not before it.
  EXPECT_EQ(PlaceFontList({1, 300, 57, 322}, list, screen), (Point{0, 320}));

  // A monitor left of the primary one: the list stays beside its button there.
  const Rect left = {-1280, 0, 0, 1024};
  EXPECT_EQ(PlaceFontList({-1000, 300, -944, 322}, list, left), (Point{-1002, 320}));
  EXPECT_EQ(PlaceFontList({-60, 300, -4, 322}, list, left), (Point{-198, 320}));
  EXPECT_EQ(PlaceFontList({-1279, 900, -1223, 922}, list, left), (Point{-1280, 652}));
}

TEST(DropListPlacement, TheSizeListMayHangTwoPixelsOverTheLeftAndTopEdges) {
  const Size list = {42, 164};
  const Rect screen = {0, 0, 1280, 200};
  EXPECT_EQ(PlaceSizeList({1, 10, 41, 32}, list, screen), (Point{-1, 30}));
  EXPECT_EQ(PlaceSizeList({-5, 10, 35, 32}, list, screen), (Point{-2, 30}));
  // Flipped above a button near the top of a short monitor: not above its top edge.
  EXPECT_EQ(PlaceSizeList({10, 100, 50, 122}, list, screen), (Point{8, -2}));
  EXPECT_EQ(PlaceSizeList({1260, 10, 1300, 32}, list, screen), (Point{1240, 30}));
  const Rect above = {0, -900, 1440, 0};
  EXPECT_EQ(PlaceSizeList({-100, -890, -60, -868}, list, above), (Point{-2, -870}));
}

TEST(PointSizes, PixelHeightsAt96DotsPerInch) {
  int px[kPointSizeCount];
  ComputePixelHeights(96, px);
  EXPECT_EQ(std::vector<int>(px, px + kPointSizeCount),
            (std::vector<int>{11, 12, 13, 15, 16, 19, 21, 24, 27, 29, 32, 35, 37, 48, 64, 96}));
  // 18 pixels show as 14 points; choosing 14 points gives 19 pixels.
  EXPECT_EQ(PointSizeForPixelHeight(18, px), 14);
  EXPECT_EQ(px[PointSizeIndex(14)], 19);
  EXPECT_EQ(PointSizeForPixelHeight(19, px), 14);
  EXPECT_EQ(PointSizeForPixelHeight(20, px), 16);
  EXPECT_EQ(PointSizeForPixelHeight(1, px), 8);
  EXPECT_EQ(PointSizeForPixelHeight(96, px), 72);
  EXPECT_EQ(PointSizeForPixelHeight(500, px), 72);  // beyond every entry
  EXPECT_EQ(PointSizeIndex(13), -1);
}

TEST(PointSizes, OtherResolutionsRoundToTheNearestPixel) {
  int px[kPointSizeCount];
  ComputePixelHeights(120, px);
  EXPECT_EQ(px[0], 13);  // 13.3
  EXPECT_EQ(px[1], 15);  // 15
  EXPECT_EQ(px[3], 18);  // 18.3
  EXPECT_EQ(px[15], 120);
  EXPECT_EQ(PointSizeForPixelHeight(18, px), 11);
  ComputePixelHeights(4, px);  // 9 x 4 / 72 = 0.5: halves round up
  EXPECT_EQ(px[0], 0);
  EXPECT_EQ(px[1], 1);
}

}  // namespace
