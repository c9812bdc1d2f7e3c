// The picture generator's rasteriser and file writers (tools/resgen), compiled into this test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/resgen/bmpio.cpp"
#include "tools/resgen/raster.cpp"

namespace {

using resgen::Canvas;
using resgen::Color;

const double kCircle = 3.14159265358979323846;

double coverageSum(const std::vector<float>& m) {
  double s = 0;
  for (float v : m) s += v;
  return s;
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(ResgenRaster, PixelAlignedRectangleCoversExactlyItsPixels) {
  Canvas c(10, 10);
  std::vector<float> m = c.coverage(resgen::rect(2, 3, 5, 7));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      bool inside = x >= 2 && x < 5 && y >= 3 && y < 7;
      EXPECT_FLOAT_EQ(m[y * 10 + x], inside ? 1.0f : 0.0f) << x << "," << y;
    }
}

TEST(ResgenRaster, OnePixelLineOnARowBoundarySplitsEvenly) {
  Canvas c(20, 10);
  std::vector<float> m = c.coverage(resgen::segment({2, 5}, {18, 5}, 1.0, resgen::Cap::Butt));
  for (int x = 3; x < 17; ++x) {
    EXPECT_NEAR(m[4 * 20 + x], 0.5, 1e-6) << x;
    EXPECT_NEAR(m[5 * 20 + x], 0.5, 1e-6) << x;
    double column = 0;
    for (int y = 0; y < 10; ++y) column += m[y * 20 + x];
    EXPECT_NEAR(column, 1.0, 1e-6) << x;
  }
}

TEST(ResgenRaster, AntialiasedCoverageAddsUpToTheShapeArea) {
  Canvas c(40, 40);
  // A diagonal 1-pixel line: area = length x width.
  double len = std::hypot(30.0, 20.0);
  EXPECT_NEAR(coverageSum(c.coverage(resgen::segment({5, 5}, {35, 25}, 1.0, resgen::Cap::Butt))),
              len, len * 0.02);
  // A circle and an annulus.
  EXPECT_NEAR(coverageSum(c.coverage(resgen::circle(20, 20, 12))), kCircle * 144,
              kCircle * 144 * 0.01);
  double ring = kCircle * (12.5 * 12.5 - 11.5 * 11.5);
  EXPECT_NEAR(coverageSum(c.coverage(resgen::strokeEllipse(20, 20, 12, 12, 1.0))), ring,
              ring * 0.03);
  // Polyline pieces overlap at the joint but are counted once.
  double l = coverageSum(
      c.coverage(resgen::polyline({{5, 20}, {20, 20}, {20, 35}}, 2.0, resgen::Cap::Butt)));
  EXPECT_NEAR(l, 2 * 15 * 2.0 + (kCircle - 4) / 4 * 1.0, 0.8);  // two arms, a rounded joint
}

TEST(ResgenRaster, OutputAlphaIsStraightNotPremultiplied) {
  Canvas c(2, 1);
  c.fill(resgen::rect(0, 0, 1, 1), resgen::rgb(0, 0, 0));             // opaque black
  c.fill(resgen::rect(0, 0, 2, 1), resgen::rgb(255, 255, 255, 0.5));  // half white over all
  std::vector<uint8_t> px = c.toBGRA();
  // Over black: an opaque mid grey.
  EXPECT_EQ(px[0], 128);
  EXPECT_EQ(px[2], 128);
  EXPECT_EQ(px[3], 255);
  // Over nothing: white at half alpha, colour bytes not scaled by alpha.
  EXPECT_EQ(px[4], 255);
  EXPECT_EQ(px[5], 255);
  EXPECT_EQ(px[6], 255);
  EXPECT_EQ(px[7], 128);
}

TEST(ResgenRaster, NineGridCollapseKeepsMarginsAndRepeatsTheMiddle) {
  Canvas big(30, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) big.set(x, y, Color{x / 29.0, y / 29.0, 0, 1});
  Canvas small = resgen::collapseNineGrid(big, 3, 4, 5, 6, 12, 14);
  ASSERT_EQ(small.width(), 12);
  ASSERT_EQ(small.height(), 14);
  // Corners come from the corners of the big picture.
  EXPECT_DOUBLE_EQ(small.get(0, 0).r, big.get(0, 0).r);
  EXPECT_NEAR(small.get(11, 13).r, big.get(29, 29).r, 1e-6);
  EXPECT_NEAR(small.get(11, 13).g, big.get(29, 29).g, 1e-6);
  EXPECT_NEAR(small.get(7, 8).r, big.get(25, 24).r, 1e-6);  // first right-margin column
  // Every middle column (3..6) is the same, and every middle row (4..7).
  for (int y = 0; y < 14; ++y)
    for (int x = 4; x < 7; ++x) EXPECT_FLOAT_EQ(small.get(x, y).r, small.get(3, y).r);
  for (int x = 0; x < 12; ++x)
    for (int y = 5; y < 8; ++y) EXPECT_FLOAT_EQ(small.get(x, y).g, small.get(x, 4).g);
}

TEST(ResgenRaster, GreyedIsGreyAndLighter) {
  Canvas c(1, 1);
  c.set(0, 0, resgen::rgb(2, 169, 255));
  Canvas g = resgen::greyed(c);
  Color p = g.get(0, 0);
  EXPECT_NEAR(p.r, p.g, 1e-6);
  EXPECT_NEAR(p.g, p.b, 1e-6);
  EXPECT_GT(p.r, 0.299 * 2 / 255 + 0.587 * 169 / 255.0 + 0.114);
}

TEST(ResgenFiles, BmpHeaderAndBottomUpRows) {
  Canvas c(3, 2);
  c.set(0, 0, resgen::rgb(255, 0, 0));               // top-left red
  c.set(0, 1, resgen::rgb(0, 0, 255, 128 / 255.0));  // bottom-left half blue
  std::vector<uint8_t> f = resgen::encodeBmp(c);
  ASSERT_EQ(f.size(), 54u + 3 * 2 * 4);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(le32(f, 2), f.size());
  EXPECT_EQ(le32(f, 10), 54u);  // pixels follow the two headers
  EXPECT_EQ(le32(f, 14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(le32(f, 18), 3u);
  EXPECT_EQ(le32(f, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(le16(f, 26), 1);
  EXPECT_EQ(le16(f, 28), 32);
  EXPECT_EQ(le32(f, 30), 0u);  // BI_RGB
  // First stored row is the bottom one: half-transparent blue, straight alpha.
  EXPECT_EQ(f[54 + 0], 255);
  EXPECT_EQ(f[54 + 2], 0);
  EXPECT_EQ(f[54 + 3], 128);
  // Second stored row is the top one: opaque red.
  EXPECT_EQ(f[54 + 12 + 0], 0);
  EXPECT_EQ(f[54 + 12 + 2], 255);
  EXPECT_EQ(f[54 + 12 + 3], 255);
}

TEST(ResgenFiles, CursorCarriesHotspotAndMask) {
  Canvas c(32, 32);
  c.set(0, 31, resgen::rgb(0, 0, 0));  // bottom-left pixel opaque, the rest transparent
  std::vector<uint8_t> f = resgen::encodeCur(c, 15, 9);
  EXPECT_EQ(le16(f, 0), 0);
  EXPECT_EQ(le16(f, 2), 2);  // cursor
  EXPECT_EQ(le16(f, 4), 1);
  EXPECT_EQ(f[6], 32);
  EXPECT_EQ(f[7], 32);
  EXPECT_EQ(le16(f, 10), 15);  // hotspot x
  EXPECT_EQ(le16(f, 12), 9);   // hotspot y
  uint32_t size = le32(f, 14), offset = le32(f, 18);
  EXPECT_EQ(offset, 22u);
  EXPECT_EQ(offset + size, f.size());
  EXPECT_EQ(le32(f, offset + 8), 64u);  // colour rows + mask rows
  size_t mask = offset + 40 + 32 * 32 * 4;
  EXPECT_EQ(size, 40u + 32 * 32 * 4 + 32 * 4);
  // Mask rows are bottom-up too: the first mask row is the image's bottom row.
  EXPECT_EQ(f[mask + 0], 0x7F);  // pixel (0, 31) opaque, the others transparent
  EXPECT_EQ(f[mask + 4], 0xFF);  // next row up: all transparent
}

TEST(ResgenFiles, IconDirectoryPointsAtEachImage) {
  std::vector<uint8_t> f = resgen::encodeIco({Canvas(16, 16), Canvas(32, 32), Canvas(48, 48)});
  EXPECT_EQ(le16(f, 2), 1);  // icon
  ASSERT_EQ(le16(f, 4), 3);
  size_t expectOffset = 6 + 3 * 16;
  const int sizes[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    size_t e = 6 + 16 * i;
    EXPECT_EQ(f[e], sizes[i]);
    EXPECT_EQ(le16(f, e + 6), 32);  // bits per pixel
    uint32_t size = le32(f, e + 8), offset = le32(f, e + 12);
    EXPECT_EQ(offset, expectOffset);
    EXPECT_EQ(le32(f, offset + 4), static_cast<uint32_t>(sizes[i]));
    EXPECT_EQ(le32(f, offset + 8), static_cast<uint32_t>(2 * sizes[i]));
    expectOffset += size;
  }
  EXPECT_EQ(expectOffset, f.size());
}

}  // namespace
