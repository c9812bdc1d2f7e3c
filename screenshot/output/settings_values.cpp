// The engine's persistent settings held in memory, and their mapping onto the settings file.
#include "screenshot/output/settings_values.h"

#include "screenshot/base/tool_commands.h"

#include "screenshot/output/settings_profile.h"

using namespace settings;

SettingsValues::SettingsValues() {
  for (int tool = kToolRectangle; IsPenTool(tool); ++tool) tools_[ToolSectionName(tool)] = {};
}

const ToolStyleRecord* SettingsValues::FindTool(const std::wstring& section) const {
  auto it = tools_.find(section);
  return it == tools_.end() ? nullptr : &it->second;
}

ToolStyleRecord* SettingsValues::FindTool(const std::wstring& section) {
  auto it = tools_.find(section);
  return it == tools_.end() ? nullptr : &it->second;
}

int SettingsValues::GetPenWidthIndex(const std::wstring& section) const {
  const ToolStyleRecord* record = FindTool(section);
  return record ? record->pen_width_index : -1;
}

int SettingsValues::GetColorIndex(const std::wstring& section) const {
  const ToolStyleRecord* record = FindTool(section);
  return record ? record->color_index : -1;
}

bool SettingsValues::SetPenWidthIndex(const std::wstring& section, int index) {
  ToolStyleRecord* record = FindTool(section);
  if (!record) return false;
  record->pen_width_index = index;
  return true;
}

bool SettingsValues::SetDashStyle(const std::wstring& section, int style) {
  ToolStyleRecord* record = FindTool(section);
  if (!record) return false;
  record->dash_style = style;
  return true;
}

bool SettingsValues::SetColorIndex(const std::wstring& section, int index) {
  ToolStyleRecord* record = FindTool(section);
  if (!record) return false;
  record->color_index = index;
  return true;
}

int SettingsValues::GetValidPenWidthIndex(const std::wstring& section) const {
  const ToolStyleRecord* record = FindTool(section);
  if (!record) return -1;
  return IsPenWidthIndex(record->pen_width_index) ? record->pen_width_index : kDefaultPenWidthIndex;
}

int SettingsValues::GetValidColorIndex(const std::wstring& section) const {
  const ToolStyleRecord* record = FindTool(section);
  if (!record) return -1;
  return IsColorIndex(record->color_index) ? record->color_index : kDefaultColorIndex;
}

int SettingsValues::GetValidTextHeight() const {
  return IsTextHeight(text_height_) ? text_height_ : kDefaultTextHeight;
}

int SettingsValues::GetValidTextColorIndex() const {
  return IsColorIndex(text_color_index_) ? text_color_index_ : kDefaultTextColorIndex;
}

std::wstring SettingsValues::GetFaceName() const { return BoundFaceName(face_name_); }

void SettingsValues::GetFaceName(wchar_t* dest, std::size_t capacity) const {
  if (dest == nullptr || capacity == 0) return;
  const std::wstring face = TruncateUnits(GetFaceName(), capacity - 1);
  face.copy(dest, face.size());
  dest[face.size()] = L'\0';
}

void SettingsValues::SetFaceName(const wchar_t* face) {
  if (face == nullptr) return;
  face_name_ = FaceNameFromField(face, kFaceNameCapacity);
}

void SettingsValues::ReadFrom(SettingsProfile& profile, const std::wstring& default_face) {
  // Rectangle, ellipse, arrow, polyline: the order the tools are numbered in.
  for (int tool = kToolRectangle; IsPenTool(tool); ++tool) {
    const wchar_t* section = ToolSectionName(tool);
    ToolStyleRecord record;
    record.pen_width_index = profile.ReadInt(section, kKeyPenWidth, kDefaultPenWidthIndex);
    record.dash_style = profile.ReadInt(section, kKeyDashStyle, kDefaultDashStyle);
    record.color_index = profile.ReadInt(section, kKeyColor, kDefaultColorIndex);
    tools_[section] = record;
  }
  text_height_ = profile.ReadInt(kSectionText, kKeyTextHeight, kDefaultTextHeight);
  face_name_ = profile.ReadString(kSectionText, kKeyFaceName, default_face);
  // "fName=" with nothing after it would otherwise leave the text tool without a face.
  if (face_name_.empty()) face_name_ = default_face;
  bold_ = profile.ReadInt(kSectionText, kKeyBold, 0);
  italic_ = profile.ReadInt(kSectionText, kKeyItalic, 0);
  text_color_index_ = profile.ReadInt(kSectionText, kKeyTextColor, kDefaultTextColorIndex);
  save_type_ = profile.ReadString(kSectionCommon, kKeySaveType, kDefaultSaveType);
}

void SettingsValues::WriteTo(SettingsProfile& profile, const SettingsValues* baseline) const {
  const SettingsValues& base = baseline ? *baseline : *this;
  const bool all = baseline == nullptr;
  auto write_int = [&](const wchar_t* section, const wchar_t* key, int value, int was) {
    if (all || value != was) profile.WriteInt(section, key, value);
  };
  auto write_string = [&](const wchar_t* section, const wchar_t* key, const std::wstring& value,
                          const std::wstring& was) {
    if (all || value != was) profile.WriteString(section, key, value);
  };
  for (const auto& entry : tools_) {
    const ToolStyleRecord* was = base.FindTool(entry.first);
    const ToolStyleRecord& now = entry.second;
    if (all || !was || now.pen_width_index != was->pen_width_index)
      profile.WriteInt(entry.first.c_str(), kKeyPenWidth, now.pen_width_index);
    if (all || !was || now.color_index != was->color_index)
      profile.WriteInt(entry.first.c_str(), kKeyColor, now.color_index);
  }
  write_int(kSectionText, kKeyTextHeight, text_height_, base.text_height_);
  write_string(kSectionText, kKeyFaceName, face_name_, base.face_name_);
  write_int(kSectionText, kKeyBold, bold_, base.bold_);
  write_int(kSectionText, kKeyItalic, italic_, base.italic_);
  write_int(kSectionText, kKeyTextColor, text_color_index_, base.text_color_index_);
  write_string(kSectionCommon, kKeySaveType, save_type_, base.save_type_);
}
