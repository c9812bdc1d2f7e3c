// The clipboard picture's bytes: header fields, row padding, block size, bottom-up rows, alpha
// dropped, for the narrow widths where the padding differs.
#include "screenshot/output/clipboard_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// A picture whose every pixel is different: blue = x, green = y, red = x + 16 y, alpha varies.
uint32_t PixelAt(int x, int y) {
  return static_cast<uint32_t>((x * 37 + y) & 0xFF) << 24 | ((x + 16 * y) & 0xFF) << 16 |
         (y & 0xFF) << 8 | (x & 0xFF);
}

TEST(ClipboardDib, RowAndBlockSizes) {
  // width * 3 bytes rounded up to 4: 1 -> 4 (3 bytes and one pad), 2 -> 8, 3 -> 12, 4 -> 12, 5
  // -> 16.
  const size_t rows[] = {0, 4, 8, 12, 12, 16};
  for (int w = 1; w <= 5; ++w) {
    EXPECT_EQ(DibRowBytes(w), rows[w]) << w;
    for (int h : {1, 2, 3, 7}) EXPECT_EQ(DibBlockBytes(w, h), 40 + rows[w] * h) << w << "x" << h;
  }
  EXPECT_EQ(DibBlockBytes(0, 5), 0u);
  EXPECT_EQ(DibBlockBytes(5, 0), 0u);
  EXPECT_EQ(DibBlockBytes(-1, 5), 0u);
  EXPECT_EQ(DibBlockBytes(100000, 100000), 0u);  // over 4 GB: refused, not wrapped
  EXPECT_EQ(DibBlockBytes(7680, 2160), 40u + 7680u * 3u * 2160u);
}

TEST(ClipboardDib, RowsBeyond32BitsAreRefusedNotWrapped) {
  // 0x55555554 * 3 = 0xFFFFFFFC still fits; one pixel more needs 2^32 bytes, which a 32-bit
  // size_t would wrap to a handful of bytes.
  EXPECT_EQ(DibRowBytes(0x55555554), 0xFFFFFFFCu);
  EXPECT_EQ(DibRowBytes(0x55555555), 0u);
  EXPECT_EQ(DibRowBytes(0x55555556), 0u);
  EXPECT_EQ(DibRowBytes(0x7FFFFFFF), 0u);
  EXPECT_EQ(DibBlockBytes(0x55555556, 1), 0u);
  EXPECT_EQ(DibBlockBytes(0x55555554, 1), 0u);  // the header no longer fits beside the row
  // Such a picture is refused before anything is read or written.
  uint32_t px = 0;
  uint8_t out[kDibHeaderBytes + 4];
  std::fill(std::begin(out), std::end(out), 0x5A);
  EXPECT_FALSE(PackDib24(PixelView{&px, 0, 0x55555556, 1}, out));
  EXPECT_TRUE(std::all_of(std::begin(out), std::end(out), [](uint8_t b) { return b == 0x5A; }));
}

TEST(ClipboardDib, HeaderRowsAndPadding) {
  for (int w = 1; w <= 5; ++w) {
    for (int h : {1, 2, 3, 6}) {
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      // Source stored bottom-up, as a bottom-up DIB would be: the view still reads it top first.
      std::vector<uint32_t> store(static_cast<size_t>(w) * h);
      PixelView view{store.data() + static_cast<size_t>(h - 1) * w, -w, w, h};
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) view.At(x, y) = PixelAt(x, y);

      std::vector<uint8_t> block(DibBlockBytes(w, h), 0xEE);
      ASSERT_TRUE(PackDib24(view, block.data()));
      EXPECT_EQ(Le32(block, 0), 40u);
      EXPECT_EQ(Le32(block, 4), static_cast<uint32_t>(w));
      EXPECT_EQ(Le32(block, 8), static_cast<uint32_t>(h));  // positive: bottom-up
      EXPECT_EQ(Le16(block, 12), 1);
      EXPECT_EQ(Le16(block, 14), 24);
      for (size_t at = 16; at < 40; at += 4) EXPECT_EQ(Le32(block, at), 0u) << at;

      const size_t row = DibRowBytes(w);
      for (int y = 0; y < h; ++y) {
        const size_t start = 40 + static_cast<size_t>(h - 1 - y) * row;  // bottom row first
        for (int x = 0; x < w; ++x) {
          const uint32_t p = PixelAt(x, y);
          EXPECT_EQ(block[start + 3 * x], p & 0xFF);
          EXPECT_EQ(block[start + 3 * x + 1], (p >> 8) & 0xFF);
          EXPECT_EQ(block[start + 3 * x + 2], (p >> 16) & 0xFF);
        }
        for (size_t pad = 3 * w; pad < row; ++pad) EXPECT_EQ(block[start + pad], 0) << pad;
      }
    }
  }
}

TEST(ClipboardDib, RefusesEmptyPictures) {
  uint8_t out[64] = {};
  uint32_t px = 0;
  EXPECT_FALSE(PackDib24(PixelView{&px, 0, 0, 1}, out));
  EXPECT_FALSE(PackDib24(PixelView{&px, 1, 1, 0}, out));
  EXPECT_FALSE(PackDib24(PixelView{nullptr, 1, 1, 1}, out));
}

}  // namespace
