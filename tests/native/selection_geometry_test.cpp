// Region selection rules: rectangle helpers, hit test, cursors, press rules, drag steps and the
// conversion of a picked window's rectangle.
#include "screenshot/capture/selection_geometry.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(Geometry, RectangleHelpers) {
  EXPECT_TRUE((Rect{5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE((Rect{5, 5, 4, 9}).IsEmpty());
  EXPECT_TRUE((Rect{5, 5, 6, 6}).Contains(Point{5, 5}));
  EXPECT_FALSE((Rect{5, 5, 6, 6}).Contains(Point{6, 5}));  // right and bottom are exclusive
  EXPECT_EQ(Normalized(Rect{9, 8, 1, 2}), (Rect{1, 2, 9, 8}));
  EXPECT_EQ(Intersection(Rect{0, 0, 10, 10}, Rect{5, -5, 20, 7}), (Rect{5, 0, 10, 7}));
  EXPECT_EQ(Intersection(Rect{0, 0, 10, 10}, Rect{10, 0, 20, 10}), Rect{});
  EXPECT_EQ(UnionOf(Rect{0, 0, 2, 2}, Rect{5, 6, 7, 8}), (Rect{0, 0, 7, 8}));
  EXPECT_EQ(UnionOf(Rect{3, 3, 3, 9}, Rect{5, 6, 7, 8}), (Rect{5, 6, 7, 8}));
  EXPECT_EQ(Grown(Rect{10, 10, 20, 20}, 5, 5, 4, 4), (Rect{5, 5, 24, 24}));
}

TEST(HitTest, ZonesAndOrderByHand) {
  // Selection (100,100,200,200): grip zone 94..205, inner rectangle (105,105,195,195).
  const struct {
    int x, y;
    SelectionHit hit;
  } big[] = {{150, 150, HitMove},       {94, 150, HitLeft},        {93, 150, HitOutside},
             {205, 150, HitRight},      {206, 150, HitOutside},    {150, 94, HitTop},
             {150, 93, HitOutside},     {150, 205, HitBottom},     {150, 206, HitOutside},
             {104, 150, HitLeft},       {105, 150, HitMove},       {194, 150, HitMove},
             {195, 150, HitRight},      {150, 104, HitTop},        {150, 195, HitBottom},
             {104, 104, HitTopLeft},    {196, 104, HitTopRight},   {195, 104, HitTop},
             {104, 196, HitBottomLeft}, {104, 195, HitLeft},       {196, 196, HitBottomRight},
             {195, 195, HitBottom},     {196, 195, HitBottom},     {196, 194, HitRight},
             {94, 94, HitTopLeft},      {205, 205, HitBottomRight}};
  for (const auto& c : big) {
    EXPECT_EQ(HitTestSelection(Rect{100, 100, 200, 200}, Point{c.x, c.y}), c.hit)
        << c.x << "," << c.y;
  }
  // (10,10,14,14): the inner rectangle (15,15,9,9) is inside out; the order decides.
  const struct {
    int x, y;
    SelectionHit hit;
  } small[] = {{12, 12, HitBottomRight}, {9, 9, HitTopLeft},     {12, 9, HitTopLeft},
               {16, 8, HitTopRight},     {8, 16, HitBottomLeft}, {4, 4, HitTopLeft},
               {3, 4, HitOutside}};
  for (const auto& c : small) {
    EXPECT_EQ(HitTestSelection(Rect{10, 10, 14, 14}, Point{c.x, c.y}), c.hit) << c.x << "," << c.y;
  }
  EXPECT_EQ(HitTestSelection(Rect{}, Point{0, 0}), HitOutside);
  EXPECT_EQ(HitTestSelection(Rect{10, 10, 10, 20}, Point{10, 15}), HitOutside);
}

TEST(Cursor, ForEveryHitAndSituation) {
  const std::pair<SelectionHit, CursorKind> table[] = {
      {HitOutside, CursorKind::Capture},      {HitMove, CursorKind::SizeAll},
      {HitNew, CursorKind::Unchanged},        {HitLeft, CursorKind::SizeWE},
      {HitRight, CursorKind::SizeWE},         {HitTop, CursorKind::SizeNS},
      {HitBottom, CursorKind::SizeNS},        {HitTopLeft, CursorKind::SizeNWSE},
      {HitBottomRight, CursorKind::SizeNWSE}, {HitTopRight, CursorKind::SizeNESW},
      {HitBottomLeft, CursorKind::SizeNESW}};
  for (const auto& c : table) EXPECT_EQ(CursorForHit(c.first), c.second) << c.first;
  const Rect s{100, 100, 200, 200};
  EXPECT_EQ(ChooseCursor(HitLeft, true, s, {0, 0}), CursorKind::SizeWE);  // the drag decides
  EXPECT_EQ(ChooseCursor(HitNew, true, s, {150, 150}), CursorKind::Unchanged);
  EXPECT_EQ(ChooseCursor(HitMove, false, Rect{}, {0, 0}), CursorKind::SizeAll);
  EXPECT_EQ(ChooseCursor(HitOutside, true, s, {196, 104}), CursorKind::SizeNESW);
  EXPECT_EQ(ChooseCursor(HitOutside, true, s, {10, 10}), CursorKind::Capture);
  EXPECT_EQ(ChooseCursor(HitOutside, false, s, {150, 150}), CursorKind::Capture);
  EXPECT_EQ(ChooseCursor(HitOutside, true, Rect{}, {150, 150}), CursorKind::Capture);
}

TEST(Press, RulesAndRelease) {
  const Rect s{100, 100, 200, 200};
  const struct {
    Rect sel;
    Point p;
    SelectionHit mode;
    bool from_empty, magnifier;
  } cases[] = {{Rect{}, {5, 5}, HitNew, true, true},  // nothing selected yet
               {s, {10, 10}, HitNew, false, false},   // outside: a new one, magnifier unchanged
               {s, {150, 150}, HitMove, false, false},
               {s, {200, 150}, HitRight, false, true},
               {s, {99, 201}, HitBottomLeft, false, true}};
  for (const auto& c : cases) {
    const PressResult r = PressAt(c.sel, c.p);
    EXPECT_EQ(r.mode, c.mode);
    EXPECT_EQ(r.started_from_empty, c.from_empty);
    EXPECT_EQ(r.magnifier_on, c.magnifier);
  }
  EXPECT_TRUE(ReleaseAppliesLastStep(true, false));
  EXPECT_FALSE(ReleaseAppliesLastStep(true, true));
  EXPECT_FALSE(ReleaseAppliesLastStep(false, false));
}

struct DragCase {
  SelectionHit mode;
  Rect start;
  Point press, cur;
  Rect want;
};

void ExpectDrags(const std::vector<DragCase>& cases) {
  for (const DragCase& c : cases) {
    const Rect n = DragStep(c.mode, c.start, c.press, c.cur, 100, 80);
    EXPECT_EQ(n, c.want) << "mode " << c.mode << " to " << c.cur.x << "," << c.cur.y << " gave "
                         << n.left << "," << n.top << "," << n.right << "," << n.bottom;
  }
}

// All on a 100 x 80 capture; expected rectangles worked out by hand.
TEST(DragStep, NewSelectionAndMove) {
  const Rect s{10, 10, 50, 40};
  ExpectDrags({
      {HitNew, Rect{}, {10, 20}, {30, 50}, {10, 20, 30, 50}},
      {HitNew, Rect{}, {30, 50}, {10, 20}, {10, 20, 30, 50}},
      {HitNew, Rect{}, {30, 20}, {10, 50}, {10, 20, 30, 50}},
      {HitNew, Rect{}, {90, 70}, {150, -10}, {90, 0, 100, 70}},  // clipped
      {HitNew, Rect{}, {10, 20}, {40, 20}, {10, 20, 40, 20}},    // no height
      {HitNew, s, {10, 20}, {11, 21}, {10, 20, 11, 21}},         // the start plays no part
      {HitOutside, s, {10, 20}, {11, 21}, s},
      {HitMove, s, {20, 20}, {25, 17}, {15, 7, 55, 37}},
      {HitMove, s, {20, 20}, {0, 20}, {0, 10, 40, 40}},  // slides along the edges
      {HitMove, s, {20, 20}, {200, 25}, {60, 15, 100, 45}},
      {HitMove, s, {20, 20}, {30, -50}, {20, 0, 60, 30}},
      {HitMove, s, {20, 20}, {-90, 300}, {0, 50, 40, 80}},
      {HitMove, Rect{0, 0, 100, 80}, {5, 5}, {50, 7}, {0, 0, 100, 80}},
  });
}

TEST(DragStep, EdgesCornersAndTurnOver) {
  const Rect s{20, 30, 60, 70};
  ExpectDrags({
      {HitLeft, s, {20, 50}, {15, 99}, {15, 30, 60, 70}},
      {HitRight, s, {60, 50}, {70, 0}, {20, 30, 70, 70}},
      {HitTop, s, {40, 30}, {0, 35}, {20, 35, 60, 70}},
      {HitBottom, s, {40, 70}, {40, 90}, {20, 30, 60, 80}},
      // A corner moves by exactly (dx, dy), the opposite one stays.
      {HitTopLeft, s, {0, 0}, {-3, 4}, {17, 34, 60, 70}},
      {HitTopRight, s, {0, 0}, {-3, 4}, {20, 34, 57, 70}},
      {HitBottomLeft, s, {0, 0}, {-3, 4}, {17, 30, 60, 74}},
      {HitBottomRight, s, {0, 0}, {-3, 4}, {20, 30, 57, 74}},
      {HitLeft, s, {20, 50}, {-40, 50}, {0, 30, 60, 70}},
      {HitBottomRight, s, {60, 70}, {500, 500}, {20, 30, 100, 80}},
      // Turned over: right to x 10 (dx -50): right = l0 = 20, left = r0 + dx - 1 = 9.
      {HitRight, s, {60, 50}, {10, 50}, {9, 30, 20, 70}},
      {HitRight, s, {60, 50}, {20, 50}, {19, 30, 20, 70}},  // width exactly 0
      {HitLeft, s, {20, 50}, {75, 50}, {60, 30, 76, 70}},   // left = 60, right = 20 + 55 + 1
      {HitTop, s, {40, 30}, {40, 75}, {20, 70, 60, 76}},
      {HitBottom, s, {40, 70}, {40, 20}, {20, 19, 60, 30}},  // top = 70 - 50 - 1
      {HitTopLeft, s, {20, 30}, {90, 78}, {60, 70, 91, 79}},
      {HitBottomRight, s, {60, 70}, {10, 75}, {9, 30, 20, 75}},  // only the width turns
      {HitLeft, s, {20, 50}, {200, 50}, {60, 30, 100, 70}},      // clamped at the screen
      {HitLeft, Rect{20, 30, 100, 70}, {20, 50}, {150, 50}, {100, 30, 100, 70}},
      {HitTop, Rect{0, 0, 50, 80}, {9, 0}, {9, 90}, {0, 80, 50, 80}},
  });
}

// Random drags: results normalised and on the capture, moves keep the size, edge drags that do
// not turn over move only that edge.
TEST(DragStep, RandomDragsStayOnTheCapture) {
  const SelectionHit kModes[] = {HitNew,    HitMove,    HitLeft,     HitRight,      HitTop,
                                 HitBottom, HitTopLeft, HitTopRight, HitBottomLeft, HitBottomRight};
  std::mt19937 rng(99);
  auto below = [&](int n) { return static_cast<int>(rng() % n); };
  for (int i = 0; i < 20000; ++i) {
    const int cx = 1 + below(300), cy = 1 + below(200), l = below(cx), t = below(cy);
    const Rect s{l, t, l + 1 + below(cx - l), t + 1 + below(cy - t)};
    const Point press{below(cx + 20) - 10, below(cy + 20) - 10};
    const Point cur{below(cx + 20) - 10, below(cy + 20) - 10};
    const SelectionHit mode = kModes[below(10)];
    const Rect n = DragStep(mode, s, press, cur, cx, cy);
    ASSERT_TRUE(n.left <= n.right && n.top <= n.bottom && n.left >= 0 && n.top >= 0 &&
                n.right <= cx && n.bottom <= cy);
    if (mode == HitMove) {
      ASSERT_TRUE(n.Width() == s.Width() && n.Height() == s.Height());
    }
    const int x = s.left + cur.x - press.x;
    if (mode == HitLeft && x >= 0 && x < s.right) {
      ASSERT_EQ(n, (Rect{x, s.top, s.right, s.bottom}));
    }
  }
}

TEST(WindowPick, ScreenRectangleToSelection) {
  const Point origin{-1920, -200};  // virtual screen 3840 x 1280 from (-1920, -200)
  EXPECT_EQ(WindowRectToSelection(Rect{-1900, -100, -1500, 300}, origin, 3840, 1280),
            (Rect{20, 100, 420, 500}));
  EXPECT_EQ(WindowRectToSelection(Rect{-2000, -300, -1800, 0}, origin, 3840, 1280),
            (Rect{0, 0, 120, 200}));
  EXPECT_EQ(WindowRectToSelection(Rect{1800, 1000, 2000, 1100}, origin, 3840, 1280),
            (Rect{3720, 1200, 3840, 1280}));
  EXPECT_EQ(WindowRectToSelection(Rect{0, 50, -100, 10}, origin, 3840, 1280),
            (Rect{1820, 210, 1920, 250}));  // turned over
  EXPECT_TRUE(WindowRectToSelection(Rect{2000, 0, 2100, 10}, origin, 3840, 1280).IsEmpty());
  EXPECT_TRUE(WindowRectToSelection(Rect{0, 0, 10, 10}, Point{0, 0}, 0, 0).IsEmpty());
}

}  // namespace
