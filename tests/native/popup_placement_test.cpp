// Where the tooltip and the context menu open near the edges of the screen and of a monitor.
#include <gtest/gtest.h>

#include "screenshot/ui/popup_placement.h"

namespace {

TEST(PopupPlacement, ToolTipBelowRightOfThePointerFlippedAndShiftedNearTheEdges) {
  // One 1280 x 800 monitor, a 70 x 27 tooltip.
  const Rect screen = {0, 0, 1280, 800};
  EXPECT_EQ(PlaceToolTip({100, 200}, 70, 27, screen), (Point{103, 219}));
  // Just fits at the bottom right.
  EXPECT_EQ(PlaceToolTip({1207, 754}, 70, 27, screen), (Point{1210, 773}));
  // One pixel lower: above the pointer, clear of the cursor.
  EXPECT_EQ(PlaceToolTip({500, 755}, 70, 27, screen), (Point{503, 755 - 19 - 27}));
  // One pixel further right: shifted left by exactly what sticks out.
  EXPECT_EQ(PlaceToolTip({1208, 100}, 70, 27, screen), (Point{1210, 119}));
  EXPECT_EQ(PlaceToolTip({1279, 100}, 70, 27, screen), (Point{1210, 119}));
  // The bottom-right corner: both.
  EXPECT_EQ(PlaceToolTip({1279, 799}, 70, 27, screen), (Point{1210, 753}));
}

TEST(PopupPlacement, ToolTipKeepsToThePointersMonitorWhateverTheVirtualOrigin) {
  // Two 1280 x 800 monitors, the second left of the primary one: the virtual screen runs from
  // x = -1280 to 1280, and its width (2560) is not a coordinate of its right edge.
  const Rect left = {-1280, 0, 0, 800};
  const Rect primary = {0, 0, 1280, 800};
  // At the right edge of the rightmost monitor the tip shifts left to fit.
  EXPECT_EQ(PlaceToolTip({1279, 100}, 70, 27, primary), (Point{1210, 119}));
  // At the right edge of the left monitor it stays on that monitor.
  EXPECT_EQ(PlaceToolTip({-2, 100}, 70, 27, left), (Point{-70, 119}));
  // A monitor above the primary one (negative y): flipped above the pointer at its bottom edge.
  const Rect above = {0, -900, 1440, 0};
  EXPECT_EQ(PlaceToolTip({100, -10}, 70, 27, above), (Point{103, -10 - 19 - 27}));
  // A taller monitor to the right: the primary's bottom does not limit it.
  const Rect tall = {1280, 0, 2480, 1920};
  EXPECT_EQ(PlaceToolTip({1500, 1000}, 70, 27, tall), (Point{1503, 1019}));
}

TEST(PopupPlacement, MenuOpensUpAndLeftNearEachMonitorEdge) {
  const Rect primary = {0, 0, 1280, 800};
  const int w = 120, h = 380;
  // Room below and to the right: at the point.
  EXPECT_EQ(PlaceContextMenu({300, 200}, w, h, primary), (Point{300, 200}));
  // Near the right edge (touching it counts as not fitting): to the left of the point.
  EXPECT_EQ(PlaceContextMenu({1160, 200}, w, h, primary), (Point{1040, 200}));
  EXPECT_EQ(PlaceContextMenu({1159, 200}, w, h, primary), (Point{1159, 200}));
  // Near the bottom edge: above the point.
  EXPECT_EQ(PlaceContextMenu({300, 420}, w, h, primary), (Point{300, 40}));
  EXPECT_EQ(PlaceContextMenu({300, 419}, w, h, primary), (Point{300, 419}));
  // The bottom-right corner: up and to the left.
  EXPECT_EQ(PlaceContextMenu({1270, 790}, w, h, primary), (Point{1150, 410}));

  // A second monitor left of the primary one, with negative coordinates.
  const Rect left = {-1024, 0, 0, 768};
  EXPECT_EQ(PlaceContextMenu({-1000, 10}, w, h, left), (Point{-1000, 10}));
  EXPECT_EQ(PlaceContextMenu({-10, 10}, w, h, left), (Point{-130, 10}));
  EXPECT_EQ(PlaceContextMenu({-10, 700}, w, h, left), (Point{-130, 320}));
  // A monitor above the primary one: its bottom edge is y = 0.
  const Rect above = {0, -900, 1440, 0};
  EXPECT_EQ(PlaceContextMenu({100, -100}, w, h, above), (Point{100, -480}));
  EXPECT_EQ(PlaceContextMenu({100, -890}, w, h, above), (Point{100, -890}));
}

}  // namespace
