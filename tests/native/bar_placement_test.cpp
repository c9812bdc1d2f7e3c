// The bars' places next to the selection: the main tool bar on one monitor and on a second one to
// the left of the primary (negative coordinates); a style bar next to the main tool bar and where
// the context menu chose its tool, near every edge of a monitor and across monitors.
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

const Size kStyle{213, 34};
const Rect kNone{};

TEST(StyleBarPlacement, UnderTheToolBarLeftAligned) {
  const Rect sel{400, 300, 900, 700};
  const Rect bar{617, 705, 900, 735};  // where the main tool bar goes for it
  EXPECT_EQ(StyleBarPosition(kStyle, bar, sel, kMonitor, kMonitor), (Point{617, 738}));
  // Without a selection the first place is taken as it is.
  EXPECT_EQ(StyleBarPosition(kStyle, bar, kNone, kMonitor, kMonitor), (Point{617, 738}));
}

TEST(StyleBarPlacement, AboveTheToolBarWhenBelowWouldCoverTheSelection) {
  // The tool bar dragged to just above the selection's top edge.
  const Rect sel{400, 300, 900, 700};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{500, 270, 783, 300}, sel, kMonitor, kMonitor),
            (Point{500, 233}));
  // Covering it either way (the tool bar inside the selection): below the tool bar after all.
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{500, 400, 783, 430}, sel, kMonitor, kMonitor),
            (Point{500, 433}));
}

TEST(StyleBarPlacement, AtTheMonitorsBottomEdge) {
  // The last tool bar bottom that leaves room below: 1080 - 34 - 3.
  const Rect sel{100, 100, 300, 300};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{600, 1013, 883, 1043}, sel, kMonitor, kMonitor).y, 1046);
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{600, 1014, 883, 1044}, sel, kMonitor, kMonitor).y,
            1014 - 34 - 3);
  // A selection filling the monitor: the tool bar inside its bottom edge, the bar above it.
  const Rect whole{0, 0, 1920, 1080};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{1637, 1045, 1920, 1075}, whole, kMonitor, kMonitor),
            (Point{1637, 1008}));
}

TEST(StyleBarPlacement, AtTheMonitorsTopEdge) {
  // No room above a tool bar near the top: below it, even over the selection.
  const Rect sel{100, 50, 600, 400};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{100, 10, 383, 40}, sel, kMonitor, kMonitor),
            (Point{100, 43}));
  // A monitor too low for either: on its bottom edge.
  const Rect low{0, 0, 800, 60};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{0, 20, 283, 50}, kNone, low, low), (Point{0, 26}));
}

TEST(StyleBarPlacement, OnTheMonitorUnderThePointer) {
  // The pointer on the right-hand monitor, the tool bar reaching into it from the left one.
  const Rect both{0, 0, 3840, 1080};
  const Rect right{1920, 0, 3840, 1080};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{1700, 500, 1983, 530}, kNone, right, both),
            (Point{1920, 533}));
  // The left monitor's right edge, with a selection across both: the second rule pulls the bar
  // back from the edge.
  const Rect sel{1000, 400, 3000, 900};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{1800, 500, 2083, 530}, sel, kMonitor, both),
            (Point{1707, 533}));
}

TEST(StyleBarPlacement, SecondRuleLiftsTheBarFromTheMonitorsBottom) {
  // Two monitors stacked; the selection spans both, the tool bar at the upper one's bottom.
  const Rect both{0, 0, 1920, 2160};
  const Rect sel{500, 900, 1000, 2000};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{600, 1040, 883, 1070}, sel, kMonitor, both),
            (Point{600, 1080 - 34 - 30 - 18}));
}

TEST(StyleBarPlacement, MonitorsLeftOfAndAboveThePrimary) {
  const Rect left{-1280, 0, 0, 1024};
  const Rect wide{-1280, 0, 1920, 1080};
  EXPECT_EQ(StyleBarPosition(kStyle, Rect{-1280, 994, -997, 1024}, Rect{-1270, 10, -1200, 990},
                             left, wide),
            (Point{-1280, 1024 - 34 - 30 - 18}));
  // Above the primary: room above the tool bar counts from the virtual screen's top.
  const Rect top{0, -1080, 1920, 0};
  const Rect tall{0, -1080, 1920, 1080};
  EXPECT_EQ(
      StyleBarPosition(kStyle, Rect{100, -200, 383, -170}, Rect{50, -150, 600, -100}, top, tall),
      (Point{100, -237}));
}

TEST(MenuBarPlacement, UnderTheToolBarOrTheSelection) {
  const Rect bar{617, 705, 900, 735};
  const Rect sel{400, 300, 900, 700};
  EXPECT_EQ(MenuBarAnchor(kStyle, &bar, sel), (Point{617, 738}));
  EXPECT_EQ(MenuBarAnchor(kStyle, nullptr, sel), (Point{900 - 213, 703}));
  EXPECT_EQ(MenuBarPosition(Point{617, 738}, kStyle, kMonitor, kMonitor), (Point{617, 738}));
}

TEST(MenuBarPlacement, NearEveryEdgeOfTheMonitor) {
  // The right edge reached (exactly): pulled back.
  EXPECT_EQ(MenuBarPosition(Point{1707, 500}, kStyle, kMonitor, kMonitor).x, 1707);
  EXPECT_EQ(MenuBarPosition(Point{1706, 500}, kStyle, kMonitor, kMonitor).x, 1706);
  EXPECT_EQ(MenuBarPosition(Point{1800, 500}, kStyle, kMonitor, kMonitor).x, 1707);
  // The bottom reached: well above it.
  EXPECT_EQ(MenuBarPosition(Point{100, 1045}, kStyle, kMonitor, kMonitor).y, 1045);
  EXPECT_EQ(MenuBarPosition(Point{100, 1046}, kStyle, kMonitor, kMonitor).y, 1080 - 34 - 40);
  // Left of or above the monitor: 2 pixels inside.
  EXPECT_EQ(MenuBarPosition(MenuBarAnchor(kStyle, nullptr, Rect{0, 100, 100, 200}), kStyle,
                            kMonitor, kMonitor),
            (Point{2, 203}));
  EXPECT_EQ(MenuBarPosition(Point{100, -50}, kStyle, kMonitor, kMonitor), (Point{100, 2}));
  // A monitor left of the primary, its right edge at 0.
  const Rect left{-1280, 0, 0, 1024};
  EXPECT_EQ(MenuBarPosition(Point{-100, 500}, kStyle, left, Rect{-1280, 0, 1920, 1080}),
            (Point{-213, 500}));
}

}  // namespace
