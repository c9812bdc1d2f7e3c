// Registry string data and INI file encodings as raw bytes.
#include "screenshot/output/settings_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace settings;

namespace {
std::vector<unsigned char> Utf16(const std::wstring& text) {
  std::vector<unsigned char> bytes;
  for (wchar_t unit : text)
    bytes.insert(bytes.end(),
                 {static_cast<unsigned char>(unit & 0xFF), static_cast<unsigned char>(unit >> 8)});
  bytes.shrink_to_fit();  // exactly sized: the sanitizers see any read past the data
  return bytes;
}
}  // namespace

TEST(RegistryBytes, TextEndsAtTheFirstNulOrTheLastWholeUnit) {
  const std::wstring path = L"D:\\Data\\\x5FAE\x8F6F";
  auto bytes = Utf16(path);
  EXPECT_EQ(StringFromRegistryBytes(bytes.data(), bytes.size()), path);  // no terminator
  bytes = Utf16(path + L'\0' + L"junk");
  EXPECT_EQ(StringFromRegistryBytes(bytes.data(), bytes.size()), path);
  bytes = Utf16(L"C:\\abc");
  EXPECT_EQ(StringFromRegistryBytes(bytes.data(), 7), L"C:\\");  // odd count: half unit dropped
  EXPECT_EQ(StringFromRegistryBytes(bytes.data(), 1), L"");
  EXPECT_EQ(StringFromRegistryBytes(nullptr, 10), L"");
  bytes = Utf16(L"E:\\x" + std::wstring(1500, L'\0'));  // padded far past 1024 bytes
  EXPECT_EQ(StringFromRegistryBytes(bytes.data(), bytes.size()), L"E:\\x");
}

TEST(IniEncoding, OnlyAByteOrderMarkMakesAUnicodeFile) {
  const unsigned char le[] = {0xFF, 0xFE, '['}, be[] = {0xFE, 0xFF, 0}, utf8[] = {0xEF, 0xBB, 0xBF};
  const unsigned char ansi[] = {'[', 'C', ']'};
  EXPECT_EQ(DetectIniFileEncoding(le, sizeof le), IniFileEncoding::kUtf16);
  EXPECT_EQ(DetectIniFileEncoding(be, sizeof be), IniFileEncoding::kUtf16);
  EXPECT_EQ(DetectIniFileEncoding(utf8, sizeof utf8), IniFileEncoding::kUtf8);
  EXPECT_EQ(DetectIniFileEncoding(utf8, 2), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(le, 1), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(ansi, sizeof ansi), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(nullptr, 0), IniFileEncoding::kAnsi);
}

TEST(IniEncoding, Utf16LeWithBom) {
  EXPECT_EQ(EncodeUtf16LeWithBom(L""), std::string("\xFF\xFE", 2));
  EXPECT_EQ(EncodeUtf16LeWithBom(L"A\x5FAE"), std::string("\xFF\xFE"
                                                          "A\0\xAE\x5F",
                                                          6));
}
