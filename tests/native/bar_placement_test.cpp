// The main tool bar's place next to the selection, on one monitor and on a second one to the
// left of the primary (negative coordinates).
#include "screenshot/capture/bar_placement.h"

#include <gtest/gtest.h>

namespace {

const Rect kMonitor{0, 0, 1920, 1080};
const int kW = 283, kH = 30;

TEST(MainToolbarPlacement, UnderTheSelectionRightAligned) {
  const Point p = MainToolbarPosition(Rect{400, 300, 900, 700}, kW, kH, kMonitor);
  EXPECT_EQ(p.x, 900 - kW);
  EXPECT_EQ(p.y, 705);
}

TEST(MainToolbarPlacement, AboveWhenNoRoomBelow) {
  // The last selection bottom that still leaves room for the bar: 1050.
  EXPECT_EQ(MainToolbarPosition(Rect{400, 300, 900, 1050}, kW, kH, kMonitor).y, 1055);
  EXPECT_EQ(MainToolbarPosition(Rect{400, 300, 900, 1051}, kW, kH, kMonitor).y, 300 - kH - 5);
  // Exactly the bar's height above the selection is enough.
  EXPECT_EQ(MainToolbarPosition(Rect{400, 30, 900, 1060}, kW, kH, kMonitor).y, 30 - kH - 5);
}

TEST(MainToolbarPlacement, InsideTheMonitorWhenNoRoomEitherWay) {
  const Point p = MainToolbarPosition(Rect{0, 0, 1920, 1080}, kW, kH, kMonitor);
  EXPECT_EQ(p.x, 1920 - kW);
  EXPECT_EQ(p.y, 1080 - kH - 5);  // the whole bar visible
  EXPECT_LE(p.y + kH, kMonitor.bottom);
}

TEST(MainToolbarPlacement, KeptWithinTheMonitorsSides) {
  // Narrower than the bar at the left edge: starts at the monitor's left.
  EXPECT_EQ(MainToolbarPosition(Rect{10, 100, 110, 200}, kW, kH, kMonitor).x, 0);
  // Reaching past the right edge (a selection spanning into the next monitor).
  EXPECT_EQ(MainToolbarPosition(Rect{1500, 100, 2500, 200}, kW, kH, kMonitor).x, 1920 - kW);
  // A monitor left of the primary.
  const Rect left{-1280, 0, 0, 1024};
  const Point p = MainToolbarPosition(Rect{-1270, 10, -1200, 990}, kW, kH, left);
  EXPECT_EQ(p.x, -1280);
  EXPECT_EQ(p.y, 995);
}

}  // namespace
