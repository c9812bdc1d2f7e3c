// TextStyle: how annotation text looks (face, pixel height, bold, italic, palette colour), and
// its conversions to and from the LOGFONTW record the text bar, the board's text box and the
// capture window pass fonts in.
//
// The conversions are templates over the record so that they build without windows.h: any struct
// with LOGFONTW's field names (lfHeight, lfWidth, lfWeight, lfItalic, lfFaceName) takes them, and
// the engine only ever instantiates them for LOGFONTW itself.
#pragma once

#include <climits>
#include <cstddef>
#include <string>

#include "screenshot/output/settings_values.h"

struct TextStyle {
  std::wstring face;                          // at most 31 units, so that it always fits a LOGFONTW
  int height = settings::kDefaultTextHeight;  // screen pixels, positive
  bool bold = false;
  bool italic = false;
  int color_index = settings::kDefaultTextColorIndex;  // 0..15
};

namespace textstyle {

constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 700;
// A font is bold when its weight is above this (700 and up, whatever the font asked for).
constexpr int kBoldAbove = 699;

// The face units a LOGFONTW holds before its terminator.
constexpr std::size_t kFaceUnits = settings::kFaceNameCapacity - 1;

// The magnitude of a height field; a field of INT_MIN, which has no positive twin, gives INT_MAX
// rather than overflowing.
inline int HeightOfField(long long field) {
  if (field >= 0) return field > INT_MAX ? INT_MAX : static_cast<int>(field);
  return field < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-field);
}

// Writes height, width, weight and italic of |style| into |font|, leaving every other field (the
// face among them) as the record had it: the height as a character height (negative), the width
// half of it rounded toward zero, weight 700 or 400.
template <class Font>
void ApplyTo(int height, bool bold, bool italic, Font* font) {
  font->lfHeight = -height;
  font->lfWidth = height / 2;
  font->lfWeight = bold ? kWeightBold : kWeightNormal;
  font->lfItalic = italic ? 1 : 0;
}
template <class Font>
void ApplyTo(const TextStyle& style, Font* font) {
  ApplyTo(style.height, style.bold, style.italic, font);
}

// Puts |face| (cut to 31 units) into the record's face field, terminated.
template <class Font>
void SetFace(const std::wstring& face, Font* font) {
  const std::size_t n = face.size() < kFaceUnits ? face.size() : kFaceUnits;
  for (std::size_t i = 0; i < n; ++i) font->lfFaceName[i] = face[i];
  font->lfFaceName[n] = 0;
}

// The face of a record: up to its terminator, never past 31 units (a full, unterminated field
// is cut there).
template <class Font>
std::wstring FaceOf(const Font& font) {
  std::wstring face;
  for (std::size_t i = 0; i < kFaceUnits && font.lfFaceName[i]; ++i)
    face.push_back(static_cast<wchar_t>(font.lfFaceName[i]));
  return face;
}

// The style a record describes: its face, the height field's magnitude, bold for a weight above
// 699, italic for a non-zero italic byte; the colour is not part of a font and is given.
template <class Font>
TextStyle FromFont(const Font& font, int color_index) {
  TextStyle style;
  style.face = FaceOf(font);
  style.height = HeightOfField(font.lfHeight);
  style.bold = font.lfWeight > kBoldAbove;
  style.italic = font.lfItalic != 0;
  style.color_index = color_index;
  return style;
}

// The text style the settings remember: a height outside 1..1000 or a colour outside the palette
// gives the default, the face is bounded to 31 units.
TextStyle FromSettings(const SettingsValues& settings);

}  // namespace textstyle
