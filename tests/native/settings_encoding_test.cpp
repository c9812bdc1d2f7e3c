// Registry string data and INI file encodings as raw bytes.
#include "screenshot/base/settings_encoding.h"

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

TEST(IniEncoding, OnlyAByteOrderMarkSaysHowTheFileIsLaidOut) {
  const unsigned char le[] = {0xFF, 0xFE, '['}, be[] = {0xFE, 0xFF, 0}, utf8[] = {0xEF, 0xBB, 0xBF};
  const unsigned char ansi[] = {'[', 'C', ']'};
  EXPECT_EQ(DetectIniFileEncoding(le, sizeof le), IniFileEncoding::kUtf16Le);
  EXPECT_EQ(DetectIniFileEncoding(be, sizeof be), IniFileEncoding::kUtf16Be);
  EXPECT_EQ(DetectIniFileEncoding(utf8, sizeof utf8), IniFileEncoding::kUtf8);
  EXPECT_EQ(DetectIniFileEncoding(utf8, 2), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(le, 1), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(ansi, sizeof ansi), IniFileEncoding::kAnsi);
  EXPECT_EQ(DetectIniFileEncoding(nullptr, 0), IniFileEncoding::kAnsi);
  EXPECT_EQ(ByteOrderMark(IniFileEncoding::kUtf16Be), "\xFE\xFF");
  EXPECT_EQ(ByteOrderMarkSize(IniFileEncoding::kUtf8), 3u);
  EXPECT_EQ(ByteOrderMarkSize(IniFileEncoding::kAnsi), 0u);
}

TEST(IniEncoding, Utf16BytesInBothOrders) {
  EXPECT_EQ(EncodeUtf16LeWithBom(L""), std::string("\xFF\xFE", 2));
  EXPECT_EQ(EncodeUtf16LeWithBom(L"A\x5FAE"), std::string("\xFF\xFE"
                                                          "A\0\xAE\x5F",
                                                          6));
  EXPECT_EQ(Utf16BytesFromUnits(L"A\x5FAE", true), std::string("\0A\x5F\xAE", 4));
  const unsigned char be[] = {0x5F, 0xAE, 0x00, 'A', 0x7F};  // odd length: the last byte is left
  EXPECT_EQ(UnitsFromUtf16Bytes(be, sizeof be, true),
            L"\x5FAE"
            L"A");
  EXPECT_EQ(UnitsFromUtf16Bytes(be, sizeof be, false),
            L"\xAE5F"
            L"\x4100");
  EXPECT_EQ(UnitsFromUtf16Bytes(nullptr, 4, false), L"");
}

// Text from a damaged UTF-16 file (surrogates without partners) must come back unit for unit
// from UTF-8, or rewriting one value would change bytes elsewhere in the file.
TEST(IniEncoding, Utf8KeepsEveryUnitIncludingLoneSurrogates) {
  std::wstring units = L"[\x914D]\r\n";
  units += static_cast<wchar_t>(0xD83D);  // a pair: U+1F600
  units += static_cast<wchar_t>(0xDE00);
  units += static_cast<wchar_t>(0xDC00);  // a low one alone
  units += L"x";
  units += static_cast<wchar_t>(0xD800);  // a high one alone, at the end
  const std::string utf8 = Utf8FromUnits(units);
  EXPECT_EQ(utf8, "[\xE9\x85\x8D]\r\n\xF0\x9F\x98\x80\xED\xB0\x80x\xED\xA0\x80");
  EXPECT_EQ(UnitsFromUtf8(utf8), units);
  EXPECT_FALSE(IsUtf8(utf8));  // surrogate forms are not well-formed UTF-8
  EXPECT_TRUE(IsUtf8("[\xE9\x85\x8D]\xF0\x9F\x98\x80"));
}

TEST(IniEncoding, MalformedUtf8GivesReplacementCharactersAndIsNotUtf8) {
  for (const std::string& bad :
       {std::string("\xC0\xAF"), std::string("\xE9\x85"), std::string("\x85"),
        std::string("\xF4\x90\x80\x80"), std::string("\xC5\xE4\xD6\xC3\xC3\xFB")}) {  // GB 936 text
    EXPECT_FALSE(IsUtf8(bad)) << bad;
    const std::wstring units = UnitsFromUtf8(bad);
    EXPECT_EQ(units.size(), bad.size()) << bad;  // one replacement per byte
    EXPECT_EQ(units.find_first_not_of(static_cast<wchar_t>(0xFFFD)), std::wstring::npos);
  }
  EXPECT_TRUE(IsUtf8(""));
  EXPECT_EQ(UnitsFromUtf8("a\xE9\x85"
                          "b"),
            L"a\xFFFD\xFFFD"
            L"b");
}

namespace {
IniTextForm FormOf(const std::vector<unsigned char>& bytes) {
  return DetectIniTextForm(bytes.data(), bytes.size());
}
std::vector<unsigned char> Bytes(const std::string& text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}
std::vector<unsigned char> Swapped(std::vector<unsigned char> bytes) {
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
  return bytes;
}
}  // namespace

TEST(IniTextForm, FilesWithoutAMarkAreKnownByTheirContent) {
  const std::wstring settings = L"[TextTb]\r\nfName=\x5B8B\x4F53\r\nfHeight=24\r\n[Extra]\r\nK=yes";
  auto form = FormOf(Utf16(settings));
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf16Le);
  EXPECT_FALSE(form.marked);
  form = FormOf(Swapped(Utf16(settings)));
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf16Be);
  EXPECT_FALSE(form.marked);
  // Chinese-only values still leave most units ASCII in an INI file; one line of CJK is fine.
  form = FormOf(Utf16(L"[S]\r\nk=\x5B8B\x4F53\x5B8B\x4F53\x5B8B\x4F53"));
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf16Le);

  form = FormOf(Bytes("[TextTb]\r\nfName=\xE5\xAE\x8B\xE4\xBD\x93\r\n"));  // UTF-8 宋体
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf8);
  EXPECT_FALSE(form.marked);
  form = FormOf(Bytes("\xEF\xBB\xBF[TextTb]\r\nfName=x\r\n"));
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf8);
  EXPECT_TRUE(form.marked);
  form = FormOf(Utf16(L"\xFEFF[S]"));
  EXPECT_EQ(form.encoding, IniFileEncoding::kUtf16Le);
  EXPECT_TRUE(form.marked);
}

TEST(IniTextForm, AnsiStaysAnsi) {
  // Plain ASCII, GB 936 bytes (宋体 is not well-formed UTF-8) and an empty file.
  EXPECT_EQ(FormOf(Bytes("[TextTb]\r\nfHeight=24\r\n")).encoding, IniFileEncoding::kAnsi);
  EXPECT_EQ(FormOf(Bytes("[TextTb]\r\nfName=\xCB\xCE\xCC\xE5\r\n")).encoding,
            IniFileEncoding::kAnsi);
  EXPECT_EQ(FormOf({}).encoding, IniFileEncoding::kAnsi);
  // Binary with zero units, and bytes zero on both sides alike, are no UTF-16 text.
  EXPECT_EQ(FormOf({'a', 0, 0, 0, 'b', 0, 'c', 0}).encoding, IniFileEncoding::kAnsi);
  EXPECT_EQ(FormOf({'a', 0, 0, 'b', 'c', 0, 0, 'd'}).encoding, IniFileEncoding::kAnsi);
  // An odd byte count is never UTF-16 without a mark.
  auto odd = Utf16(L"[S]\r\nk=v");
  odd.push_back('x');
  EXPECT_EQ(FormOf(odd).encoding, IniFileEncoding::kAnsi);
}
