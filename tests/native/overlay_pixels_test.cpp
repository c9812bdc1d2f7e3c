// The overlay pixel store: layout, selection hole/frame/handles and window highlight against a
// pixel-by-pixel reference; incremental updates versus a full redraw; dirty rectangles.
#include "screenshot/capture/overlay_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "screenshot/capture/selection_geometry.h"

namespace {

constexpr uint32_t kDim = 0x60000000, kHole = 0x04000000, kFrame = 0xFF02A9FF;
constexpr uint32_t kGuard = 0xDEADBEEF;
constexpr int kGuardPixels = 64;

std::string Str(const Rect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A freshly redrawn overlay, pixel by pixel: spare area dimmed; on the frame (outline of the
// selection grown by 1, limited to 0..cx-1, 0..cy-1 exclusive) or a handle square (5 x 5 around
// corners and edge middles, origin kept in 0..cx-1, 0..cy-1) the frame colour; inside the
// selection the hole; else dimmed.
uint32_t ExpectedPixel(int x, int y, int cx, int cy, const Rect& s) {
  if (x >= cx || y >= cy) return kDim;
  if (s.IsEmpty()) return kDim;
  const int fl = std::max(s.left - 1, 0), ft = std::max(s.top - 1, 0);
  const int fr = std::min(s.right + 1, cx - 1), fb = std::min(s.bottom + 1, cy - 1);
  if (x >= fl && x < fr && y >= ft && y < fb && (x == fl || x == fr - 1 || y == ft || y == fb - 1))
    return kFrame;
  const int hx[3] = {s.left - 1, (s.left + s.right) / 2, s.right};
  const int hy[3] = {s.top - 1, (s.top + s.bottom) / 2, s.bottom};
  for (int i = 0; i < 9; ++i) {
    if (i == 4) continue;  // no handle in the middle
    const int ox = std::clamp(hx[i % 3] - 2, 0, cx - 1), oy = std::clamp(hy[i / 3] - 2, 0, cy - 1);
    if (x >= ox && x < ox + 5 && y >= oy && y < oy + 5) return kFrame;
  }
  return s.Contains(Point{x, y}) ? kHole : kDim;
}

// The highlight, pixel by pixel: the 4-pixel bands of the limited rectangle, the window's hole.
uint32_t ExpectedHighlightPixel(int x, int y, int cx, int cy, const Rect& w) {
  if (x >= cx || y >= cy) return kDim;
  const int l = std::max(w.left, 1), t = std::max(w.top, 1);
  const int r = std::min(w.right, cx - 2), b = std::min(w.bottom, cy - 2);
  const bool in_box = x >= l - 3 && x <= r + 3 && y >= t - 3 && y <= b + 3;
  if (in_box && (x <= l || x >= r || y <= t || y >= b)) return kFrame;
  return w.Contains(Point{x, y}) ? kHole : kDim;
}

// A store block with guard pixels on both sides, all set to a marker before the first fill.
struct Store {
  int cx, cy;
  std::vector<uint32_t> block;
  PixelView view;
  OverlayPixels overlay;

  Store(int w, int h, RowOrder order = RowOrder::TopDown)
      : cx(w), cy(h), block(OverlayStoreBytes(w, h) / 4 + 2 * kGuardPixels, kGuard) {
    view = OverlayStoreView(block.data() + kGuardPixels, cx, cy, order);
    overlay = OverlayPixels(view, cx, cy);
    overlay.FillDimmed();
  }
  uint32_t at(int x, int y) const { return view.At(x, y); }

  // Every pixel of the store, spare area included, against `expected`; the 9 trailing pixels
  // and the guards must still hold the marker.
  template <typename F>
  ::testing::AssertionResult Holds(F expected) const {
    for (int y = 0; y < cy + 9; ++y)
      for (int x = 0; x < cx + 9; ++x)
        if (at(x, y) != expected(x, y))
          return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                               << at(x, y) << " not " << expected(x, y);
    for (size_t i = 0; i < kGuardPixels + 9; ++i)
      if (block[block.size() - 1 - i] != kGuard || (i < kGuardPixels && block[i] != kGuard))
        return ::testing::AssertionFailure() << "write outside the store's pixels";
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult Matches(const Rect& s) const {
    return Holds([&](int x, int y) { return ExpectedPixel(x, y, cx, cy, s); })
           << " selection " << Str(s);
  }
  // Every pixel that differs from `before` lies in `dirty`, which lies in the capture.
  ::testing::AssertionResult ChangesWithin(const std::vector<uint32_t>& before,
                                           const Rect& dirty) const {
    if (!dirty.IsEmpty() && UnionOf(dirty, Rect{0, 0, cx, cy}) != (Rect{0, 0, cx, cy}))
      return ::testing::AssertionFailure() << "dirty " << Str(dirty) << " leaves the capture";
    for (size_t i = 0; i < block.size(); ++i)
      if (before[i] != block[i]) {
        const std::ptrdiff_t off = &block[i] - view.top_row, step = view.row_step_pixels;
        // Back to (x, y); rows run backwards in a bottom-up store.
        const std::ptrdiff_t y = step > 0 ? off / step : (-step - 1 - off) / -step;
        const std::ptrdiff_t x = off - y * step;
        if (!dirty.Contains(Point{static_cast<int>(x), static_cast<int>(y)}))
          return ::testing::AssertionFailure()
                 << "(" << x << "," << y << ") changed outside " << Str(dirty);
      }
    return ::testing::AssertionSuccess();
  }
};

TEST(OverlayStore, SizeLayoutAndFirstFill) {
  EXPECT_EQ(OverlayStoreBytes(1920, 1080), 8402760u);  // (1929 * 1089 + 9) * 4
  EXPECT_EQ(OverlayStoreBytes(1, 1), 436u);
  EXPECT_EQ(OverlayStoreBytes(0, 100), 0u);
  EXPECT_EQ(OverlayStoreBytes(100, -1), 0u);
  EXPECT_EQ(OverlayStoreBytes(INT_MAX, INT_MAX), 0u);
  std::vector<uint32_t> block(OverlayStoreBytes(7, 5) / 4);  // 16 x 14 + 9
  const PixelView td = OverlayStoreView(block.data(), 7, 5, RowOrder::TopDown);
  EXPECT_EQ(td.width * 100 + td.height, 1614);
  EXPECT_EQ(&td.At(3, 2), &block[2 * 16 + 3]);
  EXPECT_EQ(&td.At(15, 13), &block[block.size() - 10]);
  const PixelView bu = OverlayStoreView(block.data(), 7, 5, RowOrder::BottomUp);
  EXPECT_EQ(&bu.At(0, 13), &block[0]);  // the last spare row comes first
  EXPECT_EQ(&bu.At(15, 0), &block[block.size() - 10]);
  EXPECT_EQ(OverlayStoreView(nullptr, 7, 5, RowOrder::TopDown).top_row, nullptr);
  EXPECT_EQ(OverlayStoreView(block.data(), 0, 5, RowOrder::TopDown).top_row, nullptr);
  for (RowOrder order : {RowOrder::TopDown, RowOrder::BottomUp}) {
    Store st(7, 5, order);
    EXPECT_TRUE(st.Matches(Rect{}));
    EXPECT_EQ(st.overlay.FillDimmed(), (Rect{0, 0, 7, 5}));
  }
}

TEST(OverlayPixels, FrameAndHandlesByHand) {
  Store st(64, 48);
  // Selection (10,12,30,25): frame rows 11, 25 and columns 9, 30; squares around (9,11), (20,11),
  // (30,11), (9,18), (30,18), (9,25), (20,25), (30,25).
  EXPECT_EQ(st.overlay.ApplySelection(Rect{10, 12, 30, 25}, false), (Rect{7, 9, 33, 28}));
  const struct {
    int x, y;
    uint32_t v;
  } inner[] = {{9, 11, kFrame}, {15, 25, kFrame}, {30, 22, kFrame}, {7, 9, kFrame},
               {6, 9, kDim},    {7, 8, kDim},     {11, 13, kFrame}, {12, 13, kHole},
               {11, 14, kHole}, {22, 13, kFrame}, {23, 13, kHole},  {32, 27, kFrame},
               {33, 27, kDim},  {31, 14, kDim},   {31, 16, kFrame}};
  for (const auto& p : inner) EXPECT_EQ(st.at(p.x, p.y), p.v) << p.x << "," << p.y;
  EXPECT_EQ(st.overlay.handle_pixels()[0], (Point{7, 9}));
  EXPECT_EQ(st.overlay.handle_pixels()[25], (Point{18, 9}));
  EXPECT_EQ(st.overlay.handle_pixels()[199], (Point{32, 27}));
  // The whole screen: the limited outline (0,0,63,47) gives columns 0, 62 and rows 0, 46; the
  // squares are pushed to start at 0 and at most at column 63 / row 47.
  st.overlay.ApplySelection(Rect{0, 0, 64, 48}, false);
  const struct {
    int x, y;
    uint32_t v;
  } whole[] = {{0, 20, kFrame}, {62, 20, kFrame}, {63, 20, kHole},  {30, 46, kFrame},
               {20, 47, kHole}, {30, 47, kFrame}, {63, 47, kFrame}, {63, 22, kFrame},
               {63, 27, kHole}, {4, 4, kFrame},   {5, 5, kHole},    {64, 47, kDim},
               {63, 48, kDim}};
  for (const auto& p : whole) EXPECT_EQ(st.at(p.x, p.y), p.v) << p.x << "," << p.y;
}

TEST(OverlayPixels, RequestsThatRemoveClipOrChangeNothing) {
  Store st(64, 48);
  EXPECT_EQ(st.overlay.ApplySelection(Rect{5, 5, 5, 20}, false), Rect{});
  st.overlay.ApplySelection(Rect{5, 5, 20, 20}, false);
  EXPECT_EQ(st.overlay.ApplySelection(Rect{5, 5, 20, 20}, true), Rect{});
  EXPECT_EQ(st.overlay.ApplySelection(Rect{5, 5, 20, 5}, false), (Rect{2, 2, 23, 23}));
  EXPECT_TRUE(st.overlay.selection().IsEmpty());
  EXPECT_TRUE(st.Matches(Rect{}));
  st.overlay.ApplySelection(Rect{-10, 40, 10, 60}, false);
  EXPECT_EQ(st.overlay.selection(), (Rect{0, 40, 10, 48}));
  EXPECT_EQ(st.overlay.RemoveSelection(), (Rect{0, 37, 13, 48}));
  EXPECT_EQ(st.overlay.RemoveSelection(), Rect{});
  EXPECT_EQ(st.overlay.Punch(Rect{-3, -3, 2, 90}), (Rect{0, 0, 2, 48}));
  EXPECT_EQ(st.overlay.Dim(Rect{-3, -3, 2, 90}), (Rect{0, 0, 2, 48}));
  EXPECT_EQ(st.overlay.Punch(Rect{64, 0, 70, 48}), Rect{});  // spare area only
  EXPECT_TRUE(st.Matches(Rect{}));
  // 1-pixel selections at the top-left: squares pushed to start at 0 reach column / row 4,
  // beyond the selection grown by 3, and must go all the same.
  for (const Rect& s : {Rect{0, 0, 1, 1}, Rect{0, 0, 1, 30}, Rect{0, 0, 30, 1}, Rect{1, 0, 2, 1}}) {
    st.overlay.ApplySelection(s, false);
    st.overlay.RemoveSelection();
    EXPECT_TRUE(st.Matches(Rect{})) << Str(s);
    st.overlay.ApplySelection(s, false);
    st.overlay.ApplySelection(Rect{40, 30, 50, 40}, false);  // no shared edge
    EXPECT_TRUE(st.Matches(Rect{40, 30, 50, 40})) << Str(s);
    st.overlay.Dim(Rect{0, 0, 64, 48});  // scribbled over: a full redraw restores it
    EXPECT_EQ(st.overlay.RedrawAll(), (Rect{0, 0, 64, 48}));
    EXPECT_TRUE(st.Matches(Rect{40, 30, 50, 40}));
    st.overlay.RemoveSelection();
  }
}

TEST(OverlayPixels, ZeroSizeCaptureOrShortStoreDoesNothing) {
  uint32_t pixel = kGuard;
  const PixelView one{&pixel, 1, 1, 1};
  for (OverlayPixels o : {OverlayPixels(one, 0, 0), OverlayPixels(one, 5, 5), OverlayPixels()}) {
    EXPECT_EQ(o.FillDimmed(), Rect{});
    EXPECT_EQ(o.ApplySelection(Rect{0, 0, 1, 1}, false), Rect{});
    EXPECT_EQ(o.HighlightWindow(Rect{0, 0, 1, 1}), Rect{});
    EXPECT_EQ(o.RedrawAll(), Rect{});
  }
  EXPECT_EQ(pixel, kGuard);
}

// Every pair of rectangles (or none) on small captures, as a move and as a resize.
TEST(OverlayPixels, EveryTransitionOnSmallCapturesEqualsFullRedraw) {
  for (const auto& size : {std::pair{1, 1}, std::pair{2, 3}, std::pair{5, 4}}) {
    const int cx = size.first, cy = size.second;
    std::vector<Rect> rects{Rect{}};
    for (int l = 0; l < cx; ++l)
      for (int r = l + 1; r <= cx; ++r)
        for (int t = 0; t < cy; ++t)
          for (int b = t + 1; b <= cy; ++b) rects.push_back(Rect{l, t, r, b});
    Store st(cx, cy, cx == 5 ? RowOrder::BottomUp : RowOrder::TopDown);
    for (const Rect& s : rects)
      for (const Rect& n : rects)
        for (bool move : {false, true}) {
          st.overlay.FillDimmed();
          st.overlay.ApplySelection(s, false);
          const std::vector<uint32_t> before = st.block;
          const Rect dirty = st.overlay.ApplySelection(n, move);
          ASSERT_EQ(st.overlay.selection(), n);
          ASSERT_TRUE(st.Matches(n)) << " from " << Str(s) << " move " << move;
          ASSERT_TRUE(st.ChangesWithin(before, dirty)) << " from " << Str(s) << " to " << Str(n);
        }
  }
}

// Random drags as the capture window makes them (press rules, drag steps, removal at the first
// move of a new selection, now and then a picked window), pointer often at a grip or a screen
// edge: after every step the store equals the reference, the dirty rectangle holds every change
// and stays near the old and new rectangles.
TEST(OverlayPixels, RandomDragsEqualFullRedraw) {
  std::mt19937 rng(20240611);
  for (const auto& size : {std::pair{1, 1}, std::pair{2, 3}, std::pair{7, 5}, std::pair{64, 48},
                           std::pair{200, 150}}) {
    const int cx = size.first, cy = size.second;
    for (RowOrder order : {RowOrder::TopDown, RowOrder::BottomUp}) {
      Store st(cx, cy, order);
      auto coord = [&](int extent, int near) {
        switch (rng() % 6) {
          case 0:
            return 0;
          case 1:
            return extent - 1;
          case 2:
            return near + static_cast<int>(rng() % 15) - 7;
          case 3:
            return static_cast<int>(rng() % (extent + 8)) - 4;
          default:
            return static_cast<int>(rng() % extent);
        }
      };
      const int gestures = cx * cy > 10000 ? 60 : 150;
      for (int g = 0; g < gestures; ++g) {
        const Rect s = st.overlay.selection();
        const Point press{coord(cx, rng() % 2 ? s.left : s.right),
                          coord(cy, rng() % 2 ? s.top : s.bottom)};
        const PressResult pr = PressAt(s, press);
        for (int m = 0, moves = 1 + rng() % 6; m < moves; ++m) {
          std::vector<uint32_t> before = st.block;
          if (m == 0 && pr.mode == HitNew && !s.IsEmpty()) {
            ASSERT_TRUE(st.ChangesWithin(before, st.overlay.RemoveSelection()));
            ASSERT_TRUE(st.Matches(Rect{}));
            before = st.block;
          }
          Point cur{coord(cx, press.x), coord(cy, press.y)};
          if (rng() % 3 == 0) cur = Point{press.x + static_cast<int>(rng() % 5) - 2, press.y};
          const Rect old = st.overlay.selection();
          const Rect n = DragStep(pr.mode, s, press, cur, cx, cy);
          const Rect dirty = st.overlay.ApplySelection(n, pr.mode == HitMove);
          ASSERT_EQ(st.overlay.selection(), n.IsEmpty() ? Rect{} : n);
          ASSERT_TRUE(st.Matches(n)) << " mode " << pr.mode << " from " << Str(old);
          ASSERT_TRUE(st.ChangesWithin(before, dirty));
          const Rect near = Inflated(UnionOf(old, n), 5);  // squares pushed in reach 4 beyond
          if (!old.IsEmpty() && !n.IsEmpty()) {
            ASSERT_EQ(UnionOf(near, dirty), near) << Str(dirty);
          }
        }
        if (rng() % 8 == 0) {
          const Rect w = Normalized(Rect{coord(cx, 0), coord(cy, 0), coord(cx, cx), coord(cy, cy)});
          st.overlay.ApplySelection(w, false);
          ASSERT_TRUE(st.Matches(Intersection(w, Rect{0, 0, cx, cy})));
        }
      }
    }
  }
}

TEST(OverlayHighlight, FrameBandsByHandAndAtTheScreenEdges) {
  Store st(64, 48, RowOrder::BottomUp);
  EXPECT_EQ(st.overlay.HighlightWindow(Rect{10, 10, 30, 20}), (Rect{7, 7, 34, 24}));
  const struct {
    int x, y;
    uint32_t v;
  } pts[] = {{7, 7, kFrame},   {10, 15, kFrame}, {11, 15, kHole}, {29, 15, kHole},
             {30, 15, kFrame}, {33, 23, kFrame}, {34, 23, kDim},  {15, 10, kFrame},
             {15, 11, kHole},  {15, 20, kFrame}};
  for (const auto& p : pts) EXPECT_EQ(st.at(p.x, p.y), p.v) << p.x << "," << p.y;
  EXPECT_EQ(st.overlay.DimWindowHighlight(Rect{10, 10, 30, 20}), (Rect{5, 5, 34, 24}));
  EXPECT_TRUE(st.Matches(Rect{}));
  // Larger than the screen: l, t become 1 and r, b 62, 46; 2 pixels of each band show.
  st.overlay.HighlightWindow(Rect{-5, -5, 70, 60});
  const struct {
    int x, y;
    uint32_t v;
  } edge[] = {{0, 0, kFrame},   {1, 20, kFrame},  {2, 20, kHole}, {61, 20, kHole},
              {62, 20, kFrame}, {63, 47, kFrame}, {64, 20, kDim}};
  for (const auto& p : edge) EXPECT_EQ(st.at(p.x, p.y), p.v) << p.x << "," << p.y;
  st.overlay.DimWindowHighlight(Rect{-5, -5, 70, 60});
  EXPECT_TRUE(st.Matches(Rect{}));
}

TEST(OverlayHighlight, RandomWindowsMatchTheRuleAndDimBackCompletely) {
  std::mt19937 rng(7);
  for (const auto& size : {std::pair{1, 1}, std::pair{3, 2}, std::pair{7, 5}, std::pair{64, 48}}) {
    const int cx = size.first, cy = size.second;
    Store st(cx, cy, rng() % 2 ? RowOrder::TopDown : RowOrder::BottomUp);
    for (int i = 0; i < 300; ++i) {
      // A window found under the pointer contains a capture point; many reach past the edges.
      const Point p{static_cast<int>(rng() % cx), static_cast<int>(rng() % cy)};
      auto reach = [&] { return static_cast<int>(rng() % 12); };
      const Rect w{p.x - reach(), p.y - reach(), p.x + 1 + reach(), p.y + 1 + reach()};
      const std::vector<uint32_t> before = st.block;
      const Rect lit = st.overlay.HighlightWindow(w);
      ASSERT_TRUE(st.ChangesWithin(before, lit));
      ASSERT_TRUE(st.Holds([&](int x, int y) { return ExpectedHighlightPixel(x, y, cx, cy, w); }))
          << Str(w);
      const Rect dimmed = st.overlay.DimWindowHighlight(w);
      ASSERT_EQ(UnionOf(dimmed, lit), dimmed);
      ASSERT_TRUE(st.Matches(Rect{})) << Str(w);
    }
    // A rectangle that does not meet the capture changes nothing.
    EXPECT_EQ(st.overlay.HighlightWindow(Rect{cx + 1, 0, cx + 20, cy}), Rect{});
    EXPECT_EQ(st.overlay.HighlightWindow(Rect{0, -30, cx, -2}), Rect{});
    EXPECT_TRUE(st.Matches(Rect{}));
  }
}

}  // namespace
