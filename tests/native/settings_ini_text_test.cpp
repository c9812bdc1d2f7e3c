// The settings file's text edited as the profile functions read it: names without regard to
// case, the first section and key, everything else kept.
#include "screenshot/output/settings_ini_text.h"

#include <gtest/gtest.h>

#include <string>

using settings::FindProfileValue;
using settings::SetProfileValue;

// A hand-edited file spells names its own way; the profile functions still read them, so writing
// must change those lines rather than add a second section that reading would never see.
TEST(SettingsIniText, NamesMatchWithoutRegardToCaseAndKeepTheirSpelling) {
  const std::wstring text = L"[textTB]\r\n  FHEIGHT = 20 \r\nfname=\"Arial\"\r\n";
  EXPECT_EQ(FindProfileValue(text, L"TextTb", L"fHeight"), L"20");
  EXPECT_EQ(FindProfileValue(text, L"TextTb", L"fName"), L"Arial");
  EXPECT_EQ(SetProfileValue(text, L"TextTb", L"fHeight", L"37"),
            L"[textTB]\r\n  FHEIGHT = 37 \r\nfname=\"Arial\"\r\n");
  EXPECT_EQ(SetProfileValue(text, L"TextTb", L"fName", L"\x5FAE\x8F6F"),
            L"[textTB]\r\n  FHEIGHT = 20 \r\nfname=\x5FAE\x8F6F\r\n");
  // Only ASCII letters fold: other characters must match exactly.
  EXPECT_EQ(FindProfileValue(L"[\x00C4]\nk=1\n", L"\x00E4", L"k"), std::nullopt);
}

TEST(SettingsIniText, OnlyTheFirstMatchingSectionAndKeyCount) {
  const std::wstring text = L"[A]\nk=1\nk=2\n[b]\nk=3\n[a]\nk=4\nj=5\n";
  EXPECT_EQ(FindProfileValue(text, L"a", L"k"), L"1");
  EXPECT_EQ(FindProfileValue(text, L"a", L"j"), std::nullopt);  // in the second [a] only
  EXPECT_EQ(SetProfileValue(text, L"a", L"k", L"9"), L"[A]\nk=9\nk=2\n[b]\nk=3\n[a]\nk=4\nj=5\n");
  EXPECT_EQ(SetProfileValue(text, L"a", L"j", L"6"),
            L"[A]\nk=1\nk=2\nj=6\n[b]\nk=3\n[a]\nk=4\nj=5\n");
  // A header's name runs to the last ']' of its line; a line without one is not a header.
  EXPECT_EQ(FindProfileValue(L"[x]y]\nk=1\n[z\nk=2\n", L"x]y", L"k"), L"1");
  EXPECT_EQ(FindProfileValue(L"[z\nk=2\n", L"z", L"k"), std::nullopt);
}

TEST(SettingsIniText, MissingKeysAndSectionsAreAddedWithTheTextsLineBreaks) {
  EXPECT_EQ(SetProfileValue(L"", L"Common", L"SaveType", L".png"),
            L"[Common]\r\nSaveType=.png\r\n");
  EXPECT_EQ(SetProfileValue(L"[a]\nk=1", L"Common", L"SaveType", L".bmp"),
            L"[a]\nk=1\n[Common]\nSaveType=.bmp\n");
  EXPECT_EQ(SetProfileValue(L"[Common]\r\nx=1\r\n\r\n[b]\r\n", L"Common", L"SaveType", L".jpg"),
            L"[Common]\r\nx=1\r\nSaveType=.jpg\r\n\r\n[b]\r\n");
  // A key line without '=' gets one; a value never carries a line break into the file.
  EXPECT_EQ(SetProfileValue(L"[s]\r\nk\r\n", L"s", L"k", L"1"), L"[s]\r\nk=1\r\n");
  const std::wstring one = SetProfileValue(L"[s]\r\n", L"s", L"k", L"a\r\n[t]\r\nx=1");
  EXPECT_EQ(one, L"[s]\r\nk=a\r\n");
  EXPECT_EQ(FindProfileValue(one, L"t", L"x"), std::nullopt);
}

TEST(SettingsIniText, TextEndingInALoneCarriageReturnGetsOnlyTheMissingLineFeed) {
  const std::wstring text = SetProfileValue(L"[TextTb]\r\nfCr=3\r", L"TextTb", L"fBold", L"1");
  EXPECT_EQ(text, L"[TextTb]\r\nfCr=3\r\nfBold=1\r\n");
  EXPECT_EQ(FindProfileValue(text, L"TextTb", L"fCr"), L"3");
  EXPECT_EQ(SetProfileValue(L"[a]\nx=1\r", L"Common", L"SaveType", L".png"),
            L"[a]\nx=1\r\n[Common]\nSaveType=.png\n");
}

TEST(SettingsIniText, OnlyTextOfHeadersCommentsAndKeysIsSettings) {
  EXPECT_TRUE(settings::IsSettingsText(L""));
  EXPECT_TRUE(settings::IsSettingsText(L"\r\n[TextTb]\r\n; mine\r\nfHeight=24\r\n# too\r\n"));
  // A stray line among keys is a user's note, not garbage.
  EXPECT_TRUE(settings::IsSettingsText(L"[S]\r\na=1\r\nremember this\r\nb=2\r\n"));
  EXPECT_FALSE(settings::IsSettingsText(L"<html>=[x]=\r\n\x01[TextTb\r\nfHeight</html>"));
  EXPECT_FALSE(settings::IsSettingsText(std::wstring(L"[S]\r\nk=v\0w", 10)));
  EXPECT_FALSE(settings::IsSettingsText(L"<html>\r\n<body>\r\nhello=\r\n</body>\r\n</html>"));
}

TEST(SettingsIniText, NumbersReadAsTheProfileFunctionsDoButNeverWrap) {
  using settings::ProfileIntFromText;
  EXPECT_EQ(ProfileIntFromText(L"24"), 24);
  EXPECT_EQ(ProfileIntFromText(L"-5"), -5);
  EXPECT_EQ(ProfileIntFromText(L" +7"), 7);
  EXPECT_EQ(ProfileIntFromText(L"12abc"), 12);
  EXPECT_EQ(ProfileIntFromText(L"abc"), 0);
  EXPECT_EQ(ProfileIntFromText(L"-"), 0);
  EXPECT_EQ(ProfileIntFromText(L"2147483647"), 2147483647);
  EXPECT_EQ(ProfileIntFromText(L"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ProfileIntFromText(L"2147483648"), 2147483647);
  EXPECT_EQ(ProfileIntFromText(L"99999999999"), 2147483647);
  EXPECT_EQ(ProfileIntFromText(L"-2147483649"), -2147483647 - 1);
  EXPECT_EQ(ProfileIntFromText(L"9" + std::wstring(400, L'9')), 2147483647);
}
