// The in-place scroll bar's layout, hit test and pixel-to-position bisection, and the drop lists'
// wheel arithmetic.
#include <gtest/gtest.h>

#include <climits>

#include "screenshot/ui/scroll_bar_geometry.h"

namespace {

// The size list's bar: 12 wide, 160 long; 16 sizes, 8 shown.
constexpr Size kBar = {12, 160};
ScrollValues Values(int position, int page, int maximum) { return {position, page, maximum}; }

TEST(ScrollBarGeometry, ArrowsAtTheEndsAndAThumbProportionalToThePage) {
  // Track from 12 to 148 (136 pixels); thumb 8 x 136 / 15 = 72; travel 15 - 7 = 8.
  ScrollBarLayout l = LayoutScrollBar(kBar, true, Values(0, 8, 15));
  EXPECT_EQ(l.up, (Rect{0, 0, 12, 12}));
  EXPECT_EQ(l.down, (Rect{0, 148, 12, 160}));
  ASSERT_TRUE(l.has_thumb);
  EXPECT_EQ(l.thumb, (Rect{0, 12, 12, 84}));  // position 0: at the top of the track
  EXPECT_TRUE(l.track_above.IsEmpty());
  EXPECT_EQ(l.track_below, (Rect{0, 84, 12, 148}));

  l = LayoutScrollBar(kBar, true, Values(8, 8, 15));  // the travel: at the bottom
  EXPECT_EQ(l.thumb, (Rect{0, 76, 12, 148}));
  EXPECT_EQ(l.track_above, (Rect{0, 12, 12, 76}));
  EXPECT_TRUE(l.track_below.IsEmpty());
  // In proportion between: 12 + 64 x 4 / 8.
  EXPECT_EQ(LayoutScrollBar(kBar, true, Values(4, 8, 15)).thumb, (Rect{0, 44, 12, 116}));
  // A position past the travel stays at the bottom.
  EXPECT_EQ(LayoutScrollBar(kBar, true, Values(50, 8, 15)).thumb, (Rect{0, 76, 12, 148}));

  // Horizontal: the same along x.
  l = LayoutScrollBar({160, 12}, false, Values(8, 8, 15));
  EXPECT_EQ(l.up, (Rect{0, 0, 12, 12}));
  EXPECT_EQ(l.down, (Rect{148, 0, 160, 12}));
  EXPECT_EQ(l.thumb, (Rect{76, 0, 148, 12}));
}

TEST(ScrollBarGeometry, ThumbLengthStaysBetweenTheWidthAndTheTrackLessOne) {
  // A tiny page would give 1 pixel: the thumb is at least as long as the bar is wide.
  EXPECT_EQ(LayoutScrollBar(kBar, true, Values(0, 1, 100)).thumb.Height(), 12);
  // A page as large as the range would fill the track: one pixel is left to move in.
  EXPECT_EQ(LayoutScrollBar(kBar, true, Values(0, 100, 100)).thumb.Height(), 135);
  // Travel 0 (the page shows everything but one): the thumb fills the track.
  ScrollBarLayout l = LayoutScrollBar(kBar, true, Values(0, 16, 15));
  ASSERT_TRUE(l.has_thumb);
  EXPECT_EQ(l.thumb, (Rect{0, 12, 12, 148}));
  // Huge values neither overflow nor leave the track.
  l = LayoutScrollBar(kBar, true, Values(INT_MAX, INT_MAX, INT_MAX));
  ASSERT_TRUE(l.has_thumb);
  EXPECT_EQ(l.thumb, (Rect{0, 13, 12, 148}));
  EXPECT_EQ(ScrollTravel(INT_MAX, INT_MAX), 1);
  EXPECT_EQ(ScrollTravel(0, INT_MAX), INT_MAX);
}

TEST(ScrollBarGeometry, NoThumbWithoutRangeRoomOrTravel) {
  EXPECT_FALSE(LayoutScrollBar(kBar, true, Values(0, 8, 0)).has_thumb);    // maximum below 1
  EXPECT_FALSE(LayoutScrollBar(kBar, true, Values(0, 20, 15)).has_thumb);  // travel negative
  // A track no longer than the width (36 - 24 = 12).
  ScrollBarLayout l = LayoutScrollBar({12, 36}, true, Values(0, 2, 15));
  EXPECT_FALSE(l.has_thumb);
  EXPECT_EQ(l.track_above, (Rect{0, 12, 12, 24}));  // the whole track, drawn plain
  EXPECT_TRUE(l.thumb.IsEmpty());
  // Shorter than two widths: the arrows share the length.
  l = LayoutScrollBar({12, 20}, true, Values(0, 2, 15));
  EXPECT_EQ(l.up, (Rect{0, 0, 12, 10}));
  EXPECT_EQ(l.down, (Rect{0, 10, 12, 20}));
  EXPECT_FALSE(l.has_thumb);
  // Without a thumb the track is no target: only the arrows answer.
  l = LayoutScrollBar(kBar, true, Values(0, 20, 15));
  EXPECT_EQ(HitTestScrollBar(l, {5, 80}), kScrollPartNone);
  EXPECT_EQ(HitTestScrollBar(l, {5, 5}), kScrollPartUp);
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, Values(0, 20, 15), 100), 0);
}

TEST(ScrollBarGeometry, HitTestNamesEachPart) {
  const ScrollBarLayout l = LayoutScrollBar(kBar, true, Values(4, 8, 15));  // thumb 44..116
  EXPECT_EQ(HitTestScrollBar(l, {0, 0}), kScrollPartUp);
  EXPECT_EQ(HitTestScrollBar(l, {11, 11}), kScrollPartUp);
  EXPECT_EQ(HitTestScrollBar(l, {6, 12}), kScrollPartTrackAbove);
  EXPECT_EQ(HitTestScrollBar(l, {6, 43}), kScrollPartTrackAbove);
  EXPECT_EQ(HitTestScrollBar(l, {6, 44}), kScrollPartThumb);
  EXPECT_EQ(HitTestScrollBar(l, {6, 115}), kScrollPartThumb);
  EXPECT_EQ(HitTestScrollBar(l, {6, 116}), kScrollPartTrackBelow);
  EXPECT_EQ(HitTestScrollBar(l, {6, 159}), kScrollPartDown);
  EXPECT_EQ(HitTestScrollBar(l, {12, 80}), kScrollPartNone);  // right of the bar
  EXPECT_EQ(HitTestScrollBar(l, {6, 160}), kScrollPartNone);  // below it
  EXPECT_EQ(l.PartRect(kScrollPartThumb), l.thumb);
  EXPECT_TRUE(l.PartRect(kScrollPartNone).IsEmpty());
}

TEST(ScrollBarGeometry, BisectionFindsThePositionOfAThumbPixel) {
  const ScrollValues v = Values(0, 8, 15);
  // Every position's own thumb start leads back to it.
  for (int p = 0; p <= 8; ++p) {
    const int start = LayoutScrollBar(kBar, true, Values(p, 8, 15)).thumb.top;
    EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, start), p) << p;
  }
  // Position 0 at the top of the track and anything above it, the travel at the bottom and below.
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, 12), 0);
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, -500), 0);
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, 76), 8);
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, 5000), 8);
  // Between two positions (8 pixels apart here): the nearer one.
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, 12 + 8 * 3 + 3), 3);
  EXPECT_EQ(ScrollPositionForThumbAt(kBar, true, v, 12 + 8 * 3 + 5), 4);

  // A long list on a short bar: several positions per pixel, still within 0 .. travel.
  const ScrollValues many = Values(0, 9, 500);  // travel 492, track 136 - 12
  const int top = ScrollPositionForThumbAt(kBar, true, many, 12);
  const int bottom = ScrollPositionForThumbAt(kBar, true, many, 148 - 12);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(bottom, 492);
  int previous = 0;
  for (int y = 12; y <= 136; ++y) {
    const int p = ScrollPositionForThumbAt(kBar, true, many, y);
    EXPECT_GE(p, previous) << y;  // moving the thumb down never scrolls back
    previous = p;
  }
}

TEST(ScrollBarGeometry, ArrowStepsStayWithinTheTravel) {
  EXPECT_EQ(ScrollStepBack(Values(3, 8, 15), 7), 0);
  EXPECT_EQ(ScrollStepBack(Values(8, 8, 15), 7), 1);
  EXPECT_EQ(ScrollStepForward(Values(0, 8, 15), 7), 7);
  EXPECT_EQ(ScrollStepForward(Values(7, 8, 15), 7), 8);
  // Nothing to scroll: the position stays at 0.
  EXPECT_EQ(ScrollStepForward(Values(0, 20, 15), 7), 0);
  EXPECT_EQ(ScrollStepForward(Values(INT_MAX - 1, 1, INT_MAX), INT_MAX), INT_MAX);
}

TEST(DropListWheel, OneNotchScrollsByTheStepAndALittleMoreOrLess) {
  // 30 faces: maximum 29, page 9, limit 21; nine rows shown, step 8.
  WheelScroll w = ScrollForWheel(0, -120, 8, 29, 9);  // towards the user: down
  ASSERT_TRUE(w.applies);
  EXPECT_EQ(w.first, 9);
  EXPECT_EQ(w.code, 1);
  w = ScrollForWheel(10, 120, 8, 29, 9);  // away from the user: up
  EXPECT_EQ(w.first, 3);
  EXPECT_EQ(w.code, 0);
  EXPECT_EQ(ScrollForWheel(10, -240, 8, 29, 9).first, 20);
  EXPECT_EQ(ScrollForWheel(10, 240, 8, 29, 9).first, 4);
  // Clamped at both ends.
  EXPECT_EQ(ScrollForWheel(20, -120, 8, 29, 9).first, 21);
  EXPECT_EQ(ScrollForWheel(1, 120, 8, 29, 9).first, 0);
}

TEST(DropListWheel, LessThanOneNotchScrollsUpByOneStepWhicheverWay) {
  for (int delta : {1, 60, 119, -1, -60, -119}) {
    const WheelScroll w = ScrollForWheel(10, delta, 8, 29, 9);
    ASSERT_TRUE(w.applies) << delta;
    EXPECT_EQ(w.first, 2) << delta;
    EXPECT_EQ(w.code, 0) << delta;
  }
  EXPECT_EQ(ScrollForWheel(5, 30, 8, 29, 9).first, 0);
}

TEST(DropListWheel, ListsThatFitDoNotScroll) {
  // Nine faces (maximum 8, page 9): the limit is 0.
  const WheelScroll w = ScrollForWheel(0, -120, 8, 8, 9);
  EXPECT_FALSE(w.applies);
  EXPECT_EQ(w.first, 0);
  // The size list: 16 sizes, page 8, step 7: limit 8.
  EXPECT_EQ(ScrollForWheel(0, -120, 7, 15, 8).first, 8);
  EXPECT_EQ(ScrollForWheel(8, 120, 7, 15, 8).first, 2);
}

}  // namespace
