// The capture window with its text bar: the text tool brings the bar (where the colour bar was)
// filled with the remembered text style, its button clicked again toggles it; the bar's choices
// restyle the board's text (the open box's too, one undo step each) and reach the settings store
// (the colour only while the text tool is current); the colour bar and the text bar move
// together.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/SettingsStore.h"
#include "win/support/test_capture.h"

namespace {

constexpr int kToolbarW = 283, kToolbarH = 30;

class CaptureTextBar : public testcapture::CaptureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    SettingsStore& s = SettingsStore::Instance();
    saved_height_ = s.GetTextHeight();
    saved_face_ = s.GetFaceName();
    saved_bold_ = s.GetBold();
    saved_italic_ = s.GetItalic();
    saved_color_ = s.GetTextColorIndex();
    // An earlier capture left bold blue text of 18 pixels in Tahoma.
    s.SetTextHeight(18);
    s.SetFaceName(L"Tahoma");
    s.SetBold(true);
    s.SetItalic(false);
    s.SetTextColorIndex(13);
    ASSERT_NO_FATAL_FAILURE(StartCapture(Rect{100, 100, 400, 300}));
    bar_ = tool_->text_bar().hwnd();
    ASSERT_TRUE(bar_);
  }
  void TearDown() override {
    EndCapture([this] {
      EXPECT_EQ(tool_->text_bar().hwnd(), nullptr) << "destroyed at the end of the capture";
    });
    SettingsStore& s = SettingsStore::Instance();
    s.SetTextHeight(saved_height_);
    s.SetFaceName(saved_face_.c_str());
    s.SetBold(saved_bold_);
    s.SetItalic(saved_italic_);
    s.SetTextColorIndex(saved_color_);
  }

  // A click on the text bar's button `id` as the button manager reports it.
  void Choose(UINT id) { SendMessageW(bar_, WM_COMMAND, id, 0); }
  bool Shown(HWND w) const { return IsWindowVisible(w) != FALSE; }
  POINT At(HWND w) const {
    RECT r = {};
    GetWindowRect(w, &r);
    return POINT{r.left - origin_.x, r.top - origin_.y};  // capture coordinates
  }

  int saved_height_ = 0, saved_color_ = 0;
  std::wstring saved_face_;
  bool saved_bold_ = false, saved_italic_ = false;
  HWND bar_ = nullptr;
};

TEST_F(CaptureTextBar, TheTextToolShowsTheRememberedStyleUnderTheToolBarAndItsButtonToggles) {
  EXPECT_FALSE(Shown(bar_)) << "hidden until the text tool is chosen";
  Command(ID_TOOLBAR_TEXT);
  ASSERT_TRUE(Shown(bar_));
  EXPECT_EQ(At(bar_).x, 400 - kToolbarW);
  EXPECT_EQ(At(bar_).y, 305 + kToolbarH + 3);
  EXPECT_EQ(tool_->current_tool(), 5);
  CTextToolBar& bar = tool_->text_bar();
  EXPECT_EQ(bar.GetColorIndex(), 13);
  EXPECT_EQ(bar.height(), 18);
  EXPECT_EQ(bar.bold(), 1);
  EXPECT_EQ(bar.italic(), 0);
  // The board writes the next text in that style: bold, 18 pixels, blue with white around it.
  const LOGFONTW font = tool_->board().GetTextFont();
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
  EXPECT_EQ(font.lfHeight, -18);
  EXPECT_EQ(font.lfWidth, 9);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfItalic, 0);
  EXPECT_EQ(tool_->board().GetTextColor(), 0xFF0000u);
  EXPECT_EQ(tool_->board().GetTextSecondColor(), 0xFFFFFFu);

  Command(ID_TOOLBAR_TEXT);
  EXPECT_FALSE(Shown(bar_));
  EXPECT_EQ(tool_->current_tool(), 5) << "the tool stays chosen";
  Command(ID_TOOLBAR_TEXT);
  EXPECT_TRUE(Shown(bar_));

  // A shape tool takes the text bar's place with the colour bar, and the other way round.
  HWND color = tool_->color_bar().hwnd();
  SetWindowPos(bar_, nullptr, origin_.x + 600, origin_.y + 500, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(At(color).x, 600) << "the hidden colour bar follows the text bar";
  Command(ID_TOOLBAR_RECTANGLE);
  EXPECT_FALSE(Shown(bar_));
  EXPECT_TRUE(Shown(color));
  EXPECT_EQ(At(color).x, 600);
  EXPECT_EQ(At(color).y, 500);
  SetWindowPos(color, nullptr, origin_.x + 500, origin_.y + 450, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Command(ID_TOOLBAR_TEXT);
  EXPECT_TRUE(Shown(bar_));
  EXPECT_FALSE(Shown(color));
  EXPECT_EQ(At(bar_).x, 500);
  EXPECT_EQ(At(bar_).y, 450);
  Command(ID_TOOLBAR_MOSAIC);
  EXPECT_FALSE(Shown(bar_));
  EXPECT_FALSE(Shown(color));
}

TEST_F(CaptureTextBar, ChoicesRestyleTheBoardsTextAndAreWrittenToTheSettings) {
  Command(ID_TOOLBAR_TEXT);
  const SettingsStore& s = SettingsStore::Instance();
  Choose(1024);  // italic on
  EXPECT_TRUE(s.GetItalic());
  EXPECT_EQ(tool_->board().GetTextFont().lfItalic, 1);
  EXPECT_EQ(tool_->board().GetTextFont().lfWeight, 700) << "still bold";
  Choose(1023);  // bold off
  EXPECT_FALSE(s.GetBold());
  EXPECT_EQ(tool_->board().GetTextFont().lfWeight, 400);
  Choose(1005);  // green
  EXPECT_EQ(s.GetTextColorIndex(), 4);
  EXPECT_EQ(tool_->board().GetTextColor(), 0x008000u);
  EXPECT_EQ(tool_->text_color_index(), 4);

  // What the lists deliver, as the bar hands it on.
  LOGFONTW face = tool_->board().GetTextFont();
  lstrcpynW(face.lfFaceName, L"Courier New", LF_FACESIZE);
  tool_->OnFontFaceChanged(face);
  EXPECT_EQ(s.GetFaceName(), L"Courier New");
  EXPECT_EQ(std::wstring(tool_->board().GetTextFont().lfFaceName), L"Courier New");
  LOGFONTW tall = face;
  tall.lfHeight = -37;
  tall.lfWidth = 18;
  tool_->OnFontHeightChanged(tall);
  EXPECT_EQ(s.GetTextHeight(), 37);
  EXPECT_EQ(tool_->board().GetTextFont().lfHeight, -37);

  // The style is the text tool's for the rest of the capture: back from another tool, it is
  // what the bar and the board take.
  Command(ID_TOOLBAR_ARROW);
  Command(ID_TOOLBAR_TEXT);
  EXPECT_EQ(tool_->text_bar().GetColorIndex(), 4);
  EXPECT_EQ(tool_->text_bar().height(), 37);
  EXPECT_EQ(tool_->text_bar().italic(), 1);
  EXPECT_EQ(tool_->text_bar().bold(), 0);
  EXPECT_EQ(tool_->board().GetTextFont().lfHeight, -37);
}

TEST_F(CaptureTextBar, AColourChosenWhileAnotherToolIsCurrentIsNotTheTextsColour) {
  Command(ID_TOOLBAR_RECTANGLE);
  Choose(1002);  // the (hidden) text bar's dark red
  EXPECT_EQ(SettingsStore::Instance().GetTextColorIndex(), 13) << "fCr unchanged";
  EXPECT_EQ(tool_->text_color_index(), 13);
  Command(ID_TOOLBAR_TEXT);
  EXPECT_EQ(tool_->text_bar().GetColorIndex(), 13);
  EXPECT_EQ(tool_->board().GetTextColor(), 0xFF0000u);
}

TEST_F(CaptureTextBar, TheOpenBoxTakesAChoiceAtOnceAsOneUndoStep) {
  Command(ID_TOOLBAR_TEXT);
  Send(WM_LBUTTONDOWN, 150, 150);
  Send(WM_LBUTTONUP, 150, 150);
  ASSERT_TRUE(tool_->board().IsTextEditing());
  CScrawlBoard::CInplaceEditBox* box = tool_->board().text_box();
  for (wchar_t c : std::wstring(L"Hello")) SendMessageW(box->edit_window(), WM_CHAR, c, 0);
  ASSERT_EQ(box->font().lfWeight, 700) << "the remembered bold";
  ASSERT_TRUE(tool_->board().CanUndo());
  Choose(1023);  // bold off
  EXPECT_EQ(box->font().lfWeight, 400);
  EXPECT_EQ(box->font().lfHeight, -18);
  tool_->OnToolbarCommand(ID_TOOLBAR_UNDO);
  ASSERT_TRUE(tool_->board().IsTextEditing()) << "undone inside the box";
  EXPECT_EQ(box->font().lfWeight, 700);
  EXPECT_FALSE(SettingsStore::Instance().GetBold()) << "the settings keep the last choice";
}

}  // namespace
