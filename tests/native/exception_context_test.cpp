// The shared crash block's UTF-16 text fields: copied, terminated, cut whole, cleared behind.
#include "screenshot/diagnostics/exception_context.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using diag::CopyUtf16Field;

// A field of `units` code units filled with a marker, in its own heap block for ASan.
std::vector<char16_t> Field(size_t units) { return std::vector<char16_t>(units, u'\xAAAA'); }

std::u16string Text(const std::vector<char16_t>& field) {
  return std::u16string(field.data());  // up to the terminator
}

TEST(ExceptionContextText, ShortTextIsCopiedAndTheRestOfTheFieldCleared) {
  std::vector<char16_t> f = Field(64);
  EXPECT_EQ(CopyUtf16Field(f.data(), f.size(), L"screenshot"), 10u);
  EXPECT_EQ(Text(f), u"screenshot");
  for (size_t i = 10; i < f.size(); ++i) ASSERT_EQ(f[i], 0) << i;
}

TEST(ExceptionContextText, NullIsEmpty) {
  std::vector<char16_t> f = Field(8);
  EXPECT_EQ(CopyUtf16Field(f.data(), f.size(), nullptr), 0u);
  for (char16_t c : f) EXPECT_EQ(c, 0);
}

TEST(ExceptionContextText, LongTextKeepsTheLastUnitForTheTerminator) {
  std::vector<char16_t> f = Field(64);
  const std::wstring text(100, L'n');
  EXPECT_EQ(CopyUtf16Field(f.data(), f.size(), text.c_str()), 63u);
  EXPECT_EQ(Text(f), std::u16string(63, u'n'));
  EXPECT_EQ(f[63], 0);
}

TEST(ExceptionContextText, CharactersBeyondTheBasicPlaneBecomeOnePairNeverHalf) {
  // On Windows the literal is already two units, elsewhere one code point: both give the pair.
  std::vector<char16_t> f = Field(4);
  EXPECT_EQ(CopyUtf16Field(f.data(), f.size(), L"a\U00010437"), 3u);
  EXPECT_EQ(Text(f), u"a\U00010437");
  EXPECT_EQ(Text(f)[1], 0xD801);
  EXPECT_EQ(Text(f)[2], 0xDC37);
  // One unit short: the whole pair is left out.
  std::vector<char16_t> g = Field(4);
  EXPECT_EQ(CopyUtf16Field(g.data(), g.size(), L"ab\U00010437"), 2u);
  EXPECT_EQ(Text(g), u"ab");
  EXPECT_EQ(g[2], 0);
  EXPECT_EQ(g[3], 0);
}

TEST(ExceptionContextText, ZeroUnitFieldIsNotTouched) {
  std::vector<char16_t> none;
  EXPECT_EQ(CopyUtf16Field(none.data(), 0, L"abc"), 0u);
}

TEST(ExceptionContextText, FieldsOfBothLayoutsTakeTheirFullSizes) {
  const std::wstring long_line(20000, L'c');
  // The command line runs from the end of the CONTEXT to the first name.
  auto narrow = std::make_unique<CVExceptionContextI686>();
  EXPECT_EQ(CopyUtf16Field(narrow->command_line, long_line.c_str()), (22324u - 740u) / 2 - 1);
  EXPECT_EQ(narrow->command_line[10791], 0);
  EXPECT_EQ(CopyUtf16Field(narrow->second_name, L"screenshot"), 10u);
  EXPECT_EQ(narrow->second_name[63], 0);
  auto wide = std::make_unique<CVExceptionContextX64>();
  EXPECT_EQ(CopyUtf16Field(wide->command_line, long_line.c_str()), (22324u - 1272u) / 2 - 1);
  EXPECT_EQ(wide->command_line[10525], 0);
  EXPECT_EQ(CopyUtf16Field(wide->first_name, std::wstring(64, L'f').c_str()), 63u);
  EXPECT_EQ(wide->first_name[63], 0);
}

}  // namespace
