// Shape of the engine's settings file: section and key names, defaults, tools and valid ranges.
//
// Everything here is plain data and pure functions so that the file layout and the range rules
// are shared by the store, the capture window and the bars, and can be tested without Windows.
#pragma once

#include <cstddef>
#include <string>

// Style of one drawing tool as kept in the settings file. A default record is what a run without
// a settings file starts with.
struct ToolStyleRecord {
  int pen_width_index = 0;  // "DotStyle": 0..2, pen width 3 * index + 2 pixels
  int dash_style = 0;       // "LineStyle": read but never written back nor used for drawing
  int color_index = 10;     // "CrStyle": 0..15 into the fixed palette; 10 is red
};

namespace settings {

// Tool sections; tools 1..4 are rectangle, ellipse, arrow and free-hand line.
extern const wchar_t kSectionRectangle[];
extern const wchar_t kSectionEllipse[];
extern const wchar_t kSectionArrow[];
extern const wchar_t kSectionPolyline[];
extern const wchar_t kKeyPenWidth[];   // "DotStyle"
extern const wchar_t kKeyDashStyle[];  // "LineStyle"
extern const wchar_t kKeyColor[];      // "CrStyle"

extern const wchar_t kSectionText[];  // "TextTb"
extern const wchar_t kKeyTextHeight[];
extern const wchar_t kKeyFaceName[];
extern const wchar_t kKeyBold[];
extern const wchar_t kKeyItalic[];
extern const wchar_t kKeyTextColor[];

extern const wchar_t kSectionCommon[];  // "Common"
extern const wchar_t kKeySaveType[];

constexpr int kDefaultPenWidthIndex = 0;
constexpr int kDefaultDashStyle = 0;
constexpr int kDefaultColorIndex = 10;
constexpr int kDefaultTextHeight = 18;
constexpr int kDefaultTextColorIndex = 10;
extern const wchar_t kDefaultSaveType[];  // ".png"

constexpr int kPaletteSize = 16;
constexpr int kPenWidthCount = 3;
// Text heights outside this pixel range are treated as damaged: the size list offers 8 to 72
// points, which stays well inside it even on very dense screens.
constexpr int kMinTextHeight = 1;
constexpr int kMaxTextHeight = 1000;

// Units of a LOGFONTW face-name field, terminator included.
constexpr std::size_t kFaceNameCapacity = 32;
// Profile strings are read and integers formatted in buffers of this many characters.
constexpr std::size_t kProfileBufferChars = 260;

// Section of drawing tool 1..4; null for every other tool (text, select, mosaic, none).
const wchar_t* ToolSectionName(int tool);
// Tool 1..4 of a section name (exact, case-sensitive); 0 when it is not a tool section.
int ToolOfSection(const std::wstring& section);

bool IsPenWidthIndex(int index);
bool IsColorIndex(int index);
bool IsTextHeight(int pixels);

// At most max_units UTF-16 units of text; a high surrogate left without its partner at the cut is
// dropped too, so the result never ends in half a character.
std::wstring TruncateUnits(const std::wstring& text, std::size_t max_units);
// The face name as it may go into a LOGFONTW: at most 31 units.
std::wstring BoundFaceName(const std::wstring& face);
// Reads a face name from a fixed field of field_units units that need not be terminated (a full
// LOGFONTW face field); null gives an empty name. The result is bounded like BoundFaceName.
std::wstring FaceNameFromField(const wchar_t* field, std::size_t field_units);

}  // namespace settings
