// The font list's catalogue under Wine: the installed families, enumerated in the background,
// sorted, without vertical variants or hidden faces, measured (or taken from the known-face
// table under its character-set rule), and a thread that stops when the list goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/drop_list_paint_win.h"
#include "screenshot/ui/font_faces.h"
#include "win/support/test_drop_lists.h"

namespace {

using namespace droplists;

// Every face name the system reports, and whether any was a vertical variant.
struct SystemFaces {
  std::set<std::wstring> names;  // "@" names left out
  std::vector<LOGFONTW> first_reports;
  int vertical = 0;
};

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<SystemFaces*>(param);
  if (lf->lfFaceName[0] == L'@') {
    ++faces->vertical;
  } else if (faces->names.insert(lf->lfFaceName).second) {
    faces->first_reports.push_back(*lf);
  }
  return 1;
}

SystemFaces EnumerateHere() {
  SystemFaces faces;
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  HDC dc = CreateCompatibleDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  DeleteDC(dc);
  return faces;
}

// The extent of |text| in |lf| as the list should measure it, computed here on its own.
SIZE Extent(LOGFONTW lf, const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return SIZE{r.right, r.bottom};
}

LOGFONTW AtListSize(LOGFONTW lf) {
  lf.lfHeight = -18;
  lf.lfWidth = 9;
  return lf;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / f.QuadPart;
}

class FontComboCatalogue : public DropListTest {};

TEST_F(FontComboCatalogue, WinesFontsSortedWithoutVerticalOrHiddenFacesAndTheReadyEventSignalled) {
  LARGE_INTEGER constructed, ready, opened;
  QueryPerformanceCounter(&constructed);
  RecordingFontList list;
  ASSERT_TRUE(list.WaitUntilReady(120000)) << "the catalogue never became ready";
  QueryPerformanceCounter(&ready);
  const RECT anchor = {300, 100, 356, 122};
  ASSERT_TRUE(list.Open(anchor, L"no such face"));
  QueryPerformanceCounter(&opened);
  std::printf("font list: construction to ready %.1f ms, opening after it %.1f ms, %zu faces\n",
              Milliseconds(constructed, ready), Milliseconds(ready, opened), list.entries().size());

  const SystemFaces here = EnumerateHere();
  std::printf("system reports %zu families, %d vertical variant reports\n", here.names.size(),
              here.vertical);
  std::set<std::wstring> expected;
  for (const std::wstring& name : here.names)
    if (SpecialFaceKind(name.c_str()) != FaceKind::kHidden) expected.insert(name);

  const std::vector<FontListEntry>& entries = list.entries();
  ASSERT_FALSE(entries.empty());
  std::set<std::wstring> listed;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::wstring name = entries[i].font.lfFaceName;
    EXPECT_NE(name[0], L'@') << name;
    EXPECT_EQ(entries[i].font.lfHeight, -18) << name;
    EXPECT_EQ(entries[i].font.lfWidth, 9) << name;
    EXPECT_GT(entries[i].width, 0) << name;
    EXPECT_GT(entries[i].height, 0) << name;
    if (i > 0) {  // sorted, each name once
      EXPECT_LT(std::wstring(entries[i - 1].font.lfFaceName), name);
    }
    listed.insert(name);
  }
  EXPECT_EQ(listed, expected);  // every family the system has, nothing else
  EXPECT_EQ(list.recent_count(), 0);
  EXPECT_EQ(list.selected_index(), -1);
  EXPECT_TRUE(list.IsVisible());
}

TEST_F(FontComboCatalogue, KnownFacesComeFromTheTableOnlyUnderTheirOwnCharacterSet) {
  // Arial and the condensed face are known for character set 0; Symbol only for 2.
  RecordingFontList list(FacesNamed({L"Arial", L"Symbol", L"Tw Cen MT Condensed Extra Bold"}, 0));
  ASSERT_TRUE(list.WaitUntilReady(30000));
  const std::vector<FontListEntry>& e = list.entries();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(FaceOf(e[0].font), L"Arial");
  EXPECT_EQ(e[0].width, 42);
  EXPECT_EQ(e[0].height, 21);
  EXPECT_EQ(FaceOf(e[1].font), L"Symbol");  // measured in the face as enumerated
  const SIZE symbol = Extent(AtListSize(e[1].font), L"Symbol");
  EXPECT_EQ(e[1].width, symbol.cx);
  EXPECT_EQ(e[1].height, symbol.cy);
  EXPECT_EQ(e[2].width, 293);
  EXPECT_EQ(list.content_width(), 293);
}

TEST_F(FontComboCatalogue, SpecialFacesMakeRoomForTheirNameInTheInterfaceFont) {
  RecordingFontList list(FacesNamed({L"Webdings", L"MS Outlook", L"Courier"}, 0));
  ASSERT_TRUE(list.WaitUntilReady(30000));
  const std::vector<FontListEntry>& e = list.entries();
  ASSERT_EQ(e.size(), 3u);
  const LOGFONTW ui = DropListInterfaceFont();
  for (const FontListEntry& entry : e) {
    const std::wstring name = FaceOf(entry.font);
    const SIZE own = Extent(entry.font, name.c_str());
    const SIZE label = Extent(ui, name.c_str());
    EXPECT_EQ(entry.width, own.cx) << name;
    if (name == L"Courier") {
      EXPECT_EQ(entry.kind, FaceKind::kNormal);
      EXPECT_EQ(entry.extra_width, 0);
      EXPECT_EQ(entry.height, own.cy);
    } else {
      EXPECT_EQ(entry.kind, name == L"Webdings" ? FaceKind::kNameAndSample : FaceKind::kNameOnly);
      EXPECT_EQ(entry.extra_width, 3 * label.cy + label.cx) << name;
      EXPECT_EQ(entry.height, std::max(own.cy, label.cy)) << name;
    }
  }
  int widest = 0;
  for (const FontListEntry& entry : e) widest = std::max(widest, entry.width + entry.extra_width);
  EXPECT_EQ(list.content_width(), widest);
}

TEST_F(FontComboCatalogue, ReportsBecomeOneSortedEntryPerFace) {
  // Vertical variants, hidden faces, repeated reports, and a name filling the whole field with
  // no terminator.
  const CFontComboBox::FaceSource named = FacesNamed(
      {L"Zeta", L"@Zeta", L"alpha", L"Cambria Math", L"Beta", L"Zeta", L"Canbria Math", L"@Beta"});
  RecordingFontList list([named](HDC dc, const CFontComboBox::FaceReporter& report) {
    named(dc, report);
    LOGFONTW full = {};
    for (WCHAR& c : full.lfFaceName) c = L'Q';
    report(full);
  });
  ASSERT_TRUE(list.WaitUntilReady(30000));
  std::vector<std::wstring> names;
  for (const FontListEntry& e : list.entries()) names.push_back(FaceOf(e.font));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Beta", std::wstring(LF_FACESIZE - 1, L'Q'), L"Zeta",
                                              L"alpha"}));
}

TEST_F(FontComboCatalogue, DestroyingTheListStopsAnEnumerationStillRunning) {
  struct Progress {
    std::atomic<int> reported{0};
    std::atomic<bool> told_to_stop{false};
    std::atomic<bool> started{false};
  };
  auto progress = std::make_shared<Progress>();
  const int total = 100000;
  {
    RecordingFontList list([progress, total](HDC, const CFontComboBox::FaceReporter& report) {
      progress->started = true;
      for (int i = 0; i < total; ++i) {
        LOGFONTW lf = {};
        wsprintfW(lf.lfFaceName, L"Slow %06d", i);
        Sleep(1);
        if (!report(lf)) {
          progress->told_to_stop = true;
          return;
        }
        ++progress->reported;
      }
    });
    for (int i = 0; i < 200 && !progress->started; ++i) Sleep(10);
    Sleep(50);
    EXPECT_FALSE(list.WaitUntilReady(0));  // still busy
  }                                        // the list goes
  EXPECT_TRUE(progress->told_to_stop);
  EXPECT_LT(progress->reported.load(), total);
}

// The known-face rows measured on this desktop must still be what its fonts measure: a stale row
// would size the list wrongly.
TEST_F(FontComboCatalogue, KnownFaceRowsAgreeWithThisDesktopsFonts) {
  const SystemFaces here = EnumerateHere();
  int checked = 0;
  for (const LOGFONTW& lf : here.first_reports) {
    const KnownFaceMetrics* known = FindKnownFace(lf.lfFaceName, lf.lfCharSet);
    if (!known) continue;
    const SIZE measured = Extent(AtListSize(lf), lf.lfFaceName);
    EXPECT_EQ(known->width, measured.cx) << FaceOf(lf) << ": regenerate the test desktop's rows";
    EXPECT_EQ(known->height, measured.cy) << FaceOf(lf);
    ++checked;
  }
  std::printf("%d known-face rows checked against this desktop\n", checked);
}

// Prints the test desktop's rows of the known-face table (run on the test desktop with
// --gtest_also_run_disabled_tests and paste the output into known_face_metrics.cpp).
TEST_F(FontComboCatalogue, DISABLED_PrintMeasuredRows) {
  const SystemFaces here = EnumerateHere();
  for (const LOGFONTW& lf : here.first_reports) {
    if (SpecialFaceKind(lf.lfFaceName) == FaceKind::kHidden) continue;
    const SIZE s = Extent(AtListSize(lf), lf.lfFaceName);
    char name[128] = {};
    WideCharToMultiByte(CP_UTF8, 0, lf.lfFaceName, -1, name, sizeof(name), nullptr, nullptr);
    std::printf("    {L\"%s\", %d, %ld, %ld},\n", name, lf.lfCharSet, s.cx, s.cy);
  }
}

}  // namespace
