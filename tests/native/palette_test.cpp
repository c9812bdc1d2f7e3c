// The 16-colour palette and the pen widths shared by the colour bar, the settings and the board.
#include "screenshot/base/palette.h"

#include <gtest/gtest.h>

namespace {

TEST(Palette, ColoursByIndexAndBack) {
  EXPECT_EQ(palette::ColorOf(0), 0x000000u);
  EXPECT_EQ(palette::ColorOf(10), 0x0000FFu);  // red, as a COLORREF
  EXPECT_EQ(palette::ColorOf(13), 0xFF0000u);  // blue
  EXPECT_EQ(palette::ColorOf(15), 0xFFFF00u);  // cyan
  EXPECT_EQ(palette::ColorOf(16), 0xFFFFFFFFu);
  EXPECT_EQ(palette::ColorOf(-1), 0xFFFFFFFFu);
  // Every swatch is a colour of its own, so each index comes back from its colour.
  for (int i = 0; i < palette::kColorCount; ++i)
    EXPECT_EQ(palette::IndexOf(palette::ColorOf(i)), i);
  // Colours outside the palette show as black; the top byte counts.
  EXPECT_EQ(palette::IndexOf(0x123456), 0);
  EXPECT_EQ(palette::IndexOf(0xFF0000FF), 0);
}

TEST(Palette, ContrastIsBlackOnlyOverNearWhite) {
  EXPECT_EQ(palette::ContrastOf(0xE6E6E6), 0x000000u);  // RGB(230, 230, 230)
  EXPECT_EQ(palette::ContrastOf(0xFFFFFF), 0x000000u);
  EXPECT_EQ(palette::ContrastOf(0xFFFFE5), 0xFFFFFFu);  // RGB(229, 255, 255)
  EXPECT_EQ(palette::ContrastOf(0xE5FFFF), 0xFFFFFFu);  // RGB(255, 255, 229)
  EXPECT_EQ(palette::ContrastOf(0x000000), 0xFFFFFFu);
}

TEST(Palette, PenWidthsAndTheNearestIndex) {
  EXPECT_EQ(palette::PenWidthPixels(0), 2);
  EXPECT_EQ(palette::PenWidthPixels(1), 5);
  EXPECT_EQ(palette::PenWidthPixels(2), 8);
  EXPECT_EQ(palette::PenWidthPixels(3), 2);  // out of range: the smallest pen
  EXPECT_EQ(palette::PenWidthPixels(-1), 2);
  const int expected[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 2};  // 0..9 pixels
  for (int px = 0; px < 10; ++px) EXPECT_EQ(palette::PenWidthIndex(px), expected[px]) << px;
  for (int i = 0; i < palette::kPenWidthCount; ++i)
    EXPECT_EQ(palette::PenWidthIndex(palette::PenWidthPixels(i)), i);
}

}  // namespace
