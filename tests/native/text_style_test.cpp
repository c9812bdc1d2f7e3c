// TextStyle and the font record: what the text bar sends (height as a negative character
// height, width half of it rounded toward zero, weight 700 or 400, the italic byte), what it reads
// back from a record, faces cut to what a LOGFONTW holds, and the style the settings remember.
#include "screenshot/ui/text_style.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

// The fields of LOGFONTW the conversions touch, in its order, with fillers around them.
struct FontRecord {
  int32_t lfHeight = 111, lfWidth = 222, lfEscapement = 3, lfOrientation = 4, lfWeight = 555;
  uint8_t lfItalic = 77, lfUnderline = 1, lfStrikeOut = 1, lfCharSet = 134;
  wchar_t lfFaceName[32] = L"Template Face";
};

TEST(TextStyle, WritesHeightWidthWeightAndItalicAndKeepsTheRest) {
  struct Case {
    int height;
    bool bold, italic;
    int32_t want_height, want_width, want_weight;
    uint8_t want_italic;
  } const cases[] = {
      {18, false, false, -18, 9, 400, 0},  // the default text
      {19, true, false, -19, 9, 700, 0},   // odd: half rounded toward zero
      {21, false, true, -21, 10, 400, 1},  {1, true, true, -1, 0, 700, 1},
      {96, false, false, -96, 48, 400, 0},
  };
  for (const Case& c : cases) {
    FontRecord font;
    textstyle::ApplyTo(c.height, c.bold, c.italic, &font);
    EXPECT_EQ(font.lfHeight, c.want_height) << c.height;
    EXPECT_EQ(font.lfWidth, c.want_width) << c.height;
    EXPECT_EQ(font.lfWeight, c.want_weight) << c.height;
    EXPECT_EQ(font.lfItalic, c.want_italic) << c.height;
    // Everything else is the template's.
    EXPECT_EQ(font.lfEscapement, 3);
    EXPECT_EQ(font.lfOrientation, 4);
    EXPECT_EQ(font.lfCharSet, 134);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Template Face");
  }
}

TEST(TextStyle, ReadsBoldAboveSixNinetyNineItalicNonZeroAndTheHeightsMagnitude) {
  struct Case {
    int32_t height, weight;
    uint8_t italic;
    int want_height;
    bool want_bold, want_italic;
  } const cases[] = {
      {-18, 400, 0, 18, false, false},  {24, 700, 1, 24, true, true},
      {-13, 699, 255, 13, false, true}, {-13, 701, 0, 13, true, false},
      {-13, 900, 0, 13, true, false},   {INT_MIN, 400, 0, INT_MAX, false, false},
  };
  for (const Case& c : cases) {
    FontRecord font;
    font.lfHeight = c.height;
    font.lfWeight = c.weight;
    font.lfItalic = c.italic;
    const TextStyle style = textstyle::FromFont(font, 7);
    EXPECT_EQ(style.height, c.want_height) << c.height;
    EXPECT_EQ(style.bold, c.want_bold) << c.weight;
    EXPECT_EQ(style.italic, c.want_italic) << int(c.italic);
    EXPECT_EQ(style.color_index, 7);
    EXPECT_EQ(style.face, L"Template Face");
  }
}

TEST(TextStyle, StyleSurvivesTheRoundTripThroughARecord) {
  TextStyle style;
  style.face = L"Courier New";
  style.height = 29;
  style.bold = true;
  style.italic = true;
  style.color_index = 13;
  FontRecord font;
  textstyle::SetFace(style.face, &font);
  textstyle::ApplyTo(style, &font);
  const TextStyle back = textstyle::FromFont(font, style.color_index);
  EXPECT_EQ(back.face, style.face);
  EXPECT_EQ(back.height, 29);
  EXPECT_TRUE(back.bold);
  EXPECT_TRUE(back.italic);
}

TEST(TextStyle, FacesAreCutToThirtyOneUnitsAndAlwaysTerminated) {
  FontRecord font;
  const std::wstring longer(40, L'x');
  textstyle::SetFace(longer, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(31, L'x'));
  textstyle::SetFace(L"", &font);
  EXPECT_EQ(font.lfFaceName[0], L'\0');
  // A full field without a terminator is read up to 31 units, never past the field.
  for (wchar_t& c : font.lfFaceName) c = L'y';
  EXPECT_EQ(textstyle::FaceOf(font), std::wstring(31, L'y'));
}

TEST(TextStyle, SettingsGiveTheirStyleWithOutOfRangeValuesAsDefaults) {
  SettingsValues settings;
  settings.SetFaceName(L"Tahoma");
  settings.SetTextHeight(24);
  settings.SetBold(true);
  settings.SetItalic(false);
  settings.SetTextColorIndex(4);
  TextStyle style = textstyle::FromSettings(settings);
  EXPECT_EQ(style.face, L"Tahoma");
  EXPECT_EQ(style.height, 24);
  EXPECT_TRUE(style.bold);
  EXPECT_FALSE(style.italic);
  EXPECT_EQ(style.color_index, 4);

  // A damaged file: a height no font has, a colour off the palette.
  settings.SetTextHeight(-5);
  settings.SetTextColorIndex(16);
  style = textstyle::FromSettings(settings);
  EXPECT_EQ(style.height, 18);
  EXPECT_EQ(style.color_index, 10);
}

}  // namespace
