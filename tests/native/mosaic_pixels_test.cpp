// The mosaic's blocks and the area of its drag: block sizes at the area's edges, each block the
// average of its own pixels alone, uniform areas kept exactly, pixels outside the area untouched,
// clipping to the store, and drags that end on the press point's row or column.
#include "screenshot/board/mosaic_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kUntouched = 0x12345678;

// A store of width x height pixels with its own memory.
struct Store {
  std::vector<uint32_t> pixels;
  PixelView view;
  Store(int width, int height, uint32_t fill) : pixels(static_cast<size_t>(width) * height, fill) {
    view = PixelView{pixels.data(), width, width, height};
  }
  uint32_t& At(int x, int y) { return view.At(x, y); }
};

// Every pixel different: blue, green and red each change along one direction, so a block's
// average tells which pixels went into it.
Store Gradient(int width, int height) {
  Store s(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      s.At(x, y) = 0xFF000000u | static_cast<uint32_t>((x * 7 + y) & 0xFF) << 16 |
                   static_cast<uint32_t>((y * 11) & 0xFF) << 8 |
                   static_cast<uint32_t>((x * 3 + y * 5) & 0xFF);
  return s;
}

// The opaque average of the pixels of `s` in [x0, x1) x [y0, y1), worked out channel by channel.
uint32_t Average(Store& s, int x0, int y0, int x1, int y1) {
  unsigned sum[3] = {0, 0, 0};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      for (int c = 0; c < 3; ++c) sum[c] += (s.At(x, y) >> (8 * c)) & 0xFF;
  const unsigned n = static_cast<unsigned>((x1 - x0) * (y1 - y0));
  return 0xFF000000u | (sum[2] / n) << 16 | (sum[1] / n) << 8 | sum[0] / n;
}

TEST(MosaicPixels, AreaOf25By13GivesBlocksOf10_10_5ColumnsAnd10_3RowsOfTheirOwnAverage) {
  Store source = Gradient(60, 40);
  Store target(60, 40, kUntouched);
  const Rect area = {17, 9, 42, 22};  // 25 x 13
  ASSERT_TRUE(PixelateBlocks(source.view, target.view, area));
  const int columns[] = {17, 27, 37, 42};  // blocks 10, 10 and 5 wide
  const int rows[] = {9, 19, 22};          // blocks 10 and 3 high
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 3; ++i) {
      const uint32_t want = Average(source, columns[i], rows[j], columns[i + 1], rows[j + 1]);
      for (int y = rows[j]; y < rows[j + 1]; ++y)
        for (int x = columns[i]; x < columns[i + 1]; ++x)
          ASSERT_EQ(target.At(x, y), want) << "block " << i << "," << j << " at " << x << "," << y;
    }
  }
  // The narrow and low blocks hold their own pixels' average, not that of a whole 10 x 10 block.
  EXPECT_NE(target.At(37, 19), Average(source, 37, 19, 47, 29));
  EXPECT_NE(target.At(37, 9), target.At(36, 9));
  EXPECT_NE(target.At(17, 19), target.At(17, 18));
  // Nothing outside the area is written.
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (!area.Contains(Point{x, y})) {
        ASSERT_EQ(target.At(x, y), kUntouched) << x << "," << y;
      }
}

TEST(MosaicPixels, UniformAreaKeepsItsExactColourAndComesOutOpaque) {
  for (const uint32_t colour : {0xFF123456u, 0xFFFFFFFFu, 0xFF000000u, 0xFF02D8FFu}) {
    Store source(50, 30, colour);
    Store target(50, 30, 0);
    ASSERT_TRUE(PixelateBlocks(source.view, target.view, Rect{3, 4, 40, 27}));
    for (int y = 4; y < 27; ++y)
      for (int x = 3; x < 40; ++x) ASSERT_EQ(target.At(x, y), colour) << x << "," << y;
  }
  // A screen copy's alpha bytes are 0; the blocks are opaque whatever the source's alpha.
  Store screen(20, 20, 0x00336699);
  Store target(20, 20, 0);
  ASSERT_TRUE(PixelateBlocks(screen.view, target.view, Rect{0, 0, 20, 20}));
  EXPECT_EQ(target.At(5, 5), 0xFF336699u);
}

TEST(MosaicPixels, InPlaceGivesTheSameBlocksAsIntoAnotherStore) {
  Store source = Gradient(45, 35);
  Store apart(45, 35, kUntouched);
  Store in_place = Gradient(45, 35);
  const Rect area = {2, 1, 44, 34};
  ASSERT_TRUE(PixelateBlocks(source.view, apart.view, area));
  ASSERT_TRUE(PixelateBlocks(in_place.view, in_place.view, area));
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      ASSERT_EQ(in_place.At(x, y), apart.At(x, y)) << x << "," << y;
  EXPECT_EQ(in_place.At(0, 0), source.At(0, 0));
}

TEST(MosaicPixels, AreaReachingPastTheStoreIsClippedWithItsBlocksInPlace) {
  Store source = Gradient(30, 20);
  Store target(30, 20, kUntouched);
  // Blocks laid from (-5, -5): the first ones end at x = 5 and y = 5 inside the store.
  ASSERT_TRUE(PixelateBlocks(source.view, target.view, Rect{-5, -5, 100, 100}));
  EXPECT_EQ(target.At(0, 0), Average(source, 0, 0, 5, 5));
  EXPECT_EQ(target.At(4, 4), Average(source, 0, 0, 5, 5));
  EXPECT_EQ(target.At(5, 0), Average(source, 5, 0, 15, 5));
  EXPECT_EQ(target.At(29, 19), Average(source, 25, 15, 30, 20));
  // Wholly outside, empty, or without pixels: nothing is drawn.
  EXPECT_FALSE(PixelateBlocks(source.view, target.view, Rect{30, 0, 40, 10}));
  EXPECT_FALSE(PixelateBlocks(source.view, target.view, Rect{5, 5, 5, 15}));
  EXPECT_FALSE(PixelateBlocks(PixelView{}, target.view, Rect{0, 0, 10, 10}));
  // A store of one size and another of a smaller one share only their common part.
  Store small(8, 8, kUntouched);
  ASSERT_TRUE(PixelateBlocks(source.view, small.view, Rect{0, 0, 30, 20}));
  EXPECT_EQ(small.At(7, 7), Average(source, 0, 0, 8, 8));
}

TEST(MosaicPixels, DragAreaIsClampedToTheBoardAndEmptyOnThePressRowOrColumn) {
  const Point press = {40, 30};
  EXPECT_EQ(MosaicArea(press, Point{65, 43}, 200, 150), (Rect{40, 30, 65, 43}));
  EXPECT_EQ(MosaicArea(press, Point{15, 10}, 200, 150), (Rect{15, 10, 40, 30}));  // backwards
  EXPECT_EQ(MosaicArea(press, Point{500, -70}, 200, 150), (Rect{40, 0, 200, 30}));
  EXPECT_TRUE(MosaicArea(press, Point{90, 30}, 200, 150).IsEmpty());   // on the press row
  EXPECT_TRUE(MosaicArea(press, Point{40, 100}, 200, 150).IsEmpty());  // on its column
  EXPECT_TRUE(MosaicArea(press, press, 200, 150).IsEmpty());
  // Clamped onto the press point's column: the board's left edge pressed, dragged past it.
  EXPECT_TRUE(MosaicArea(Point{0, 30}, Point{-20, 60}, 200, 150).IsEmpty());
}

}  // namespace
