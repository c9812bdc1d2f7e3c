// Premultiplying straight-alpha pixels: byte * alpha / 255 rounded down, alpha kept.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screenshot/ui/premultiply.h"

namespace {

struct Bgra {
  std::uint8_t b, g, r, a;
};

std::vector<std::uint8_t> Bytes(const std::vector<Bgra>& px) {
  std::vector<std::uint8_t> out;
  for (const Bgra& p : px) out.insert(out.end(), {p.b, p.g, p.r, p.a});
  return out;
}

TEST(Premultiply, KnownPixels) {
  std::vector<std::uint8_t> px = Bytes({
      {255, 255, 255, 128},  // white at half coverage
      {200, 100, 0, 128},    // 25600 / 255 = 100.4, 12800 / 255 = 50.2
      {1, 254, 128, 254},    // 254 / 255 = 0.99, 64516 / 255 = 253.0, 32512 / 255 = 127.5
      {90, 80, 70, 0},       // fully transparent: colour gone
      {90, 80, 70, 255},     // opaque: unchanged
      {255, 255, 255, 1},    // 255 / 255 = 1
  });
  PremultiplyPixels(px.data(), px.size() / 4);
  EXPECT_EQ(px, Bytes({
                    {128, 128, 128, 128},
                    {100, 50, 0, 128},
                    {0, 253, 127, 254},
                    {0, 0, 0, 0},
                    {90, 80, 70, 255},
                    {1, 1, 1, 1},
                }));
}

TEST(Premultiply, EveryColourAndAlphaRoundsDown) {
  // All 256 x 256 combinations, each in all three colour channels; the result r must satisfy
  // r * 255 <= c * a < (r + 1) * 255.
  std::vector<std::uint8_t> px;
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 256; ++c)
      px.insert(px.end(),
                {std::uint8_t(c), std::uint8_t(255 - c), std::uint8_t(c), std::uint8_t(a)});
  PremultiplyPixels(px.data(), px.size() / 4);
  for (int a = 0; a < 256; ++a) {
    for (int c = 0; c < 256; ++c) {
      const std::uint8_t* p = &px[(a * 256 + c) * 4];
      const int colour[3] = {c, 255 - c, c};
      for (int ch = 0; ch < 3; ++ch) {
        const int r = p[ch];
        ASSERT_LE(r * 255, colour[ch] * a) << "c=" << colour[ch] << " a=" << a;
        ASSERT_LT(colour[ch] * a, (r + 1) * 255) << "c=" << colour[ch] << " a=" << a;
      }
      ASSERT_EQ(p[3], a);
    }
  }
}

TEST(Premultiply, TouchesOnlyTheGivenPixels) {
  std::vector<std::uint8_t> px = Bytes({{200, 200, 200, 100}, {200, 200, 200, 100}});
  PremultiplyPixels(px.data(), 1);
  EXPECT_EQ(px, Bytes({{78, 78, 78, 100}, {200, 200, 200, 100}}));  // 20000 / 255 = 78.4
  PremultiplyPixels(px.data(), 0);
  PremultiplyPixels(nullptr, 5);  // nothing to do, no crash
  EXPECT_EQ(px, Bytes({{78, 78, 78, 100}, {200, 200, 200, 100}}));
}

}  // namespace
