// Hit masks: packing a painted stroke into bits and the body test's tolerances.
#include "screenshot/board/hit_mask.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A black 24-bit picture for `box` with rows padded to 4 bytes, as a DIB has them.
struct Picture {
  int width, height;
  std::ptrdiff_t stride;
  std::vector<uint8_t> bytes;
  explicit Picture(const Rect& box)
      : width(HitMask::PictureWidth(box.Width())),
        height(box.Height()),
        stride((width * 3 + 3) & ~3),
        bytes(static_cast<size_t>(stride) * height, 0) {}
  void Set(int x, int y, uint8_t b, uint8_t g = 0, uint8_t r = 0) {
    uint8_t* p = &bytes[static_cast<size_t>(y * stride + 3 * x)];
    p[0] = b, p[1] = g, p[2] = r;
  }
};

TEST(HitMask, PacksBlueBytesLowBitFirst) {
  EXPECT_EQ(HitMask::PictureWidth(1), 8);
  EXPECT_EQ(HitMask::PictureWidth(8), 8);
  EXPECT_EQ(HitMask::PictureWidth(9), 16);
  const Rect box{100, 50, 111, 53};  // 11 wide: two bytes a row
  Picture pic(box);
  pic.Set(0, 0, 255);
  pic.Set(9, 1, 1);
  pic.Set(3, 2, 0, 255, 255);  // white but for blue: not part of the stroke
  HitMask m;
  EXPECT_TRUE(m.empty());
  m.Pack(box, pic.bytes.data(), pic.stride);
  ASSERT_FALSE(m.empty());
  EXPECT_EQ(m.bytes_per_row(), 2);
  EXPECT_EQ(m.box(), box);
  EXPECT_TRUE(m.Bit(0, 0));
  EXPECT_TRUE(m.Bit(9, 1));
  EXPECT_FALSE(m.Bit(3, 2));
  EXPECT_FALSE(m.Bit(1, 0));
  EXPECT_FALSE(m.Bit(-1, 0));
  EXPECT_FALSE(m.Bit(0, 3));
  m.Clear();
  EXPECT_TRUE(m.empty());
  EXPECT_FALSE(m.Hit({100, 50}, true));
}

TEST(HitMask, ThreePixelsAroundTheStrokeOrFiveWhenWide) {
  const Rect box{-20, 10, 20, 40};  // boxes may start left of the board
  Picture pic(box);
  pic.Set(20, 15, 255);  // board point (0, 25)
  HitMask m;
  m.Pack(box, pic.bytes.data(), pic.stride);
  EXPECT_TRUE(m.Hit({0, 25}, false));
  EXPECT_TRUE(m.Hit({3, 22}, false));
  EXPECT_FALSE(m.Hit({4, 25}, false));
  EXPECT_FALSE(m.Hit({0, 21}, false));
  EXPECT_TRUE(m.Hit({5, 30}, true));
  EXPECT_FALSE(m.Hit({6, 25}, true));
  EXPECT_FALSE(m.Hit({0, 19}, true));
}

TEST(HitMask, TheSquareIsClippedToTheMask) {
  const Rect box{0, 0, 8, 4};
  Picture pic(box);
  pic.Set(0, 0, 255);
  pic.Set(7, 3, 255);
  HitMask m;
  m.Pack(box, pic.bytes.data(), pic.stride);
  EXPECT_TRUE(m.Hit({-3, -3}, false));  // outside the box, within reach of its corner
  EXPECT_FALSE(m.Hit({-4, 0}, false));
  EXPECT_TRUE(m.Hit({10, 6}, false));
  EXPECT_FALSE(m.Hit({1000, 1000}, true));
  EXPECT_FALSE(m.Hit({-100000, 3}, true));
}

TEST(HitMask, AnEmptyBoxMakesNoMask) {
  HitMask m;
  uint8_t byte = 255;
  m.Pack(Rect{5, 5, 5, 9}, &byte, 3);  // a free-hand line in one column
  EXPECT_TRUE(m.empty());
  EXPECT_FALSE(m.Hit({5, 6}, true));
}

}  // namespace
