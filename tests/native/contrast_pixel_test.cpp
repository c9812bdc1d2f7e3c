// The caret's contrast pixels, with every expected value worked out by hand.
#include "screenshot/capture/contrast_pixel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ContrastPixel, TranslucentPixelsBecomeOpaqueBlackOrWhite) {
  for (uint32_t p : {0x00000000u, 0x04000000u, 0x60000000u, 0x80FFFFFFu, 0x80123456u}) {
    EXPECT_EQ(ContrastPixel(p, false), 0xFF000000u) << std::hex << p;
    EXPECT_EQ(ContrastPixel(p, true), 0xFFFFFFFFu) << std::hex << p;
  }
}

TEST(ContrastPixel, DarkPhaseLeavesSolidPixels) {
  for (uint32_t p : {0x81000000u, 0xFF02A9FFu, 0xFFFFFFFFu, 0xC0604020u}) {
    EXPECT_EQ(ContrastPixel(p, false), p) << std::hex << p;
  }
}

TEST(ContrastPixel, LightPhaseInvertsOpaquePixels) {
  EXPECT_EQ(ContrastPixel(0xFFFF0000u, true), 0xFF00FFFFu);  // red -> cyan
  EXPECT_EQ(ContrastPixel(0xFF02A9FFu, true), 0xFFFD5600u);  // 255-2, 255-169, 255-255
  EXPECT_EQ(ContrastPixel(0xFFFFFFFFu, true), 0xFF000000u);
  EXPECT_EQ(ContrastPixel(0xFF000000u, true), 0xFFFFFFFFu);
  // Mid grey would invert to itself: black instead. The window is "less than 33" each way.
  EXPECT_EQ(ContrastPixel(0xFF808080u, true), 0xFF000000u);  // 127 vs 128
  EXPECT_EQ(ContrastPixel(0xFF8F8F8Fu, true), 0xFF000000u);  // 112 vs 143: 31
  EXPECT_EQ(ContrastPixel(0xFF909090u, true), 0xFF6F6F6Fu);  // 111 vs 144: 33, far enough
  EXPECT_EQ(ContrastPixel(0xFF707070u, true), 0xFF000000u);  // 143 vs 112: 31
  EXPECT_EQ(ContrastPixel(0xFF6F6F6Fu, true), 0xFF909090u);  // 144 vs 111: 33
  // One channel far enough keeps the inversion for all three.
  EXPECT_EQ(ContrastPixel(0xFF808000u, true), 0xFF7F7FFFu);
}

TEST(ContrastPixel, LightPhaseOnPremultipliedPixels) {
  // Alpha 0xC0 = 192. Red 96 -> 96*255/192 = 127 -> 128 (32 from 96: close); green 64 -> 85
  // -> 170 (far); blue 32 -> 42 -> 213. Premultiplied again: 128*192/255 = 96,
  // 170*192/255 = 128, 213*192/255 = 160.
  EXPECT_EQ(ContrastPixel(0xC0604020u, true), 0xC06080A0u);
  // 0x55 = 85 at alpha 192 -> 112 -> 143: 58 from the stored 85, so the inversion stays:
  // 143*192/255 = 107 = 0x6B. (Compared with the straight value 112 it would be within 31.)
  EXPECT_EQ(ContrastPixel(0xC0555555u, true), 0xC06B6B6Bu);
  // Channels above alpha saturate at 255 when un-premultiplied: 255*255/144 -> 255 -> 0.
  EXPECT_EQ(ContrastPixel(0x90FF0000u, true), 0x90009090u);
  // Just above the threshold: alpha 0x81 = 129, black inverts to 255 -> 129.
  EXPECT_EQ(ContrastPixel(0x81000000u, true), 0x81818181u);
}

TEST(ContrastRect, AppliedClippedAndRestored) {
  std::vector<uint32_t> px(6 * 4, 0xFFFF0000u);
  px[1 * 6 + 2] = 0x20000000u;
  const PixelView v{px.data(), 6, 6, 4};
  const std::vector<uint32_t> original = px;
  std::vector<uint32_t> saved;
  const Rect c = ApplyContrast(v, Rect{2, 1, 9, 3}, true, &saved);
  EXPECT_EQ(c, (Rect{2, 1, 6, 3}));
  EXPECT_EQ(saved.size(), 8u);
  EXPECT_EQ(px[1 * 6 + 2], 0xFFFFFFFFu);
  EXPECT_EQ(px[1 * 6 + 3], 0xFF00FFFFu);
  EXPECT_EQ(px[2 * 6 + 5], 0xFF00FFFFu);
  EXPECT_EQ(px[1 * 6 + 1], 0xFFFF0000u);  // left of the rectangle
  EXPECT_EQ(px[3 * 6 + 3], 0xFFFF0000u);  // below it
  RestorePixels(v, c, saved);
  EXPECT_EQ(px, original);
  // Nothing on the view: nothing to do.
  EXPECT_EQ(ApplyContrast(v, Rect{6, 0, 8, 4}, true, &saved), Rect{});
  EXPECT_TRUE(saved.empty());
  // A saved block of the wrong size is not written back.
  ApplyContrast(v, Rect{0, 0, 2, 2}, true, &saved);
  saved.pop_back();
  RestorePixels(v, Rect{0, 0, 2, 2}, saved);
  EXPECT_EQ(px[0], 0xFF00FFFFu);
}

}  // namespace
