// White-on-black text turned into premultiplied coloured pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screenshot/ui/text_coverage.h"

namespace {

TEST(TextCoverage, RedByteBecomesAlphaAndScalesTheColour) {
  // Full coverage, none, half, and a grey-antialiased edge; the alpha byte GDI left is ignored.
  std::vector<std::uint8_t> px = {255, 255, 255, 0, 0, 0, 0, 0, 128, 128, 128, 0, 17, 17, 17, 99};
  CoverageToPremultiplied(px.data(), 4, kToolTipTextColour);
  // 255 * 0x86 >> 8 = 133, 255 * 0x7A >> 8 = 121, 255 * 0x72 >> 8 = 113 (rounded down).
  EXPECT_EQ(px[0], 133);
  EXPECT_EQ(px[1], 121);
  EXPECT_EQ(px[2], 113);
  EXPECT_EQ(px[3], 255);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(px[i], 0) << i;  // no coverage: transparent
  EXPECT_EQ(px[8], 128 * 0x86 >> 8);
  EXPECT_EQ(px[9], 128 * 0x7A >> 8);
  EXPECT_EQ(px[10], 128 * 0x72 >> 8);
  EXPECT_EQ(px[11], 128);
  EXPECT_EQ(px[12], 17 * 0x86 >> 8);
  EXPECT_EQ(px[15], 17);
  // Premultiplied: no channel above its alpha.
  for (int p = 0; p < 4; ++p)
    for (int c = 0; c < 3; ++c) EXPECT_LE(px[4 * p + c], px[4 * p + 3]);
}

TEST(TextCoverage, MenuColoursUseTheRedChannelOnly) {
  // A ClearType-like pixel: red decides, green and blue are overwritten.
  std::uint8_t px[8] = {0, 255, 200, 0, 255, 0, 255, 0};
  CoverageToPremultiplied(px, 2, kMenuDisabledTextColour);
  EXPECT_EQ(px[0], 200 * 143 >> 8);
  EXPECT_EQ(px[1], 200 * 143 >> 8);
  EXPECT_EQ(px[2], 200 * 143 >> 8);
  EXPECT_EQ(px[3], 200);
  EXPECT_EQ(px[4], 255 * 143 >> 8);
  EXPECT_EQ(px[7], 255);
  CoverageToPremultiplied(nullptr, 3, kMenuTextColour);  // nothing to convert, no crash
}

}  // namespace
