// In-memory settings: accessors by section name, checked getters, and the exact reads and writes.
#include "screenshot/output/settings_values.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "screenshot/output/settings_profile.h"

namespace {

const wchar_t* const kTools[] = {L"ColorTbRectangle", L"ColorTbEllipse", L"ColorTbArrow",
                                 L"ColorTbPolyline"};

// A profile in memory, keyed "section/key".
struct FakeProfile : SettingsProfile {
  std::map<std::wstring, std::wstring> values;

  int ReadInt(const wchar_t* s, const wchar_t* k, int fallback) override {
    return std::stoi(ReadString(s, k, std::to_wstring(fallback)));
  }
  std::wstring ReadString(const wchar_t* s, const wchar_t* k,
                          const std::wstring& fallback) override {
    auto it = values.find(std::wstring(s) + L"/" + k);
    return it == values.end() ? fallback : it->second;
  }
  void WriteInt(const wchar_t* s, const wchar_t* k, int value) override {
    WriteString(s, k, std::to_wstring(value));
  }
  void WriteString(const wchar_t* s, const wchar_t* k, const std::wstring& value) override {
    values[std::wstring(s) + L"/" + k] = value;
  }
};

}  // namespace

TEST(SettingsValues, UnknownSectionsAnswerMinusOneOrFalseAndChangeNothing) {
  SettingsValues values;
  for (const wchar_t* name : {L"TextTb", L"", L"colortbarrow", L"ColorTbMosaic"}) {
    EXPECT_EQ(values.GetPenWidthIndex(name), -1);
    EXPECT_EQ(values.GetColorIndex(name), -1);
    EXPECT_EQ(values.GetValidPenWidthIndex(name), -1);
    EXPECT_EQ(values.GetValidColorIndex(name), -1);
    EXPECT_FALSE(values.SetPenWidthIndex(name, 2) || values.SetDashStyle(name, 1) ||
                 values.SetColorIndex(name, 3));
  }
  for (const wchar_t* tool : kTools) {
    EXPECT_EQ(values.GetPenWidthIndex(tool), 0);
    EXPECT_EQ(values.GetColorIndex(tool), 10);
  }
  EXPECT_TRUE(values.SetColorIndex(L"ColorTbArrow", 4));
  EXPECT_EQ(values.GetColorIndex(L"ColorTbArrow"), 4);
  EXPECT_EQ(values.GetColorIndex(L"ColorTbEllipse"), 10);
}

TEST(SettingsValues, DamagedValuesAreKeptButTheCheckedGettersFallBack) {
  FakeProfile file;
  file.values = {{L"ColorTbRectangle/DotStyle", L"1215752191"},
                 {L"ColorTbRectangle/CrStyle", L"-5"},
                 {L"ColorTbArrow/DotStyle", L"2"},
                 {L"ColorTbArrow/CrStyle", L"15"},
                 {L"TextTb/fHeight", L"-2147483648"},
                 {L"TextTb/fCr", L"16"},
                 {L"TextTb/fName", std::wstring(259, L'F')},
                 {L"TextTb/fBold", L"7"}};
  SettingsValues values;
  values.ReadFrom(file, L"Menu Face");
  EXPECT_EQ(values.GetPenWidthIndex(L"ColorTbRectangle"), 1215752191);  // for the bars
  EXPECT_EQ(values.GetColorIndex(L"ColorTbRectangle"), -5);
  EXPECT_EQ(values.GetValidPenWidthIndex(L"ColorTbRectangle"), 0);  // for indexing
  EXPECT_EQ(values.GetValidColorIndex(L"ColorTbRectangle"), 10);
  EXPECT_EQ(values.GetValidPenWidthIndex(L"ColorTbArrow"), 2);
  EXPECT_EQ(values.GetValidColorIndex(L"ColorTbArrow"), 15);
  EXPECT_EQ(values.GetTextHeight(), -2147483647 - 1);
  EXPECT_EQ(values.GetValidTextHeight(), 18);
  EXPECT_EQ(values.GetValidTextColorIndex(), 10);
  EXPECT_TRUE(values.GetBold());
  EXPECT_EQ(values.GetFaceName(), std::wstring(31, L'F'));
  wchar_t small[5];
  values.GetFaceName(small, 5);
  EXPECT_EQ(std::wstring(small), L"FFFF");

  FakeProfile written;  // written back exactly as read
  values.WriteTo(written);
  for (const auto& entry : file.values) EXPECT_EQ(written.values[entry.first], entry.second);

  values.SetTextHeight(96);
  values.SetTextColorIndex(0);
  EXPECT_EQ(values.GetValidTextHeight(), 96);
  EXPECT_EQ(values.GetValidTextColorIndex(), 0);
}

TEST(SettingsValues, FaceNameEmptyInTheFileOrSetFromAFullFieldStaysUsable) {
  FakeProfile file;
  file.values[L"TextTb/fName"] = L"";
  SettingsValues values;
  values.ReadFrom(file, L"Menu Face");
  EXPECT_EQ(values.GetFaceName(), L"Menu Face");
  std::vector<wchar_t> field(32, L'Q');  // a LOGFONTW face field with no terminator
  field.shrink_to_fit();
  values.SetFaceName(field.data());
  EXPECT_EQ(values.GetFaceName(), std::wstring(31, L'Q'));
  values.SetFaceName(nullptr);
  EXPECT_EQ(values.GetFaceName(), std::wstring(31, L'Q'));
}

// A run whose start could not read the file holds defaults, not the user's values: writing all
// of them would put defaults over every setting. Against the values as loaded, only what the run
// changed is written, in the usual order.
TEST(SettingsValues, AgainstABaselineOnlyChangedKeysAreWrittenInTheUsualOrder) {
  struct Recorder : FakeProfile {
    std::vector<std::wstring> order;
    void WriteString(const wchar_t* s, const wchar_t* k, const std::wstring& value) override {
      order.push_back(std::wstring(s) + L"/" + k + L"=" + value);
    }
  };
  SettingsValues loaded;
  loaded.SetFaceName(L"Menu Face");
  SettingsValues values = loaded;
  Recorder unchanged;
  values.WriteTo(unchanged, &loaded);
  EXPECT_TRUE(unchanged.order.empty());

  values.SetColorIndex(L"ColorTbRectangle", 3);
  values.SetPenWidthIndex(L"ColorTbArrow", 2);
  values.SetDashStyle(L"ColorTbEllipse", 1);  // never written
  values.SetFaceName(L"\x5B8B\x4F53");
  values.SetItalic(true);
  values.SetSaveType(L".jpg");
  Recorder changed;
  values.WriteTo(changed, &loaded);
  EXPECT_EQ(changed.order,
            (std::vector<std::wstring>{L"ColorTbArrow/DotStyle=2", L"ColorTbRectangle/CrStyle=3",
                                       L"TextTb/fName=\x5B8B\x4F53", L"TextTb/fItalic=1",
                                       L"Common/SaveType=.jpg"}));
  Recorder all;
  values.WriteTo(all);
  EXPECT_EQ(all.order.size(), 14u);
}
