// The capture window with its colour bar: a shape tool brings the bar under the main tool bar
// filled with that tool's pen, its button clicked again toggles it, the menu places it by its own
// rule; widths and colours reach the next shape, the settings store and (in select mode) the
// selected shape as one undo step; the bar follows the selected shape and the tool bars' show
// and hide command.
#include <gtest/gtest.h>

#include "resource.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/SettingsStore.h"
#include "win/support/test_capture.h"

namespace {

const wchar_t* const kSections[] = {L"ColorTbRectangle", L"ColorTbEllipse", L"ColorTbArrow",
                                    L"ColorTbPolyline"};
constexpr int kBarW = 213, kBarH = 34, kToolbarW = 283, kToolbarH = 30;

class CaptureColorBar : public testcapture::CaptureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    SettingsStore& settings = SettingsStore::Instance();
    for (int i = 0; i < 4; ++i) {
      saved_[i][0] = settings.GetColorIndex(kSections[i]);
      saved_[i][1] = settings.GetPenWidthIndex(kSections[i]);
      settings.SetColorIndex(kSections[i], 10);
      settings.SetPenWidthIndex(kSections[i], 0);
    }
    // The arrow remembers blue and the middle width from an earlier capture.
    settings.SetColorIndex(L"ColorTbArrow", 13);
    settings.SetPenWidthIndex(L"ColorTbArrow", 1);
    ASSERT_NO_FATAL_FAILURE(StartCapture(Rect{100, 100, 400, 300}));
    bar_ = tool_->color_bar().hwnd();
    ASSERT_TRUE(bar_);
  }
  void TearDown() override {
    EndCapture([this] {
      EXPECT_EQ(tool_->color_bar().hwnd(), nullptr) << "destroyed at the end of the capture";
    });
    SettingsStore& settings = SettingsStore::Instance();
    for (int i = 0; i < 4; ++i) {
      settings.SetColorIndex(kSections[i], saved_[i][0]);
      settings.SetPenWidthIndex(kSections[i], saved_[i][1]);
    }
  }

  // A click on the bar's button `id` as the button manager reports it.
  void Choose(UINT id) { SendMessageW(bar_, WM_COMMAND, id, 0); }
  bool BarShown() const { return IsWindowVisible(bar_) != FALSE; }
  POINT BarAt() const {
    RECT r = {};
    GetWindowRect(bar_, &r);
    EXPECT_EQ(r.right - r.left, kBarW);
    EXPECT_EQ(r.bottom - r.top, kBarH);
    return POINT{r.left - origin_.x, r.top - origin_.y};  // capture coordinates
  }
  // The bar's colour and width indexes as one number: colour * 10 + width.
  int BarStyle() const {
    return tool_->color_bar().GetColorIndex() * 10 + tool_->color_bar().GetWidthIndex();
  }
  CScrawlBoard::CPenObject* Last() const {
    auto* o = tool_->board().first_object();
    while (o && o->next) o = static_cast<CScrawlBoard::CObjectBase*>(o->next);
    return static_cast<CScrawlBoard::CPenObject*>(o);
  }
  int Records() const {
    int n = 0;
    for (auto* r = tool_->board().first_record(); r; r = r->newer()) ++n;
    return n;
  }

  int saved_[4][2] = {};
  HWND bar_ = nullptr;
};

TEST_F(CaptureColorBar, AShapeToolShowsItsPenUnderTheToolBarAndItsButtonToggles) {
  EXPECT_FALSE(BarShown()) << "hidden until a shape tool is chosen";
  // The main tool bar sits right-aligned 5 pixels under the selection: (117, 305).
  Command(ID_TOOLBAR_ARROW);
  ASSERT_TRUE(BarShown());
  EXPECT_EQ(BarAt().x, 400 - kToolbarW);
  EXPECT_EQ(BarAt().y, 305 + kToolbarH + 3);
  EXPECT_EQ(BarStyle(), 131) << "the arrow's blue, middle width";
  EXPECT_EQ(tool_->board().GetPenColor(), 0xFF0000u);
  EXPECT_EQ(tool_->board().GetPenWidth(), 5);
  // Above the main tool bar and the overlay.
  HWND w = bar_;
  while (w && w != tool_->main_toolbar().hwnd()) w = GetWindow(w, GW_HWNDNEXT);
  EXPECT_TRUE(w) << "the colour bar is stacked above the main tool bar";

  Command(ID_TOOLBAR_ARROW);
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(tool_->current_tool(), 3) << "the tool stays chosen";
  Command(ID_TOOLBAR_ARROW);
  EXPECT_TRUE(BarShown());
  // Another shape tool: the bar stays where it is, with that tool's pen.
  SetWindowPos(bar_, nullptr, origin_.x + 600, origin_.y + 500, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Command(ID_TOOLBAR_RECTANGLE);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarAt().x, 600);
  EXPECT_EQ(BarStyle(), 100);
  EXPECT_EQ(tool_->board().GetPenColor(), 0x0000FFu);
  EXPECT_EQ(tool_->board().GetPenWidth(), 2);
  // Mosaic and text have no pen: the bar goes.
  Command(ID_TOOLBAR_MOSAIC);
  EXPECT_FALSE(BarShown());
  Command(ID_TOOLBAR_BRUSH);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarAt().y, 305 + kToolbarH + 3) << "placed again, the bar was hidden";
  Command(ID_TOOLBAR_TEXT);
  EXPECT_FALSE(BarShown());
}

TEST_F(CaptureColorBar, FromTheMenuAHiddenBarIsPlacedByTheMenusRule) {
  // With the tool bars hidden by the user: right-aligned under the selection, 3 pixels below.
  tool_->OnMenuCommand(ID_MENU_TOOLBAR);
  tool_->OnMenuCommand(ID_MENU_ELLIPSE);
  ASSERT_TRUE(BarShown());
  EXPECT_EQ(BarAt().x, 400 - kBarW);
  EXPECT_EQ(BarAt().y, 303);
  EXPECT_EQ(tool_->current_tool(), 2);
  // Chosen again from the menu it stays shown where it is (no toggle from the menu).
  tool_->OnMenuCommand(ID_MENU_ELLIPSE);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarAt().y, 303);
  // Showing the tool bars brings the bar back next to the main tool bar.
  tool_->OnMenuCommand(ID_MENU_TOOLBAR);  // shown
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarAt().x, 400 - kToolbarW);
  EXPECT_EQ(BarAt().y, 305 + kToolbarH + 3);
  tool_->OnMenuCommand(ID_MENU_TOOLBAR);  // hidden, the colour bar with it
  EXPECT_FALSE(BarShown());
  EXPECT_FALSE(IsWindowVisible(tool_->main_toolbar().hwnd()));
}

TEST_F(CaptureColorBar, WidthAndColourReachTheNextShapeAndTheToolsSettings) {
  Command(ID_TOOLBAR_ELLIPSE);
  Choose(1021);  // 8 pixels
  Choose(1005);  // green
  EXPECT_EQ(BarStyle(), 42);
  EXPECT_EQ(tool_->board().GetPenWidth(), 8);
  EXPECT_EQ(tool_->board().GetPenColor(), 0x008000u);
  Drag(120, 150, 380, 280);
  ASSERT_TRUE(tool_->board_attached());
  CScrawlBoard::CPenObject* ellipse = Last();
  ASSERT_TRUE(ellipse);
  EXPECT_EQ(ellipse->kind, kObjectEllipse);
  EXPECT_EQ(ellipse->width, 8);
  EXPECT_EQ(ellipse->color, 0xFF008000u);
  // Kept for the ellipse alone, in the capture and in the settings.
  const SettingsStore& settings = SettingsStore::Instance();
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbEllipse"), 2);
  EXPECT_EQ(settings.GetColorIndex(L"ColorTbEllipse"), 4);
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbRectangle"), 0);
  EXPECT_EQ(settings.GetColorIndex(L"ColorTbRectangle"), 10);
  EXPECT_EQ(tool_->pen_style(2), (PenSlot{4, 2, 0}));
  // The rectangle has its own pen; the ellipse's comes back with it.
  Command(ID_TOOLBAR_RECTANGLE);
  EXPECT_EQ(BarStyle(), 100);
  Drag(150, 120, 200, 160);
  EXPECT_EQ(Last()->width, 2);
  EXPECT_EQ(Last()->color, 0xFFFF0000u);
  tool_->OnMenuCommand(ID_MENU_ELLIPSE);
  EXPECT_EQ(BarStyle(), 42);
  EXPECT_EQ(tool_->board().GetPenWidth(), 8);
  // A new drawing takes no undo step for a style choice.
  const int records = Records();
  Choose(1020);
  EXPECT_EQ(Records(), records);
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbEllipse"), 1);
  // A dash style (no control of the bar offers one) reaches the next shape and the tool's slot.
  tool_->OnDashStyleChanged(1);
  Drag(130, 130, 170, 170);
  EXPECT_EQ(Last()->dash, 1);
  EXPECT_EQ(Last()->width, 5);
  EXPECT_EQ(tool_->pen_style(2), (PenSlot{4, 1, 1}));
}

TEST_F(CaptureColorBar, InSelectModeTheSelectedShapeIsRestyledAsOneUndoStep) {
  Command(ID_TOOLBAR_RECTANGLE);
  Drag(150, 150, 250, 220);
  Command(ID_TOOLBAR_ARROW);  // blue, 5 pixels
  Drag(120, 280, 380, 280);
  Command(ID_TOOLBAR_ARROW);  // the arrow's bar hidden
  ASSERT_FALSE(BarShown());
  auto* rect = static_cast<CScrawlBoard::CPenObject*>(tool_->board().first_object());
  auto* arrow = Last();
  ASSERT_NE(rect, arrow);
  // Select mode starts at the newest shape, and the bar shows its pen (shown again).
  Command(ID_TOOLBAR_SELECT);
  ASSERT_EQ(tool_->board().selected(), arrow);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarStyle(), 131);
  const int records = Records();
  Choose(1005);  // green
  EXPECT_EQ(arrow->color, 0xFF008000u);
  EXPECT_EQ(rect->color, 0xFFFF0000u);
  EXPECT_EQ(Records(), records + 1);
  EXPECT_TRUE(dynamic_cast<CScrawlBoard::CRecordSetColor*>(tool_->board().current_record()));
  // The arrow's settings take it, the rectangle's keep theirs.
  const SettingsStore& settings = SettingsStore::Instance();
  EXPECT_EQ(settings.GetColorIndex(L"ColorTbArrow"), 4);
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbArrow"), 1);
  EXPECT_EQ(settings.GetColorIndex(L"ColorTbRectangle"), 10);
  // Undo puts the colour back, and the bar shows it.
  Command(ID_TOOLBAR_UNDO);
  EXPECT_EQ(arrow->color, 0xFF0000FFu);
  EXPECT_EQ(BarStyle(), 131);
  // The next shape, wrapping round to the oldest: the rectangle, its pen on the bar; a width
  // chosen now is the rectangle's.
  Command(ID_TOOLBAR_SELECT);
  ASSERT_EQ(tool_->board().selected(), rect);
  EXPECT_EQ(BarStyle(), 100);
  Choose(1021);
  EXPECT_EQ(rect->width, 8);
  EXPECT_EQ(arrow->width, 5);
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbRectangle"), 2);
  EXPECT_EQ(settings.GetPenWidthIndex(L"ColorTbArrow"), 1);
  EXPECT_EQ(Records(), records + 1) << "the undone colour change gives way to it";
  EXPECT_TRUE(dynamic_cast<CScrawlBoard::CRecordSetPenWidth*>(tool_->board().current_record()));
  // A width the bar does not offer shows as the nearest one it does.
  tool_->board().SetPenWidth(4);
  Command(ID_TOOLBAR_SELECT);  // the arrow
  Command(ID_TOOLBAR_SELECT);  // the rectangle again, 4 pixels wide now
  EXPECT_EQ(rect->width, 4);
  EXPECT_EQ(tool_->color_bar().GetWidthIndex(), 1);
  tool_->board().SetPenWidth(6);
  Command(ID_TOOLBAR_SELECT);
  Command(ID_TOOLBAR_SELECT);
  EXPECT_EQ(tool_->color_bar().GetWidthIndex(), 2);
}

TEST_F(CaptureColorBar, NewSelectionsAndReselectTakeTheBarAway) {
  Command(ID_TOOLBAR_RECTANGLE);
  ASSERT_TRUE(BarShown());
  // Adjusting the selection before the first stroke hides every bar; the tool's button brings
  // its bar back next to the tool bar's new place.
  Drag(400, 300, 500, 400);  // the bottom-right corner
  EXPECT_FALSE(BarShown());
  EXPECT_TRUE(IsWindowVisible(tool_->main_toolbar().hwnd()));
  Command(ID_TOOLBAR_RECTANGLE);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(BarAt().x, 500 - kToolbarW);
  EXPECT_EQ(BarAt().y, 405 + kToolbarH + 3);
  tool_->OnMenuCommand(ID_MENU_RESELECT);
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(tool_->current_tool(), 0);
}

TEST_F(CaptureColorBar, FinishingHidesTheBar) {
  Command(ID_TOOLBAR_BRUSH);
  ASSERT_TRUE(BarShown());
  Command(ID_TOOLBAR_COPY);
  EXPECT_FALSE(BarShown());
}

}  // namespace
