// The engine's persistent settings held in memory: tool styles, text style and save type.
//
// Values are kept exactly as they were read or set, so that a damaged file is written back as it
// was and nothing is lost that a later version might understand. The plain getters therefore give
// unchecked numbers, meant for the bars' setters, which reject anything out of range. Code that
// indexes, multiplies or sizes with a value must use the Valid* getters instead; they fall back to
// the default whenever the stored value is out of range.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "screenshot/output/settings_schema.h"

class SettingsProfile;

class SettingsValues {
 public:
  // Every field at its default, the face name empty.
  SettingsValues();

  // Per-tool access by section name ("ColorTbRectangle", "ColorTbEllipse", "ColorTbArrow",
  // "ColorTbPolyline"). Getters answer -1 and setters false (changing nothing) for other names.
  int GetPenWidthIndex(const std::wstring& section) const;
  int GetColorIndex(const std::wstring& section) const;
  bool SetPenWidthIndex(const std::wstring& section, int index);
  bool SetDashStyle(const std::wstring& section, int style);
  bool SetColorIndex(const std::wstring& section, int index);
  // As above, but a stored value outside 0..2 (pen width) or 0..15 (colour) gives the default.
  int GetValidPenWidthIndex(const std::wstring& section) const;
  int GetValidColorIndex(const std::wstring& section) const;

  // Text style. The height is in pixels, unchecked; GetValidTextHeight gives 18 for a height
  // outside 1..1000.
  int GetTextHeight() const { return text_height_; }
  int GetValidTextHeight() const;
  void SetTextHeight(int pixels) { text_height_ = pixels; }
  // The face name, never longer than 31 units, so it always fits a LOGFONTW face field.
  std::wstring GetFaceName() const;
  // Copies the face name into dest (capacity units, terminator included; pass LF_FACESIZE for a
  // LOGFONTW). Nothing is written when capacity is 0.
  void GetFaceName(wchar_t* dest, std::size_t capacity) const;
  // Reads at most 32 units, so a full, unterminated LOGFONTW face field may be passed; keeps at
  // most 31. A null face changes nothing.
  void SetFaceName(const wchar_t* face);
  bool GetBold() const { return bold_ != 0; }
  void SetBold(bool bold) { bold_ = bold ? 1 : 0; }
  bool GetItalic() const { return italic_ != 0; }
  void SetItalic(bool italic) { italic_ = italic ? 1 : 0; }
  int GetTextColorIndex() const { return text_color_index_; }
  int GetValidTextColorIndex() const;
  void SetTextColorIndex(int index) { text_color_index_ = index; }

  // The image type last saved, a file extension with its dot (".png" by default). It is only ever
  // compared with the known types, so any text is harmless.
  const std::wstring& GetSaveType() const { return save_type_; }
  void SetSaveType(const std::wstring& extension) { save_type_ = extension; }

  // Reads every field from the profile; missing keys give the defaults, and a missing or empty
  // face name gives default_face.
  void ReadFrom(SettingsProfile& profile, const std::wstring& default_face);
  // Writes the keys the engine owns, tool sections in ascending name order, then the text style,
  // then the save type. The dash style is not written: a hand-written one is left alone. Given a
  // baseline (the values as they were loaded), only the keys whose value differs from it are
  // written, in the same order.
  void WriteTo(SettingsProfile& profile, const SettingsValues* baseline = nullptr) const;

 private:
  const ToolStyleRecord* FindTool(const std::wstring& section) const;
  ToolStyleRecord* FindTool(const std::wstring& section);

  // Keyed by section name; std::map's order is the order the file is written in.
  std::map<std::wstring, ToolStyleRecord> tools_;
  int text_height_ = settings::kDefaultTextHeight;
  std::wstring face_name_;  // as read: may be longer than a LOGFONTW holds
  int bold_ = 0;            // as read; non-zero means bold
  int italic_ = 0;
  int text_color_index_ = settings::kDefaultTextColorIndex;
  std::wstring save_type_ = settings::kDefaultSaveType;
};
