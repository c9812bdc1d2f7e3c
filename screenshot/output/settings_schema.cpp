// Section and key names, defaults, tool mapping and range rules of the settings file.
#include "screenshot/output/settings_schema.h"

#include "screenshot/base/tool_commands.h"

namespace settings {

const wchar_t kSectionRectangle[] = L"ColorTbRectangle";
const wchar_t kSectionEllipse[] = L"ColorTbEllipse";
const wchar_t kSectionArrow[] = L"ColorTbArrow";
const wchar_t kSectionPolyline[] = L"ColorTbPolyline";
const wchar_t kKeyPenWidth[] = L"DotStyle";
const wchar_t kKeyDashStyle[] = L"LineStyle";
const wchar_t kKeyColor[] = L"CrStyle";

const wchar_t kSectionText[] = L"TextTb";
const wchar_t kKeyTextHeight[] = L"fHeight";
const wchar_t kKeyFaceName[] = L"fName";
const wchar_t kKeyBold[] = L"fBold";
const wchar_t kKeyItalic[] = L"fItalic";
const wchar_t kKeyTextColor[] = L"fCr";

const wchar_t kSectionCommon[] = L"Common";
const wchar_t kKeySaveType[] = L"SaveType";
const wchar_t kDefaultSaveType[] = L".png";

namespace {
const wchar_t* const kToolSections[] = {kSectionRectangle, kSectionEllipse, kSectionArrow,
                                        kSectionPolyline};

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
}  // namespace

const wchar_t* ToolSectionName(int tool) {
  if (!IsPenTool(tool)) return nullptr;
  return kToolSections[tool - kToolRectangle];
}

int ToolOfSection(const std::wstring& section) {
  for (int tool = kToolRectangle; IsPenTool(tool); ++tool) {
    if (section == kToolSections[tool - kToolRectangle]) return tool;
  }
  return kToolNone;
}

bool IsPenWidthIndex(int index) { return index >= 0 && index < kPenWidthCount; }
bool IsColorIndex(int index) { return index >= 0 && index < kPaletteSize; }
bool IsTextHeight(int pixels) { return pixels >= kMinTextHeight && pixels <= kMaxTextHeight; }

std::wstring TruncateUnits(const std::wstring& text, std::size_t max_units) {
  if (text.size() <= max_units) return text;
  std::size_t keep = max_units;
  if (keep > 0 && IsHighSurrogate(text[keep - 1])) --keep;
  return text.substr(0, keep);
}

std::wstring BoundFaceName(const std::wstring& face) {
  return TruncateUnits(face, kFaceNameCapacity - 1);
}

std::wstring FaceNameFromField(const wchar_t* field, std::size_t field_units) {
  if (field == nullptr) return std::wstring();
  std::size_t length = 0;
  while (length < field_units && field[length] != L'\0') ++length;
  return BoundFaceName(std::wstring(field, length));
}

}  // namespace settings
