// The font list on the test desktop, driven with real mouse input: where it opens, choosing a
// face (and the recent faces that follow), scrolling by arrows, thumb, track and wheel, its
// picture, and closing on a click elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_drop_lists.h"

namespace {

using namespace droplists;
using testinput::ClickAt;
using testinput::PumpUntil;
using testpictures::Image;

constexpr RECT kButton = {300, 100, 356, 122};  // the font button the list opens for

class FontComboList : public DropListTest {
 protected:
  // Opens |list| for kButton and lets it show.
  void OpenList(CFontComboBox& list, const wchar_t* face = nullptr) {
    ASSERT_TRUE(list.Open(kButton, face));
    testinput::Drain();
    ASSERT_TRUE(list.IsVisible());
  }
  static POINT RowCentre(const CFontComboBox& list, int r) {
    const Rect row = list.row_rect(r);
    return OnScreen(list.hwnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2);
  }
  static void ClickRow(const CFontComboBox& list, int r) {
    const POINT p = RowCentre(list, r);
    ClickAt(p.x, p.y);
  }
  // A point of the scroll bar, |y| pixels from its top (negative: from its bottom).
  static POINT OnBar(const CFontComboBox& list, int y) {
    const Rect bar = list.scroll_bar_rect();
    return OnScreen(list.hwnd(), (bar.left + bar.right) / 2, y >= 0 ? bar.top + y : bar.bottom + y);
  }
  static std::wstring FaceAt(const CFontComboBox& list, int index) {
    return FaceOf(list.entries()[index].font);
  }
  static Image Picture(CFontComboBox& list) {
    LayeredSurface s;
    EXPECT_TRUE(list.Compose(s));
    return testpictures::Pixels(s);
  }
};

TEST_F(FontComboList, OpensBelowTheButtonWithTheFaceSelectedInAFullPage) {
  RecordingFontList list(FacesNamed(NumberedFaces(30)));
  OpenList(list, L"Face 20");
  EXPECT_EQ(list.selected_index(), 20);
  EXPECT_EQ(list.first_visible(), 20);
  EXPECT_EQ(list.row_count(), 9);
  EXPECT_EQ(list.scroll_bar().GetPosition(), list.first_visible());
  RECT wr;
  GetWindowRect(list.hwnd(), &wr);
  EXPECT_EQ(wr.left, kButton.left - 2);
  EXPECT_EQ(wr.top, kButton.bottom - 2);
  EXPECT_EQ(wr.right - wr.left, list.window_size().width);
  EXPECT_EQ(wr.bottom - wr.top, list.window_size().height);
  const LONG ex = GetWindowLongW(list.hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);

  OpenList(list, L"Face 28");  // near the end: the last nine
  EXPECT_EQ(list.selected_index(), 28);
  EXPECT_EQ(list.first_visible(), 21);
  OpenList(list, L"face 05");  // no exact match: the selection stays
  EXPECT_EQ(list.selected_index(), 28);

  // Near the bottom right of the screen: above the button, kept on the screen.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(list.Open(RECT{w - 20, h - 30, w, h - 8}, nullptr));
  GetWindowRect(list.hwnd(), &wr);
  EXPECT_EQ(wr.left, w + 2 - list.window_size().width);
  EXPECT_EQ(wr.top, h - 30 + 2 - list.window_size().height);
  list.Hide();
  EXPECT_FALSE(list.IsVisible());
}

TEST_F(FontComboList, AClickOnARowChoosesItsFaceAndKeepsItOnTop) {
  RecordingFontList list(FacesNamed(NumberedFaces(30)));
  OpenList(list);
  EXPECT_EQ(list.first_visible(), 0);
  ClickRow(list, 3);
  ASSERT_EQ(list.chosen.size(), 1u);
  EXPECT_EQ(FaceOf(list.chosen[0]), L"Face 03");
  EXPECT_EQ(list.chosen[0].lfHeight, -18);
  EXPECT_FALSE(list.IsVisible());
  EXPECT_EQ(list.recent_count(), 1);
  ASSERT_EQ(list.entries().size(), 31u);
  EXPECT_EQ(FaceAt(list, 0), L"Face 03");
  EXPECT_EQ(list.scroll_bar().maximum(), 30);
  EXPECT_EQ(list.selected_index(), 0);

  // The first row never reorders anything.
  OpenList(list, L"Face 03");
  EXPECT_EQ(list.selected_index(), 0);  // the recent copy comes first
  ClickRow(list, 0);
  ASSERT_EQ(list.chosen.size(), 2u);
  EXPECT_EQ(FaceOf(list.chosen[1]), L"Face 03");
  EXPECT_EQ(list.entries().size(), 31u);
  EXPECT_EQ(list.recent_count(), 1);

  // Pressing a row and letting go elsewhere chooses nothing.
  OpenList(list);
  const POINT from = RowCentre(list, 5);
  testinput::PressAt(from.x, from.y);
  testinput::MoveTo(from.x + 400, from.y);
  testinput::Release();
  EXPECT_EQ(list.chosen.size(), 2u);
  EXPECT_TRUE(list.IsVisible());
}

TEST_F(FontComboList, FiveChoicesLeaveTheFourNewestFacesOnTopInBlack) {
  RecordingFontList list(FacesNamed(NumberedFaces(30)));
  for (const wchar_t* face : {L"Face 10", L"Face 11", L"Face 12", L"Face 13", L"Face 14"}) {
    OpenList(list, face);
    ASSERT_EQ(FaceAt(list, list.first_visible()), face);
    // The selected face heads the page. The same row clicked again at once reaches the list as
    // a double click: it chooses all the same.
    ClickRow(list, 0);
  }
  ASSERT_EQ(list.chosen.size(), 5u);
  EXPECT_EQ(list.recent_count(), 4);
  ASSERT_EQ(list.entries().size(), 34u);
  EXPECT_EQ(FaceAt(list, 0), L"Face 14");
  EXPECT_EQ(FaceAt(list, 1), L"Face 13");
  EXPECT_EQ(FaceAt(list, 2), L"Face 12");
  EXPECT_EQ(FaceAt(list, 3), L"Face 11");
  EXPECT_EQ(FaceAt(list, 4), L"Face 00");  // the catalogue follows, whole

  OpenList(list);  // the last choice stays selected
  ASSERT_EQ(list.first_visible(), 0);
  testinput::MoveTo(0, 0);  // nothing hot
  const Image img = Picture(list);
  // The darkest ink of each row: black for the recent faces, the catalogue's blue below them.
  for (int r = 0; r < 6; ++r) {
    const Rect row = list.row_rect(r);
    uint32_t darkest = 0xFFFFFFFF;
    int best = 255 * 3;
    for (int y = row.top + 2; y < row.bottom - 2; ++y)
      for (int x = row.left + 3; x < row.right - 3; ++x) {
        const uint32_t p = img.at(x, y);
        const int sum = testpictures::R(p) + testpictures::G(p) + testpictures::B(p);
        if (sum < best) best = sum, darkest = p;
      }
    const int red = testpictures::R(darkest), blue = testpictures::B(darkest);
    if (r < 4) {
      EXPECT_LT(std::max({red, testpictures::G(darkest), blue}), 60) << "row " << r;
    } else {
      EXPECT_GT(blue - red, 50) << "row " << r;
      EXPECT_LT(red, 60) << "row " << r;
    }
  }
  // The selected row (0) has the highlight frame, a plain row none: their left edges differ,
  // the plain one is the white panel.
  const Rect r0 = list.row_rect(0), r5 = list.row_rect(5);
  EXPECT_EQ(img.at(r5.left + 1, (r5.top + r5.bottom) / 2), 0xFFFFFFFFu);
  const uint32_t edge = img.at(r0.left + 1, (r0.top + r0.bottom) / 2);
  EXPECT_NE(edge, 0xFFFFFFFFu);
  EXPECT_GT(testpictures::B(edge), testpictures::R(edge));
  const std::wstring path = testpictures::SavePicture(img, L"font_list.png", 2);
  std::printf("font list picture: %ls\n", path.c_str());
}

TEST_F(FontComboList, ScrollsByArrowThumbTrackAndWheel) {
  RecordingFontList list(FacesNamed(NumberedFaces(30)));
  OpenList(list);
  ASSERT_TRUE(list.scroll_bar_visible());
  ASSERT_EQ(list.row_count(), 9);
  EXPECT_EQ(list.scroll_bar().arrow_step(), 8);

  POINT p = OnBar(list, -6);  // the down arrow
  ClickAt(p.x, p.y);
  EXPECT_EQ(list.first_visible(), 8);
  ASSERT_FALSE(list.scrolls.empty());
  EXPECT_EQ(list.scrolls.back().code, 1);
  EXPECT_EQ(list.scrolls.back().position, 8);
  ClickRow(list, 0);  // the rows show the scrolled entries
  ASSERT_EQ(list.chosen.size(), 1u);
  EXPECT_EQ(FaceOf(list.chosen[0]), L"Face 08");

  // 31 entries now (one recent): travel 22.
  OpenList(list, L"Face 00");
  ASSERT_EQ(list.first_visible(), 1);
  const POINT over = RowCentre(list, 4);
  testinput::MoveTo(over.x, over.y);
  testinput::Wheel(-120);  // a notch towards the user: step + 1 down
  EXPECT_EQ(list.first_visible(), 10);
  EXPECT_EQ(list.scroll_bar().GetPosition(), 10);
  EXPECT_EQ(list.scrolls.back().code, 1);
  EXPECT_EQ(list.scrolls.back().position, 10);
  testinput::Wheel(60);  // less than a notch: one step up, whichever way
  EXPECT_EQ(list.first_visible(), 2);
  EXPECT_EQ(list.scrolls.back().code, 0);
  testinput::Wheel(-60);
  EXPECT_EQ(list.first_visible(), 0);

  // The thumb dragged to the bottom shows the last page.
  const Rect thumb = list.scroll_bar().Layout().thumb;
  const Rect bar = list.scroll_bar_rect();
  const POINT grip = OnScreen(list.hwnd(), bar.left + 6, bar.top + (thumb.top + thumb.bottom) / 2);
  testinput::PressAt(grip.x, grip.y);
  testinput::MoveTo(grip.x, grip.y + 1000);
  EXPECT_EQ(list.first_visible(), 22);
  EXPECT_EQ(list.scrolls.back().code, 5);
  testinput::Release();
  EXPECT_EQ(FaceAt(list, list.first_visible() + 8), L"Face 29");
  // A press on the track above the thumb jumps back up.
  p = OnBar(list, 20);
  ClickAt(p.x, p.y);
  EXPECT_LT(list.first_visible(), 5);
  EXPECT_EQ(list.scrolls.back().code, 4);
  // The up arrow held repeats until the top.
  OpenList(list, L"Face 29");
  p = OnBar(list, 5);
  testinput::PressAt(p.x, p.y);
  EXPECT_TRUE(PumpUntil([&] { return list.first_visible() == 0; }, 3000));
  testinput::Release();
  EXPECT_EQ(list.first_visible(), 0);
  EXPECT_TRUE(list.IsVisible());
}

TEST_F(FontComboList, NineFacesOrFewerHaveNoScrollBar) {
  RecordingFontList nine(FacesNamed(NumberedFaces(9)));
  OpenList(nine);
  EXPECT_FALSE(nine.scroll_bar_visible());
  EXPECT_EQ(nine.row_count(), 9);
  EXPECT_EQ(nine.row_rect(0).right, nine.window_size().width - 2);  // rows take the width
  testinput::MoveTo(RowCentre(nine, 2).x, RowCentre(nine, 2).y);
  testinput::Wheel(-120);
  EXPECT_EQ(nine.first_visible(), 0);
  EXPECT_TRUE(nine.scrolls.empty());
  const Image without = Picture(nine);
  nine.Hide();

  RecordingFontList ten(FacesNamed(NumberedFaces(10)));
  OpenList(ten);
  EXPECT_TRUE(ten.scroll_bar_visible());
  EXPECT_EQ(ten.row_count(), 9);
  EXPECT_EQ(ten.row_rect(0).right, ten.scroll_bar_rect().left);
  EXPECT_EQ(ten.window_size().width, nine.window_size().width);  // the same width either way
  const Image with = Picture(ten);
  // Where the bar goes: the plain panel without it, the bar's track with it.
  const Rect bar = ten.scroll_bar_rect();
  const int x = (bar.left + bar.right) / 2, y = (bar.top + bar.bottom) / 2;
  EXPECT_EQ(without.at(x, y), 0xFFFFFFFFu);
  EXPECT_NE(with.at(x, bar.bottom - 20), 0xFFFFFFFFu);
}

TEST_F(FontComboList, ClosesOnAClickElsewhereButNotOnItself) {
  Elsewhere other;
  ASSERT_TRUE(other.Create(800, 450, 200, 150));
  RecordingFontList list(FacesNamed(NumberedFaces(30)));
  OpenList(list);
  EXPECT_TRUE(GetMessageFilterList()->Contains(&list));
  POINT p = OnBar(list, -30);  // the track below the thumb: the list scrolls and stays
  ClickAt(p.x, p.y);
  EXPECT_TRUE(list.IsVisible());
  EXPECT_GT(list.first_visible(), 0);

  ClickAt(850, 500);
  EXPECT_FALSE(list.IsVisible());
  EXPECT_FALSE(GetMessageFilterList()->Contains(&list));
  ASSERT_EQ(other.presses.size(), 1u);  // the press still reaches its window
  EXPECT_TRUE(list.chosen.empty());

  OpenList(list);
  testinput::RightClickAt(850, 500);
  EXPECT_FALSE(list.IsVisible());
  EXPECT_EQ(other.presses.size(), 2u);
}

TEST_F(FontComboList, ANewPopupStartsWithoutRecentFaces) {
  RecordingFontList list(FacesNamed(NumberedFaces(12)));
  OpenList(list);
  ClickRow(list, 4);
  ASSERT_EQ(list.recent_count(), 1);
  ASSERT_EQ(list.entries().size(), 13u);
  DestroyWindow(list.hwnd());
  testinput::Drain();
  EXPECT_EQ(list.hwnd(), nullptr);
  OpenList(list, L"Face 04");
  EXPECT_EQ(list.recent_count(), 0);
  EXPECT_EQ(list.entries().size(), 12u);
  EXPECT_EQ(list.selected_index(), 4);
  std::set<std::wstring> names;
  for (const FontListEntry& e : list.entries()) EXPECT_TRUE(names.insert(FaceOf(e.font)).second);
  ClickRow(list, 1);  // and it works as before
  ASSERT_EQ(list.chosen.size(), 2u);
  EXPECT_EQ(FaceOf(list.chosen[1]), L"Face 04");
}

TEST_F(FontComboList, SymbolFacesShowTheirNameInTheInterfaceFontFirst) {
  RecordingFontList list(FacesNamed({L"Courier", L"MS Outlook", L"Webdings"}));
  OpenList(list);
  testinput::MoveTo(0, 0);
  const Image img = Picture(list);
  // Columns of the row's text area that carry ink.
  auto inked = [&](int r, int from, int to) {
    const Rect row = list.row_rect(r);
    int columns = 0;
    for (int x = std::max(from, row.left + 3); x < std::min(to, row.right - 3); ++x)
      for (int y = row.top + 2; y < row.bottom - 2; ++y)
        if (testpictures::R(img.at(x, y)) < 160) {
          ++columns;
          break;
        }
    return columns;
  };
  const std::vector<FontListEntry>& e = list.entries();
  ASSERT_EQ(e.size(), 3u);
  const int text_left = list.row_rect(0).left + 3;
  // MS Outlook (row 1): the name in the interface font only; nothing after its room.
  EXPECT_GT(inked(1, text_left, text_left + e[1].extra_width), 10);
  EXPECT_EQ(inked(1, text_left + e[1].extra_width, 10000), 0);
  // Webdings (row 2): the name in the interface font, then in its own face after the room.
  EXPECT_GT(inked(2, text_left, text_left + e[2].extra_width), 10);
  EXPECT_GT(inked(2, text_left + e[2].extra_width, 10000), 10);
  // Courier (row 0): its own face from the left.
  EXPECT_EQ(e[0].extra_width, 0);
  EXPECT_GT(inked(0, text_left, text_left + 20), 5);
  testpictures::SavePicture(img, L"font_list_symbols.png", 2);
}

}  // namespace
