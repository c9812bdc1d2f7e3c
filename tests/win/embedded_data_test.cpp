// The launcher carries the engine executable and its icon file byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// The machine field of a PE image's file header (0 when the bytes are not a PE image).
unsigned PeMachine(const unsigned char* data, size_t size) {
  if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return 0;
  const size_t pe = data[0x3C] | data[0x3D] << 8 | data[0x3E] << 16 | size_t{data[0x3F]} << 24;
  if (pe > size - 6 || std::memcmp(data + pe, "PE\0\0", 4) != 0) return 0;
  return data[pe + 4] | data[pe + 5] << 8;
}

// The machine this test program was built for; each launcher must carry an engine of its own
// kind (a 64-bit launcher that wrote out a 32-bit engine would lose what the 64-bit build is for).
constexpr unsigned kOwnMachine =
    sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;

TEST(EmbeddedData, ProductsAndTheCarriedEngineAreOfThisBuildsMachine) {
  for (const wchar_t* name : {L"Snapshot.exe", L"Lumetta.exe"}) {
    const auto file = ReadFile(testpaths::BinFile(name));
    EXPECT_EQ(PeMachine(file.data(), file.size()), kOwnMachine) << name;
  }
  const launcher::EmbeddedBytes image = launcher::EngineImage();
  EXPECT_EQ(PeMachine(image.data, image.size), kOwnMachine);
  // The launcher program itself carries it: the engine's bytes lie inside Lumetta.exe.
  const auto launcher_file = ReadFile(testpaths::BinFile(L"Lumetta.exe"));
  const auto at =
      std::search(launcher_file.begin(), launcher_file.end(), image.data, image.data + image.size);
  EXPECT_NE(at, launcher_file.end());
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
