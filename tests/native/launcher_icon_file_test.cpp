// Picking the image of an icon file for a size.
#include "launcher/icon_file.h"

#include <gtest/gtest.h>

#include <vector>

using launcher::PickIconImage;

namespace {

// An icon file with one entry per size (0 for 256) whose images are 4 bytes each.
std::vector<unsigned char> IconFile(const std::vector<int>& sizes) {
  std::vector<unsigned char> f = {0, 0, 1, 0, static_cast<unsigned char>(sizes.size()), 0};
  const std::size_t data = 6 + 16 * sizes.size();
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::size_t offset = data + 4 * i;
    const auto s = static_cast<unsigned char>(sizes[i]);
    f.insert(f.end(), {s, s, 0, 0, 1, 0, 32, 0, 4, 0, 0, 0, static_cast<unsigned char>(offset),
                       static_cast<unsigned char>(offset >> 8), 0, 0});
  }
  f.resize(data + 4 * sizes.size(), 0xAA);
  return f;
}

int Pick(const std::vector<unsigned char>& f, int pixels) {
  const auto image = PickIconImage(f.data(), f.size(), pixels);
  return image ? image->width : -1;
}

}  // namespace

TEST(LauncherIconFile, PicksTheExactSizeElseTheNextLargerElseTheLargestAndChecksBounds) {
  const auto f = IconFile({48, 16, 32, 0});
  EXPECT_EQ(Pick(f, 16), 16);
  EXPECT_EQ(Pick(f, 20), 32);
  EXPECT_EQ(Pick(f, 100), 256);
  EXPECT_EQ(Pick(IconFile({16, 32}), 48), 32);
  const auto image = PickIconImage(f.data(), f.size(), 32);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->offset, 6u + 16 * 4 + 4 * 2);
  EXPECT_EQ(image->size, 4u);

  auto bad = IconFile({16, 32});
  bad.pop_back();  // the last image cut off
  EXPECT_EQ(Pick(bad, 16), -1);
  EXPECT_EQ(Pick(std::vector<unsigned char>(bad.begin(), bad.begin() + 20), 16), -1);
  bad = IconFile({16});
  bad[2] = 2;  // a cursor file
  EXPECT_EQ(Pick(bad, 16), -1);
  EXPECT_EQ(Pick(IconFile({}), 16), -1);
}
