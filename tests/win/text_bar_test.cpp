// The text bar on the test desktop, driven with real mouse input: its window and buttons, the
// size it shows for a pixel height, its drop lists opening under their buttons and closing on a
// second click or a click elsewhere, the fonts its notifications carry, its colours, tooltips and
// dragging (by the gaps, never from the swatch block).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot/ui/CTextToolBar.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_drop_lists.h"

namespace {

using namespace droplists;
using testinput::ClickAt;
using testpictures::Image;

constexpr int kBarX = 300, kBarY = 200;

// A text bar that records what it reports.
class RecordingTextBar : public CTextToolBar {
 public:
  void OnTextColorChanged(int i) override { colors.push_back(i); }
  void OnFontFaceChanged(const LOGFONTW& f) override { Note('F', f); }
  void OnFontHeightChanged(const LOGFONTW& f) override { Note('H', f); }
  void OnBoldChanged(const LOGFONTW& f) override { Note('B', f); }
  void OnItalicChanged(const LOGFONTW& f) override { Note('I', f); }
  void Note(char what, const LOGFONTW& f) {
    kinds.push_back(what);
    fonts.push_back(f);
  }
  std::vector<int> colors;
  std::string kinds;
  std::vector<LOGFONTW> fonts;
};

// The template font an owner would give: some face at 18 pixels.
LOGFONTW Font18() {
  LOGFONTW lf = {};
  lf.lfHeight = -18;
  lf.lfWidth = 9;
  lf.lfWeight = 400;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return lf;
}

class TextBarTest : public DropListTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DropListTest::SetUp());
    ASSERT_TRUE(owner_.Create(0, 0, 10, 10));
    ASSERT_TRUE(bar_.Create(kBarX, kBarY, owner_.hwnd()));
    bar_.SetFont(Font18());
    bar_.Paint();
    bar_.Show();
    ASSERT_TRUE(testinput::PumpUntil([&] { return IsWindowVisible(bar_.hwnd()) != FALSE; }, 1000));
  }
  void TearDown() override {
    if (bar_.hwnd()) DestroyWindow(bar_.hwnd());
    DropListTest::TearDown();
  }
  // The centre of a control of the bar, on the screen.
  POINT Centre(const Rect& r) const {
    return OnScreen(bar_.hwnd(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Click(const Rect& r) {
    const POINT p = Centre(r);
    ClickAt(p.x, p.y);
  }
  bool SizeListShown() const { return bar_.size_list() && bar_.size_list()->IsVisible(); }
  Image Composed() {
    LayeredSurface surface;
    EXPECT_TRUE(bar_.Compose(surface));
    return testpictures::Pixels(surface);
  }
  RECT WindowRect() const {
    RECT r = {};
    GetWindowRect(bar_.hwnd(), &r);
    return r;
  }

  Elsewhere owner_;
  RecordingTextBar bar_;
};

TEST_F(TextBarTest, IsTheLayoutsLayeredPopupWithTwentyButtonsRegisteredAsAFilter) {
  HWND h = bar_.hwnd();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)), 0x08080088u);
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner_.hwnd());
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, kBarX);
  EXPECT_EQ(r.top, kBarY);
  EXPECT_EQ(r.right - r.left, 306);
  EXPECT_EQ(r.bottom - r.top, 34);
  EXPECT_TRUE(GetMessageFilterList()->Contains(&bar_));
  int count = 0;
  for (const InplaceButton* b = bar_.button_manager().first(); b; b = b->next) ++count;
  EXPECT_EQ(count, 20);
  EXPECT_EQ(bar_.layout().size_button, (Rect{7, 7, 47, 29}));
  EXPECT_EQ(bar_.layout().font_button, (Rect{52, 7, 108, 29}));
  EXPECT_EQ(bar_.layout().current_color, (Rect{178, 6, 200, 28}));
  EXPECT_EQ(bar_.layout().swatches[15], (Rect{289, 18, 299, 28}));
  EXPECT_EQ(SendMessageW(h, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
}

TEST_F(TextBarTest, AHeightOf18ShowsFourteenPointsAndTheSizeListOpensThere) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "the sizes are those of 96 dots per inch";
  EXPECT_EQ(bar_.height(), 18);
  EXPECT_EQ(bar_.ShownPointSize(), 14);
  // Another height prints another number; the rest of the bar stays as it was.
  const Image fourteen = Composed();
  bar_.SetHeight(96);
  EXPECT_EQ(bar_.ShownPointSize(), 72);
  const Image seventy_two = Composed();
  const Rect label = textbar::SizeLabelRect(bar_.layout().size_button);
  int changed_in_label = 0, changed_elsewhere = 0;
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 306; ++x) {
      if (fourteen.at(x, y) == seventy_two.at(x, y)) continue;
      (label.Contains(Point{x, y}) ? changed_in_label : changed_elsewhere)++;
    }
  EXPECT_GT(changed_in_label, 10);
  EXPECT_EQ(changed_elsewhere, 0);

  bar_.SetHeight(18);
  Click(bar_.layout().size_button);
  ASSERT_TRUE(SizeListShown());
  EXPECT_EQ(bar_.size_list()->selected_index(), 5) << "14 points";
  // Under the size button.
  RECT list = {};
  GetWindowRect(bar_.size_list()->hwnd(), &list);
  EXPECT_EQ(list.left, kBarX + 7 - 2);
  EXPECT_EQ(list.top, kBarY + 29 - 2);
}

TEST_F(TextBarTest, TheSizeButtonClickedAgainClosesItsListAndOnceMoreOpensIt) {
  Click(bar_.layout().size_button);
  EXPECT_TRUE(SizeListShown());
  Click(bar_.layout().size_button);
  EXPECT_FALSE(SizeListShown());
  Click(bar_.layout().size_button);
  EXPECT_TRUE(SizeListShown());
  // The font button swaps the lists.
  Click(bar_.layout().font_button);
  EXPECT_FALSE(SizeListShown());
  EXPECT_TRUE(bar_.font_list().IsVisible());
  EXPECT_TRUE(bar_.kinds.empty()) << "opening and closing chooses nothing";
}

TEST_F(TextBarTest, AClickOutsideTheFontListClosesItAndOneOnItDoesNot) {
  Click(bar_.layout().font_button);
  ASSERT_TRUE(bar_.font_list().IsVisible());
  // The list's own frame, no row: it stays.
  const POINT frame = OnScreen(bar_.font_list().hwnd(), 0, 0);
  ClickAt(frame.x, frame.y);
  EXPECT_TRUE(bar_.font_list().IsVisible());
  // Anywhere else (the capture area, another window of the thread): it closes.
  ClickAt(900, 600);
  EXPECT_FALSE(bar_.font_list().IsVisible());
  // So does a second click on its button.
  Click(bar_.layout().font_button);
  ASSERT_TRUE(bar_.font_list().IsVisible());
  Click(bar_.layout().font_button);
  EXPECT_FALSE(bar_.font_list().IsVisible());
  EXPECT_TRUE(bar_.kinds.empty());
}

TEST_F(TextBarTest, EveryNotificationCarriesTheWholeFontWithTheBarsStyle) {
  Click(bar_.layout().bold);
  Click(bar_.layout().italic);
  Click(bar_.layout().bold);
  ASSERT_EQ(bar_.kinds, "BIB");
  EXPECT_EQ(bar_.fonts[0].lfWeight, 700);
  EXPECT_EQ(bar_.fonts[0].lfItalic, 0);
  EXPECT_EQ(bar_.fonts[1].lfWeight, 700);
  EXPECT_EQ(bar_.fonts[1].lfItalic, 1);
  EXPECT_EQ(bar_.fonts[2].lfWeight, 400);
  EXPECT_EQ(bar_.fonts[2].lfItalic, 1);
  for (const LOGFONTW& f : bar_.fonts) {
    EXPECT_EQ(f.lfHeight, -18);
    EXPECT_EQ(f.lfWidth, 9);
    EXPECT_EQ(std::wstring(f.lfFaceName), L"Tahoma");
  }
  EXPECT_EQ(bar_.bold(), 0);
  EXPECT_EQ(bar_.italic(), 1);

  // A size from the list: its pixel height, the width half of it rounded down.
  Click(bar_.layout().size_button);
  ASSERT_TRUE(SizeListShown());
  const Rect row = bar_.size_list()->row_rect(0);
  const int first = bar_.size_list()->first_visible();
  const POINT p = OnScreen(bar_.size_list()->hwnd(), row.left + 5, row.top + 5);
  ClickAt(p.x, p.y);
  EXPECT_FALSE(SizeListShown());
  const int px = CHeightComboBox::PixelHeights()[first];
  ASSERT_EQ(bar_.kinds, "BIBH");
  EXPECT_EQ(bar_.fonts[3].lfHeight, -px);
  EXPECT_EQ(bar_.fonts[3].lfWidth, px / 2);
  EXPECT_EQ(bar_.fonts[3].lfItalic, 1);
  EXPECT_EQ(bar_.height(), px);

  // A face from the list: that face, at the bar's height and style (not the list's 18 pixels).
  Click(bar_.layout().font_button);
  ASSERT_TRUE(bar_.font_list().IsVisible());
  ASSERT_GE(bar_.font_list().row_count(), 1);
  const Rect face_row = bar_.font_list().row_rect(0);
  const std::wstring face =
      bar_.font_list().entries()[bar_.font_list().first_visible()].font.lfFaceName;
  const POINT q = OnScreen(bar_.font_list().hwnd(), face_row.left + 5, face_row.top + 5);
  ClickAt(q.x, q.y);
  ASSERT_EQ(bar_.kinds, "BIBHF");
  EXPECT_EQ(std::wstring(bar_.fonts[4].lfFaceName), face);
  EXPECT_EQ(bar_.fonts[4].lfHeight, -px);
  EXPECT_EQ(bar_.fonts[4].lfWeight, 400);
  EXPECT_EQ(bar_.fonts[4].lfItalic, 1);
  LOGFONTW now = {};
  bar_.GetFont(&now);
  EXPECT_EQ(std::wstring(now.lfFaceName), face);
}

TEST_F(TextBarTest, ASwatchShowsItsColourInTheBoxAndIsReported) {
  constexpr uint32_t kDark = 0xFF335B91u;  // RGB(51, 91, 145)
  Click(bar_.layout().swatches[10]);
  ASSERT_EQ(bar_.colors, std::vector<int>{10});
  EXPECT_EQ(bar_.GetColorIndex(), 10);
  testinput::MoveTo(5, 5);  // onto the owner: no swatch hovered
  const Image img = Composed();
  EXPECT_EQ(img.at(189, 17), 0xFFFF0000u) << "the box shows red";
  EXPECT_EQ(img.at(178, 6), 0xFFFF0000u) << "a red box has no frame";
  // The white swatch, neither chosen nor hovered, keeps its dark frame.
  const Rect white = bar_.layout().swatches[8];
  EXPECT_EQ(img.at(white.left, white.top), kDark);
  EXPECT_EQ(img.at(white.left + 5, white.top + 5), 0xFFFFFFFFu);
  // The chosen swatch has the double frame: dark outside, white inside.
  const Rect red = bar_.layout().swatches[10];
  EXPECT_EQ(img.at(red.left, red.top + 4), kDark);
  EXPECT_EQ(img.at(red.left + 1, red.top + 4), 0xFFFFFFFFu);
  EXPECT_EQ(img.at(red.left + 5, red.top + 5), 0xFFFF0000u);

  EXPECT_EQ(bar_.SetColorIndex(16), 10) << "off the palette: ignored";
  EXPECT_EQ(bar_.GetColorIndex(), 10);
  EXPECT_EQ(CTextToolBar::ColorOf(16), 0xFFFFFFFFu);
  EXPECT_EQ(CTextToolBar::ColorOf(10), 0x0000FFu);
  EXPECT_EQ(CTextToolBar::ContrastOf(RGB(230, 230, 230)), 0u);
  EXPECT_EQ(CTextToolBar::ContrastOf(RGB(230, 229, 230)), 0xFFFFFFu);
}

TEST_F(TextBarTest, TooltipsNameTheSizeBoldItalicButtonsAndTheCurrentFace) {
  CreateToolTipWindow();
  CToolTipWindow* tip = GetToolTipWindow();
  ASSERT_TRUE(tip);
  auto tip_over = [&](const Rect& r) {
    const POINT p = Centre(r);
    testinput::MoveTo(p.x, p.y);
    return std::wstring(tip->text() ? tip->text() : L"");
  };
  EXPECT_EQ(tip_over(bar_.layout().size_button), L"字号");
  EXPECT_EQ(tip_over(bar_.layout().bold), L"加粗");
  EXPECT_EQ(tip_over(bar_.layout().italic), L"斜体");
  EXPECT_EQ(tip_over(bar_.layout().font_button), L"Tahoma");
  DestroyToolTipWindow();
}

TEST_F(TextBarTest, DragsByTheGapBeforeTheColourBoxNeverFromAroundTheSwatches) {
  // The gap between the italic toggle and the colour box.
  POINT p = OnScreen(bar_.hwnd(), 171, 17);
  testinput::PressAt(p.x, p.y);
  EXPECT_TRUE(bar_.dragging());
  testinput::MoveTo(p.x + 60, p.y + 40);
  testinput::Release();
  EXPECT_FALSE(bar_.dragging());
  RECT r = WindowRect();
  EXPECT_EQ(r.left, kBarX + 60);
  EXPECT_EQ(r.top, kBarY + 40);

  // Half a swatch left of the block, and the gap between two swatches: no drag.
  for (POINT at : {POINT{200, 17}, POINT{216, 10}}) {
    p = OnScreen(bar_.hwnd(), at.x, at.y);
    testinput::PressAt(p.x, p.y);
    EXPECT_FALSE(bar_.dragging()) << at.x;
    testinput::MoveTo(p.x + 30, p.y + 30);
    testinput::Release();
    r = WindowRect();
    EXPECT_EQ(r.left, kBarX + 60) << at.x;
  }
  EXPECT_TRUE(bar_.colors.empty()) << "a press between swatches chooses nothing";
}

}  // namespace
