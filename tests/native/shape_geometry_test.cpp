// The board's window-free geometry: the arrow, arrow ends clipped onto the board's edge, the
// handle and outline hit tests, hover colours and the drag geometry of select mode.
#include "screenshot/board/shape_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

double Dist(PointF a, PointF b) { return std::hypot(a.x - b.x, a.y - b.y); }
PointF F(Point p) { return PointF{static_cast<float>(p.x), static_cast<float>(p.y)}; }

TEST(ArrowShape, WidthOneHasAHeadSixLongAndSixWideAndAShaftStoppingFiveShort) {
  const ArrowShape s = ArrowShapeOf({10, 20}, {110, 20}, 1);
  ASSERT_TRUE(s.drawable);
  EXPECT_FLOAT_EQ(s.head[2].x, 110);
  EXPECT_FLOAT_EQ(s.head[2].y, 20);
  // The base is 6 behind the point and 6 wide, across the arrow.
  EXPECT_FLOAT_EQ(s.head[0].x, 104);
  EXPECT_FLOAT_EQ(s.head[1].x, 104);
  EXPECT_FLOAT_EQ(std::fabs(s.head[0].y - s.head[1].y), 6);
  EXPECT_FLOAT_EQ(s.head[0].y + s.head[1].y, 40);
  ASSERT_TRUE(s.has_shaft);
  EXPECT_FLOAT_EQ(s.shaft_from.x, 10);
  EXPECT_FLOAT_EQ(s.shaft_to.x, 105);
  EXPECT_FLOAT_EQ(s.shaft_to.y, 20);
}

TEST(ArrowShape, SameProportionsInAnyDirection) {
  // 3-4-5 directions, width 4: h = 6, a head 12 long and 12 wide, the shaft 11 short.
  const Point tail{0, 0}, head{-60, 80};
  const ArrowShape s = ArrowShapeOf(tail, head, 4);
  ASSERT_TRUE(s.drawable && s.has_shaft);
  const PointF base{(s.head[0].x + s.head[1].x) / 2, (s.head[0].y + s.head[1].y) / 2};
  EXPECT_NEAR(Dist(base, F(head)), 12, 1e-4);
  EXPECT_NEAR(Dist(s.head[0], s.head[1]), 12, 1e-4);
  EXPECT_NEAR(Dist(s.shaft_to, F(head)), 11, 1e-4);
  // The base is square to the shaft.
  const double dot = (s.head[0].x - s.head[1].x) * (head.x - tail.x) +
                     (s.head[0].y - s.head[1].y) * (head.y - tail.y);
  EXPECT_NEAR(dot, 0, 1e-3);
}

TEST(ArrowShape, TooShortArrowsAndShaftlessOnes) {
  EXPECT_FALSE(ArrowShapeOf({5, 5}, {7, 5}, 1).drawable);  // 2 apart
  EXPECT_FALSE(ArrowShapeOf({5, 5}, {5, 5}, 1).drawable);
  EXPECT_TRUE(ArrowShapeOf({5, 5}, {7, 6}, 1).drawable);  // sqrt 5
  // Width 1: the shaft needs more than 2h - 1 = 5.
  EXPECT_FALSE(ArrowShapeOf({0, 0}, {5, 0}, 1).has_shaft);
  EXPECT_TRUE(ArrowShapeOf({0, 0}, {6, 0}, 1).has_shaft);
}

TEST(MulDivRound, RoundsHalfAwayFromZeroAndReportsFailure) {
  EXPECT_EQ(MulDivRound(7, 3, 2), 11);
  EXPECT_EQ(MulDivRound(-7, 3, 2), -11);
  EXPECT_EQ(MulDivRound(7, -3, 2), -11);
  EXPECT_EQ(MulDivRound(7, 3, -2), -11);
  EXPECT_EQ(MulDivRound(-7, -3, -2), -11);
  EXPECT_EQ(MulDivRound(1, 1, 3), 0);
  EXPECT_EQ(MulDivRound(2, 1, 3), 1);
  EXPECT_EQ(MulDivRound(5, 1, 0), -1);
  EXPECT_EQ(MulDivRound(std::numeric_limits<int>::max(), 2, 1), -1);
  EXPECT_EQ(MulDivRound(std::numeric_limits<int>::max(), 2, 2), std::numeric_limits<int>::max());
  EXPECT_EQ(MulDivRound(std::numeric_limits<int>::min(), 1, -1), -1);  // does not fit
}

// Whether q lies on the line through a and b, within the rounding of one coordinate.
bool OnLine(Point a, Point b, Point q) {
  const double cross =
      static_cast<double>(b.x - a.x) * (q.y - a.y) - static_cast<double>(b.y - a.y) * (q.x - a.x);
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  return std::fabs(cross) / len <= 1.0;
}

TEST(ClipArrowEnd, FarBeyondEachEdgeEndsOnThatEdgeInTheSameDirection) {
  const int w = 200, h = 100;
  const Point a{50, 40};
  struct Case {
    Point moving;
    bool vertical_edge;
    int edge;
  } cases[] = {
      {{20050, 5040}, true, 200},   // right
      {{-9950, 1040}, true, 0},     // left
      {{1050, 30040}, false, 100},  // bottom
      {{-950, -9960}, false, 0},    // top
  };
  for (const Case& c : cases) {
    const Point q = ClipArrowEnd(a, c.moving, w, h);
    if (c.vertical_edge) {
      EXPECT_EQ(q.x, c.edge) << c.moving.x;
      EXPECT_GE(q.y, 0);
      EXPECT_LE(q.y, h);
    } else {
      EXPECT_EQ(q.y, c.edge) << c.moving.y;
      EXPECT_GE(q.x, 0);
      EXPECT_LE(q.x, w);
    }
    EXPECT_TRUE(OnLine(a, c.moving, q)) << q.x << "," << q.y;
    // Same direction from the fixed end.
    EXPECT_GT((q.x - a.x) * (c.moving.x - a.x) + (q.y - a.y) * (c.moving.y - a.y), 0);
  }
  // From (50, 40) towards (20050, 5040) the line meets the right edge at y = 77.5; the offset
  // from the moving end, -4962.5, rounds away from zero, giving 77.
  EXPECT_EQ(ClipArrowEnd(a, {20050, 5040}, w, h).y, 77);
}

TEST(ClipArrowEnd, InsideStaysAndCornersFallBackToTheOtherEdgeOrAClamp) {
  EXPECT_EQ(ClipArrowEnd({10, 10}, {200, 100}, 200, 100), (Point{200, 100}));  // on the edge
  EXPECT_EQ(ClipArrowEnd({10, 10}, {0, 0}, 200, 100), (Point{0, 0}));
  // Past the right edge but leaving through the top: the right edge's y is off the board.
  EXPECT_EQ(ClipArrowEnd({190, 10}, {300, -300}, 200, 100), (Point{194, 0}));
  // Straight down from outside the board: neither edge test lands on the board, so a clamp.
  EXPECT_EQ(ClipArrowEnd({300, 50}, {300, 500}, 200, 100), (Point{200, 100}));
}

TEST(HandleHits, RectangleRingCornersEdgesAndGrip) {
  const Rect r{100, 100, 200, 160};
  EXPECT_EQ(FrameRingHit(r, {95, 95}), kHitTopLeft);
  EXPECT_EQ(FrameRingHit(r, {204, 164}), kHitBottomRight);
  EXPECT_EQ(FrameRingHit(r, {204, 95}), kHitTopRight);
  EXPECT_EQ(FrameRingHit(r, {95, 164}), kHitBottomLeft);
  EXPECT_EQ(FrameRingHit(r, {96, 130}), kHitLeft);
  EXPECT_EQ(FrameRingHit(r, {203, 130}), kHitRight);
  EXPECT_EQ(FrameRingHit(r, {150, 96}), kHitTop);
  EXPECT_EQ(FrameRingHit(r, {150, 163}), kHitBottom);
  // The ring's inner edge is 4 inside, its outer edge 5 outside (exclusive).
  EXPECT_EQ(FrameRingHit(r, {103, 130}), kHitLeft);
  EXPECT_EQ(FrameRingHit(r, {104, 130}), kHitNone);
  EXPECT_EQ(FrameRingHit(r, {94, 130}), kHitNone);
  EXPECT_EQ(FrameRingHit(r, {205, 130}), kHitNone);
  // Corners reach 8 pixels along each edge.
  EXPECT_EQ(FrameRingHit(r, {103, 108}), kHitTopLeft);
  EXPECT_EQ(FrameRingHit(r, {103, 109}), kHitLeft);
  EXPECT_EQ(FrameRingHit(r, {150, 130}), kHitNone);  // the interior is no handle
  // The grip: [cx - 4, cx + 4) x [top - 30, top), cx = 150.
  EXPECT_TRUE(MoveGripHit(r, {146, 70}));
  EXPECT_TRUE(MoveGripHit(r, {153, 99}));
  EXPECT_FALSE(MoveGripHit(r, {154, 80}));
  EXPECT_FALSE(MoveGripHit(r, {145, 80}));
  EXPECT_FALSE(MoveGripHit(r, {150, 100}));
  EXPECT_FALSE(MoveGripHit(r, {150, 69}));
}

TEST(HandleHits, ArrowEndKnobsAreTwentyPixelsSquare) {
  const Point tail{10, 10}, head{100, 50};
  EXPECT_EQ(ArrowEndHit(tail, head, {0, 0}), kHitTopLeft);
  EXPECT_EQ(ArrowEndHit(tail, head, {19, 19}), kHitTopLeft);
  EXPECT_EQ(ArrowEndHit(tail, head, {20, 10}), kHitNone);
  EXPECT_EQ(ArrowEndHit(tail, head, {90, 40}), kHitBottomRight);
  EXPECT_EQ(ArrowEndHit(tail, head, {109, 59}), kHitBottomRight);
  EXPECT_EQ(ArrowEndHit(tail, head, {110, 50}), kHitNone);
  // Ends closer than the knobs: the tail wins.
  EXPECT_EQ(ArrowEndHit({10, 10}, {14, 10}, {12, 10}), kHitTopLeft);
}

TEST(BodyHits, RectangleOutlineTolerances) {
  const Rect r{100, 100, 200, 160};  // pen 2: k = 5, wide 7
  EXPECT_TRUE(RectangleOutlineHit(r, 2, {96, 130}, false));
  EXPECT_FALSE(RectangleOutlineHit(r, 2, {94, 130}, false));
  EXPECT_TRUE(RectangleOutlineHit(r, 2, {94, 130}, true));
  EXPECT_FALSE(RectangleOutlineHit(r, 2, {92, 130}, true));
  EXPECT_TRUE(RectangleOutlineHit(r, 2, {104, 130}, false));
  EXPECT_FALSE(RectangleOutlineHit(r, 2, {105, 130}, false));
  EXPECT_TRUE(RectangleOutlineHit(r, 2, {106, 130}, true));
  EXPECT_FALSE(RectangleOutlineHit(r, 2, {150, 130}, true));  // the interior
  // A fatter pen widens the band: pen 8, k = 8.
  EXPECT_TRUE(RectangleOutlineHit(r, 8, {107, 130}, false));
  EXPECT_FALSE(RectangleOutlineHit(r, 8, {108, 130}, false));
}

TEST(HoverColor, InverseExceptBlackForTheMidGreys) {
  EXPECT_EQ(HoverColor(0xFF808080), 0xFF000000u);  // inverse 7F: 1 apart
  EXPECT_EQ(HoverColor(0xFF787878), 0xFF000000u);  // 0x87 - 0x78 = 15
  EXPECT_EQ(HoverColor(0xFF878787), 0xFF000000u);
  EXPECT_EQ(HoverColor(0xFF777777), 0xFF888888u);  // 17 apart: the inverse
  EXPECT_EQ(HoverColor(0xFFFFFFFF), 0xFF000000u);  // white: its inverse is black
  EXPECT_EQ(HoverColor(0xFFFF0000), 0xFF00FFFFu);  // red hovers in cyan
  EXPECT_EQ(HoverColor(0xFF8080FF), 0xFF7F7F00u);  // one channel far off is enough
  EXPECT_EQ(HoverColor(0xFF000000), 0xFFFFFFFFu);
}

TEST(Colours, ColorrefAndArgbConversions) {
  EXPECT_EQ(ArgbOfColorref(0x0000FF), 0xFFFF0000u);    // red
  EXPECT_EQ(ArgbOfColorref(0xFF123456), 0xFF563412u);  // the top byte is no colour
  EXPECT_EQ(ColorrefOfArgb(0xFF563412), 0x123456u);
  EXPECT_EQ(ClampPenWidth(0), 1);
  EXPECT_EQ(ClampPenWidth(-7), 1);
  EXPECT_EQ(ClampPenWidth(32), 32);
  EXPECT_EQ(ClampPenWidth(33), 32);
  EXPECT_EQ(ClampDashStyle(3), 3);
  EXPECT_EQ(ClampDashStyle(5), 0);  // a custom dash has no pattern here
  EXPECT_EQ(ClampDashStyle(-1), 0);
}

TEST(MaskBoxes, InflatedByHalfThePenAndFreeHandBoxesOfPoints) {
  EXPECT_EQ(EllipseMaskBox({10, 10, 50, 30}, 5), (Rect{7, 7, 53, 33}));        // k = 3
  EXPECT_EQ(ArrowMaskBox({50, 30}, {10, 10}, 2), (Rect{8, 8, 52, 32}));        // normalised, k = 2
  EXPECT_EQ(PointsBoundingBox({{5, 9}, {1, 9}, {3, 9}}), (Rect{1, 9, 5, 9}));  // one row: no height
  EXPECT_EQ(PointsBoundingBox({{5, 9}, {1, 2}, {3, 12}}), (Rect{1, 2, 5, 12}));
}

TEST(SelectDrag, ClickSlopOfOnePixel) {
  EXPECT_FALSE(BeyondClickSlop({10, 10}, {11, 9}));
  EXPECT_FALSE(BeyondClickSlop({10, 10}, {10, 10}));
  EXPECT_TRUE(BeyondClickSlop({10, 10}, {12, 10}));
  EXPECT_TRUE(BeyondClickSlop({10, 10}, {10, 8}));
}

TEST(SelectDrag, EdgesAndCornersFollowAndFlip) {
  const Rect r{100, 100, 200, 160};
  EXPECT_EQ(ResizedRect(r, kHitMove, -30, 7), (Rect{70, 107, 170, 167}));
  EXPECT_EQ(ResizedRect(r, kHitBottomRight, 10, 20), (Rect{100, 100, 210, 180}));
  EXPECT_EQ(ResizedRect(r, kHitTopLeft, -5, -7), (Rect{95, 93, 200, 160}));
  EXPECT_EQ(ResizedRect(r, kHitTopRight, 5, 5), (Rect{100, 105, 205, 160}));
  EXPECT_EQ(ResizedRect(r, kHitBottomLeft, 5, 5), (Rect{105, 100, 200, 165}));
  EXPECT_EQ(ResizedRect(r, kHitTop, 99, 3), (Rect{100, 103, 200, 160}));  // x ignored
  // The left edge dragged 150 to the right passes the right edge: the rectangle flips, and the
  // pointer's edge is now the right one.
  EXPECT_EQ(ResizedRect(r, kHitLeft, 150, 0), (Rect{200, 100, 250, 160}));
  EXPECT_EQ(ResizedRect(r, kHitBottom, 0, -100), (Rect{100, 60, 200, 100}));
}

TEST(SelectDrag, ArrowsStayOnTheBoard) {
  const ArrowEnds a{{150, 50}, {190, 60}};
  // Moved 50 right: pushed back by the head's overshoot of 40.
  ArrowEnds m = MovedArrow(a, kHitMove, 50, 0, 200, 100);
  EXPECT_EQ(m.tail, (Point{160, 50}));
  EXPECT_EQ(m.head, (Point{200, 60}));
  m = MovedArrow(a, kHitMove, -200, -70, 200, 100);  // up and left past both edges
  EXPECT_EQ(m.tail, (Point{0, 0}));
  EXPECT_EQ(m.head, (Point{40, 10}));
  // The head dragged far right keeps its direction and ends on the right edge.
  m = MovedArrow(a, kHitBottomRight, 4000, 1000, 200, 100);
  EXPECT_EQ(m.tail, a.tail);
  EXPECT_EQ(m.head.x, 200);
  // The tail end moves alone.
  m = MovedArrow(a, kHitTopLeft, -10, 5, 200, 100);
  EXPECT_EQ(m.tail, (Point{140, 55}));
  EXPECT_EQ(m.head, a.head);
}

TEST(SelectDrag, TextShiftedBackTouchesTheCorner) {
  EXPECT_EQ(ShiftedInside({180, 90, 230, 120}, 200, 100), (Rect{150, 70, 200, 100}));
  EXPECT_EQ(ShiftedInside({-20, -5, 30, 15}, 200, 100), (Rect{0, 0, 50, 20}));
  EXPECT_EQ(ShiftedInside({20, 5, 30, 15}, 200, 100), (Rect{20, 5, 30, 15}));
}

}  // namespace
