// Save dialog name rules: the type list and its filter, proposed names, extension switching and
// completion.
#include "screenshot/output/save_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace save_names;

namespace {

const std::wstring kPlain = L"\u622a\u5c4f\u56fe\u7247";          // 截屏图片
const std::wstring kNumbered = L"\u622a\u5c4f\u56fe\u7247 (%u)";  // 截屏图片 (%u)
std::wstring Numbered(const wchar_t* n) { return kPlain + L" (" + n + L")"; }

ImageTypeList EngineTypes() {
  ImageTypeList list;
  list.Add(L"Png files", L".png");
  list.Add(L"Jpg files", L".jpg");
  list.Add(L"Bmp files", L".bmp");
  return list;
}

}  // namespace

TEST(SaveNames, FilterListsTheStoredTypeFirstAndKeepsThatOrder) {
  ImageTypeList list = EngineTypes();
  list.Add(L"Other png", L".png");  // an extension already listed adds nothing
  const std::wstring png_first(
      L"Png files (*.png)\0*.png\0Jpg files (*.jpg)\0*.jpg\0"
      L"Bmp files (*.bmp)\0*.bmp\0\0",
      73);
  EXPECT_EQ(list.BuildFilter(L".png"), png_first);
  EXPECT_EQ(list.BuildFilter(L".gif"), png_first);  // an unknown stored type moves nothing
  EXPECT_EQ(list.BuildFilter(L".BMP"), png_first);  // the stored type is compared exactly
  const std::wstring bmp_first(
      L"Bmp files (*.bmp)\0*.bmp\0Png files (*.png)\0*.png\0"
      L"Jpg files (*.jpg)\0*.jpg\0\0",
      73);
  EXPECT_EQ(list.BuildFilter(L".bmp"), bmp_first);
  EXPECT_EQ(list.entries()[0].extension, L".bmp");
  EXPECT_EQ(list.ExtensionOfFilterIndex(1), L".bmp");
  EXPECT_EQ(list.ExtensionOfFilterIndex(3), L".jpg");
  EXPECT_EQ(list.ExtensionOfFilterIndex(0), L".jpg");  // outside the list
  EXPECT_EQ(list.ExtensionOfFilterIndex(4), L".jpg");
  // JPEG stored after a BMP run: JPEG first, the rest as the list was.
  const std::wstring jpg_first(
      L"Jpg files (*.jpg)\0*.jpg\0Bmp files (*.bmp)\0*.bmp\0"
      L"Png files (*.png)\0*.png\0\0",
      73);
  EXPECT_EQ(list.BuildFilter(L".jpg"), jpg_first);
}

TEST(SaveNames, TimestampNameHasNoLeadingZerosAndNoExtension) {
  EXPECT_EQ(TimestampName(2026, 3, 7, 9, 5, 2), L"CorvaneZezozoz_2026-3-7_9-5-2");
  EXPECT_EQ(TimestampName(2026, 12, 31, 23, 59, 0), L"CorvaneZezozoz_2026-12-31_23-59-0");
}

TEST(SaveNames, OnlyProposedNamesCountAsSuggestions) {
  for (const std::wstring& name :
       {std::wstring(), kPlain, kPlain + L".png", kPlain + L".PNG", kPlain + L".Jpg",
        Numbered(L"1"), Numbered(L"100") + L".bmp", Numbered(L"12345"), Numbered(L"0")}) {
    EXPECT_TRUE(CountsAsSuggestion(name, kPlain, kNumbered)) << name.size();
  }
  for (const std::wstring& name :
       {std::wstring(L"report"), std::wstring(L"report.png"), kPlain + L".gif",
        kPlain + L".png.png", Numbered(L"01"), Numbered(L""), Numbered(L"1a"), Numbered(L"-1"),
        kPlain + L" (1", kPlain + L"x", L"x" + kPlain, Numbered(L"2") + L".txt",
        std::wstring(L"CorvaneZezozoz_2026-3-7_9-5-2")}) {
    EXPECT_FALSE(CountsAsSuggestion(name, kPlain, kNumbered)) << name.size();
  }
}

TEST(SaveNames, SuggestionNumbersPastTakenNamesUpTo100) {
  std::set<std::wstring> files;
  auto exists = [&](const std::wstring& name) { return files.count(name) != 0; };
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), kPlain);
  files.insert(L"other.png");
  files.insert(kPlain);  // a file without extension does not take the name
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), kPlain);
  files.insert(kPlain + L".png");
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), Numbered(L"1"));
  // Any of the three extensions takes a number.
  files.insert(Numbered(L"1") + L".jpg");
  files.insert(Numbered(L"2") + L".bmp");
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), Numbered(L"3"));
  for (unsigned n = 3; n <= 99; ++n) files.insert(FormatNumbered(kNumbered, n) + L".png");
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), Numbered(L"100"));
  files.insert(Numbered(L"100") + L".png");
  EXPECT_EQ(SuggestName(kPlain, kNumbered, exists), std::nullopt);  // field left unchanged
  // 101 is never tried.
  unsigned asked_101 = 0;
  SuggestName(kPlain, kNumbered, [&](const std::wstring& name) {
    if (name.find(L"(101)") != std::wstring::npos) ++asked_101;
    return true;
  });
  EXPECT_EQ(asked_101, 0u);
}

TEST(SaveNames, TypeChangeSwitchesOnlyAKnownExtension) {
  EXPECT_EQ(SwitchExtension(L"shot.png", L".jpg"), L"shot.jpg");
  EXPECT_EQ(SwitchExtension(L"SHOT.PNG", L".bmp"), L"SHOT.bmp");
  EXPECT_EQ(SwitchExtension(L"a.b.jpg", L".png"), L"a.b.png");
  EXPECT_EQ(SwitchExtension(L"shot", L".jpg"), std::nullopt);
  EXPECT_EQ(SwitchExtension(L"shot.gif", L".jpg"), std::nullopt);
  EXPECT_EQ(SwitchExtension(L"shot.JPG", L".jpg"), std::nullopt);  // same type: kept as typed
}

TEST(SaveNames, CompletionKeepsListedExtensionsAndAppendsTheChosenOne) {
  const ImageTypeList types = EngineTypes();  // 1 png, 2 jpg, 3 bmp
  EXPECT_EQ(CompleteExtension(L"C:\\a\\shot", types, 3), L"C:\\a\\shot.bmp");
  EXPECT_EQ(CompleteExtension(L"C:\\a\\SHOT.PNG", types, 3), L"C:\\a\\SHOT.PNG");
  EXPECT_EQ(CompleteExtension(L"C:\\a\\shot.jpg", types, 1), L"C:\\a\\shot.jpg");
  EXPECT_EQ(CompleteExtension(L"C:\\a\\shot.gif", types, 1), L"C:\\a\\shot.gif.png");
  // A dot in a folder name is no extension of the file.
  EXPECT_EQ(CompleteExtension(L"C:\\x.png\\shot", types, 2), L"C:\\x.png\\shot.jpg");
  EXPECT_EQ(CompleteExtension(L"C:/x.bmp/shot", types, 2), L"C:/x.bmp/shot.jpg");
  // An index beyond the list gives JPEG.
  EXPECT_EQ(CompleteExtension(L"C:\\a\\shot", types, 7), L"C:\\a\\shot.jpg");
}
