// The magnifier picture: edges, 4x zoom, cross-hair and text strip against a per-pixel rule;
// placement near monitor edges; sampling near and beyond the capture's edges.
#include "screenshot/capture/magnifier_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEF;

// A frozen desktop whose pixels say where they are, with an alpha byte that must not show.
struct Frozen {
  int cx, cy;
  std::vector<uint32_t> pixels;
  explicit Frozen(int w, int h) : cx(w), cy(h), pixels(static_cast<size_t>(w) * h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = Value(x, y);
  }
  static uint32_t Value(int x, int y) { return 0x12000000u | (static_cast<uint32_t>(x) << 12) | y; }
  PixelView view() { return PixelView{pixels.data(), cx, cx, cy}; }
};

struct Picture {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(122 * 122, kUntouched);
  PixelView view() { return PixelView{pixels.data(), 122, 122, 122}; }
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * 122 + x]; }
};

// The zoom part of the picture from the rules, later rules first: cross-hair, zoomed block,
// white edges, black edges; the strip rows are not drawn. `origin` is the block's top-left in
// the capture; block pixels off the capture are opaque black.
uint32_t ExpectedZoomPixel(int x, int y, Point origin, int cx, int cy) {
  if (y <= 32) return kUntouched;
  if ((y >= 75 && y <= 77 && x >= 3 && x <= 118) || (x >= 60 && x <= 62 && y >= 35 && y <= 118))
    return 0xFF02A9FF;
  if (x >= 3 && x <= 118 && y >= 35 && y <= 118) {
    const int sx = origin.x + (x - 3) / 4, sy = origin.y + (y - 35) / 4;
    return sx < cx && sy < cy ? (0xFF000000u | Frozen::Value(sx, sy)) : 0xFF000000u;
  }
  if (((y == 33 || y == 34 || y == 119 || y == 120) && x >= 1 && x <= 120) ||
      ((x == 1 || x == 2 || x == 119 || x == 120) && y >= 35 && y <= 119))
    return 0x51FFFFFF;
  if (y == 121 || x == 0 || x == 121) return 0x51000000;
  return kUntouched;
}

void ExpectZoom(const Picture& pic, Point origin, int cx, int cy) {
  for (int y = 0; y < 122; ++y)
    for (int x = 0; x < 122; ++x)
      ASSERT_EQ(pic.at(x, y), ExpectedZoomPixel(x, y, origin, cx, cy)) << x << "," << y;
}

TEST(MagnifierZoom, EdgesBlockAndCrossHair) {
  Frozen frozen(300, 200);
  Picture pic;
  DrawMagnifierZoom(pic.view(), frozen.view(), Point{150, 100});
  // By hand: the block starts at (136, 90).
  EXPECT_EQ(pic.at(0, 33), 0x51000000u);
  EXPECT_EQ(pic.at(0, 32), kUntouched);
  EXPECT_EQ(pic.at(1, 33), 0x51FFFFFFu);
  EXPECT_EQ(pic.at(121, 121), 0x51000000u);
  EXPECT_EQ(pic.at(120, 121), 0x51000000u);
  EXPECT_EQ(pic.at(120, 120), 0x51FFFFFFu);
  EXPECT_EQ(pic.at(2, 118), 0x51FFFFFFu);
  EXPECT_EQ(pic.at(3, 35), 0xFF000000u | Frozen::Value(136, 90));
  EXPECT_EQ(pic.at(6, 38), 0xFF000000u | Frozen::Value(136, 90));
  EXPECT_EQ(pic.at(7, 38), 0xFF000000u | Frozen::Value(137, 90));
  EXPECT_EQ(pic.at(118, 118), 0xFF000000u | Frozen::Value(164, 110));
  EXPECT_EQ(pic.at(59, 78), 0xFF000000u | Frozen::Value(150, 100));  // the pointer's pixel
  EXPECT_EQ(pic.at(59, 77), 0xFF02A9FFu);
  EXPECT_EQ(pic.at(61, 40), 0xFF02A9FFu);
  EXPECT_EQ(pic.at(63, 40), 0xFF000000u | Frozen::Value(151, 91));
  ExpectZoom(pic, Point{136, 90}, 300, 200);
}

TEST(MagnifierZoom, BlockMovedInsideTheCapture) {
  EXPECT_EQ(MagnifierSampleOrigin(Point{150, 100}, 300, 200), (Point{136, 90}));
  EXPECT_EQ(MagnifierSampleOrigin(Point{0, 0}, 300, 200), (Point{0, 0}));
  EXPECT_EQ(MagnifierSampleOrigin(Point{299, 199}, 300, 200), (Point{271, 179}));
  EXPECT_EQ(MagnifierSampleOrigin(Point{5, 150}, 300, 200), (Point{0, 140}));
  EXPECT_EQ(MagnifierSampleOrigin(Point{14, 10}, 29, 21), (Point{0, 0}));
  EXPECT_EQ(MagnifierSampleOrigin(Point{9, 3}, 10, 5), (Point{0, 0}));  // smaller than the block
  Frozen frozen(300, 200);
  for (const Point& p : {Point{0, 0}, Point{299, 199}, Point{5, 150}, Point{290, 3}}) {
    Picture pic;
    DrawMagnifierZoom(pic.view(), frozen.view(), p);
    ExpectZoom(pic, MagnifierSampleOrigin(p, 300, 200), 300, 200);
  }
}

TEST(MagnifierZoom, CaptureSmallerThanTheBlock) {
  Frozen frozen(10, 5);
  Picture pic;
  DrawMagnifierZoom(pic.view(), frozen.view(), Point{9, 4});
  EXPECT_EQ(pic.at(39, 51), 0xFF000000u | Frozen::Value(9, 4));
  EXPECT_EQ(pic.at(43, 35), 0xFF000000u);  // column 10 is off the capture
  EXPECT_EQ(pic.at(3, 55), 0xFF000000u);   // row 5 too
  ExpectZoom(pic, Point{0, 0}, 10, 5);
  Picture empty;
  DrawMagnifierZoom(empty.view(), PixelView{}, Point{0, 0});
  ExpectZoom(empty, Point{0, 0}, 0, 0);
  // A picture too small is left alone.
  uint32_t one = kUntouched;
  DrawMagnifierZoom(PixelView{&one, 1, 1, 1}, frozen.view(), Point{0, 0});
  EXPECT_EQ(one, kUntouched);
}

TEST(MagnifierStrip, ScaledToAlpha0xCC) {
  std::vector<uint32_t> strip(122 * 33, 0);
  strip[0] = 0x00FFFFFF;
  strip[1] = 0x00808080;
  strip[2] = 0x00FF8040;
  strip[3] = 0xFF000000;  // alpha bytes of the strip mean nothing
  strip[32 * 122 + 121] = 0x00FFFFFF;
  Picture pic;
  ComposeMagnifierStrip(pic.view(), PixelView{strip.data(), 122, 122, 33});
  EXPECT_EQ(pic.at(0, 0), 0xCCCCCCCCu);  // 255 * 204 / 255 = 204
  EXPECT_EQ(pic.at(1, 0), 0xCC666666u);  // 128 * 204 / 255 = 102
  EXPECT_EQ(pic.at(2, 0), 0xCCCC6633u);  // 64 * 204 / 255 = 51
  EXPECT_EQ(pic.at(3, 0), 0xCC000000u);
  EXPECT_EQ(pic.at(60, 20), 0xCC000000u);
  EXPECT_EQ(pic.at(121, 32), 0xCCCCCCCCu);
  EXPECT_EQ(pic.at(121, 33), kUntouched);  // the zoom area is not the strip's
  // A short strip: what it lacks counts as black.
  Picture pic2;
  ComposeMagnifierStrip(pic2.view(), PixelView{strip.data(), 122, 2, 1});
  EXPECT_EQ(pic2.at(0, 0), 0xCCCCCCCCu);
  EXPECT_EQ(pic2.at(2, 0), 0xCC000000u);
  EXPECT_EQ(pic2.at(0, 1), 0xCC000000u);
  EXPECT_EQ(pic2.at(0, 33), kUntouched);
}

TEST(MagnifierPlacement, FlipsAtMonitorAndCaptureEdges) {
  const Rect mon{0, 0, 1920, 1080};
  EXPECT_EQ(MagnifierPosition({100, 100}, {0, 0}, mon, 1920, 1080), (Point{120, 120}));
  EXPECT_EQ(MagnifierPosition({1797, 100}, {0, 0}, mon, 1920, 1080), (Point{1817, 120}));
  EXPECT_EQ(MagnifierPosition({1798, 100}, {0, 0}, mon, 1920, 1080), (Point{1778, 120}));
  EXPECT_EQ(MagnifierPosition({100, 958}, {0, 0}, mon, 1920, 1080), (Point{120, 938}));
  EXPECT_EQ(MagnifierPosition({100, 957}, {0, 0}, mon, 1920, 1080), (Point{120, 977}));
  // Left monitor of two, virtual screen from (-1920, 0).
  const Rect left{-1920, 0, 0, 1080};
  EXPECT_EQ(MagnifierPosition({-200, 500}, {-1920, 0}, left, 3840, 1080), (Point{-180, 520}));
  EXPECT_EQ(MagnifierPosition({-100, 500}, {-1920, 0}, left, 3840, 1080), (Point{-142, 520}));
  EXPECT_EQ(MagnifierPosition({-122, 500}, {-1920, 0}, left, 3840, 1080), (Point{-142, 520}));
  EXPECT_EQ(MagnifierPosition({-123, 500}, {-1920, 0}, left, 3840, 1080), (Point{-103, 520}));
  // A shorter second monitor: its own bottom edge decides.
  const Rect second{1920, 0, 3840, 1080};
  EXPECT_EQ(MagnifierPosition({2500, 1000}, {0, 0}, second, 3840, 1200), (Point{2520, 938}));
  // The capture's edge decides even where the monitor would not.
  const Rect big{0, 0, 4000, 4000};
  EXPECT_EQ(MagnifierPosition({1800, 50}, {0, 0}, big, 1920, 1080), (Point{3858, 70}));
}

TEST(MagnifierInfo, SizeAndColourUnderPointer) {
  MagnifierSize s = MagnifierSizeToShow(Rect{10, 10, 110, 60}, false, nullptr);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 50);
  EXPECT_TRUE(s.Visible());
  const Rect window{0, 0, 300, 200};
  s = MagnifierSizeToShow(Rect{10, 10, 110, 60}, true, &window);
  EXPECT_EQ(s.width, 300);
  EXPECT_EQ(s.height, 200);
  EXPECT_FALSE(MagnifierSizeToShow(Rect{10, 10, 110, 60}, true, nullptr).Visible());
  EXPECT_FALSE(MagnifierSizeToShow(Rect{10, 10, 10, 60}, false, &window).Visible());
  EXPECT_FALSE(MagnifierSizeToShow(Rect{}, false, nullptr).Visible());

  Frozen frozen(300, 200);
  frozen.pixels[100 * 300 + 150] = 0x00123456;
  EXPECT_EQ(ColourUnderPointer(frozen.view(), {150, 100}), (Rgb{0x12, 0x34, 0x56}));
  frozen.pixels[199 * 300 + 0] = 0xFFABCDEF;
  EXPECT_EQ(ColourUnderPointer(frozen.view(), {-5, 500}), (Rgb{0xAB, 0xCD, 0xEF}));
  EXPECT_EQ(ColourUnderPointer(PixelView{}, {0, 0}), (Rgb{0, 0, 0}));
  // A bottom-up picture (negative step) reads the same pixels.
  PixelView up{frozen.pixels.data() + 199 * 300, -300, 300, 200};
  EXPECT_EQ(ColourUnderPointer(up, {0, 0}), (Rgb{0xAB, 0xCD, 0xEF}));
}

}  // namespace
