// The launcher carries the engine executable and its icon file byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "launcher/embedded_data.h"
#include "win/support/test_paths.h"

namespace {

std::vector<unsigned char> ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

TEST(EmbeddedData, EngineImageIsTheBuiltEngine) {
  const auto built = ReadFile(testpaths::BinFile(L"Snapshot.exe"));
  ASSERT_GT(built.size(), 4096u);
  const launcher::EmbeddedBytes image = launcher::EngineImage();
  ASSERT_EQ(image.size, built.size());
  EXPECT_TRUE(std::equal(built.begin(), built.end(), image.data));
}

TEST(EmbeddedData, IconFileHoldsThreeImages) {
  const launcher::EmbeddedBytes icon = launcher::IconFile();
  ASSERT_GE(icon.size, 6u + 3 * 16);
  // ICONDIR: reserved 0, type 1 (icon), count 3; then 16, 32 and 48 pixel entries.
  EXPECT_EQ(icon.data[0] | icon.data[1] << 8, 0);
  EXPECT_EQ(icon.data[2] | icon.data[3] << 8, 1);
  EXPECT_EQ(icon.data[4] | icon.data[5] << 8, 3);
  std::vector<int> sizes;
  for (int i = 0; i < 3; ++i) sizes.push_back(icon.data[6 + 16 * i]);
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

}  // namespace
