// Settings file layout: tool sections, range rules and face-name bounding.
#include "screenshot/output/settings_schema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace settings;

TEST(SettingsSchema, ToolsOneToFourMapToTheirSectionsBothWays) {
  const std::wstring names[] = {L"ColorTbRectangle", L"ColorTbEllipse", L"ColorTbArrow",
                                L"ColorTbPolyline"};
  for (int tool = 1; tool <= 4; ++tool) {
    ASSERT_NE(ToolSectionName(tool), nullptr);
    EXPECT_EQ(ToolSectionName(tool), names[tool - 1]);
    EXPECT_EQ(ToolOfSection(names[tool - 1]), tool);
  }
  for (int tool : {0, 5, 6, 9, -1}) EXPECT_EQ(ToolSectionName(tool), nullptr) << tool;
  for (const wchar_t* name : {L"TextTb", L"", L"colortbrectangle"}) {
    EXPECT_EQ(ToolOfSection(name), 0);
  }
}

TEST(SettingsSchema, RangeChecksAcceptExactlyTheValidValues) {
  EXPECT_TRUE(IsPenWidthIndex(0) && IsPenWidthIndex(2));
  EXPECT_FALSE(IsPenWidthIndex(-1) || IsPenWidthIndex(3));
  EXPECT_TRUE(IsColorIndex(0) && IsColorIndex(15));
  EXPECT_FALSE(IsColorIndex(-1) || IsColorIndex(16) || IsColorIndex(-2147483647 - 1));
  EXPECT_TRUE(IsTextHeight(1) && IsTextHeight(1000));
  EXPECT_FALSE(IsTextHeight(0) || IsTextHeight(-18) || IsTextHeight(1001));
}

TEST(SettingsSchema, FaceNamesAreBoundedToThirtyOneUnitsWithoutHalfCharacters) {
  EXPECT_EQ(BoundFaceName(std::wstring(31, L'a')), std::wstring(31, L'a'));
  EXPECT_EQ(BoundFaceName(std::wstring(259, L'b')), std::wstring(31, L'b'));
  // A surrogate pair cut by the limit goes entirely; one that ends at the limit stays.
  const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  EXPECT_EQ(BoundFaceName(std::wstring(30, L'x') + pair), std::wstring(30, L'x'));
  EXPECT_EQ(BoundFaceName(std::wstring(29, L'y') + pair + L"z"), std::wstring(29, L'y') + pair);
  // A full LOGFONTW field without terminator is read only within its 32 units (an exactly
  // sized heap block, so the sanitizers see any read past it).
  std::vector<wchar_t> field(kFaceNameCapacity, L'F');
  field.shrink_to_fit();
  EXPECT_EQ(FaceNameFromField(field.data(), field.size()), std::wstring(31, L'F'));
  EXPECT_EQ(FaceNameFromField(L"Tahoma", kFaceNameCapacity), L"Tahoma");
  EXPECT_EQ(FaceNameFromField(nullptr, kFaceNameCapacity), L"");
}
