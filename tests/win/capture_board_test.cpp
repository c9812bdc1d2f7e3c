// The capture window with its annotation board: a drawing tool's first stroke attaches the board
// (cursor 175 until then), drawings show over the selection, the tool bar's undo follows the
// board, the copy carries the drawings, select and the Delete key remove a shape, a right click
// opens one menu and keeps the drawings, and reselecting frees them.
#include <gtest/gtest.h>

#include "resource.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/SettingsStore.h"
#include "screenshot/ui/ImageSet.h"
#include "win/support/test_capture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

class CaptureBoard : public testcapture::CaptureTest {
 protected:
  void SetUp() override {
    EngineModuleTest::SetUp();
    // The ellipse's pen comes from the settings: blue, 5 pixels.
    SettingsStore& settings = SettingsStore::Instance();
    saved_color_ = settings.GetColorIndex(L"ColorTbEllipse");
    saved_width_ = settings.GetPenWidthIndex(L"ColorTbEllipse");
    settings.SetColorIndex(L"ColorTbEllipse", 13);
    settings.SetPenWidthIndex(L"ColorTbEllipse", 1);
    objects_before_ = ObjectCore::LiveCount();
    ASSERT_NO_FATAL_FAILURE(StartCapture(Rect{100, 100, 400, 300}));
  }
  void TearDown() override {
    EndCapture();
    SettingsStore::Instance().SetColorIndex(L"ColorTbEllipse", saved_color_);
    SettingsStore::Instance().SetPenWidthIndex(L"ColorTbEllipse", saved_width_);
  }

  // What the overlay shows at (x, y) of the capture, and the frozen desktop's pixel there.
  uint32_t Shown(int x, int y) const { return tool_->overlay_pixels().At(x, y); }
  uint32_t Frozen(int x, int y) const {
    const PixelView f = tool_->FinalPixels();  // the selection's frozen pixels before a finish
    return f.At(x - 100, y - 100) | 0xFF000000u;
  }
  bool Enabled(UINT id) const {
    const InplaceButton* b = tool_->main_toolbar().button_manager().FindButton(id);
    return b && !(b->style & WS_DISABLED);
  }
  HCURSOR CursorAt(int x, int y) {
    SetCursorPos(origin_.x + x, origin_.y + y);
    SendMessageW(overlay_, WM_SETCURSOR, reinterpret_cast<WPARAM>(overlay_),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }

  int saved_color_ = 0, saved_width_ = 0;
  int32_t objects_before_ = 0;
};

TEST_F(CaptureBoard, TheFirstStrokeOfADrawingToolAttachesTheBoardAndDraws) {
  Command(ID_TOOLBAR_RECTANGLE);
  EXPECT_FALSE(tool_->board_attached());
  EXPECT_EQ(CursorAt(250, 200), SharedImages().tool_cursor());
  EXPECT_NE(CursorAt(50, 50), SharedImages().tool_cursor());
  EXPECT_FALSE(Enabled(ID_TOOLBAR_UNDO));
  Drag(150, 150, 250, 220);
  ASSERT_TRUE(tool_->board_attached());
  // The rectangle's pen as the settings keep it (red, 2 pixels), on the overlay.
  EXPECT_EQ(Shown(150, 185), kRed);
  EXPECT_EQ(Shown(200, 220), kRed);
  EXPECT_EQ(Shown(200, 185), Frozen(200, 185));
  EXPECT_TRUE(Enabled(ID_TOOLBAR_UNDO));
  EXPECT_EQ(CursorAt(250, 200), SharedImages().tool_cursor()) << "the board's cross";
  // The selection no longer moves: presses inside belong to the board.
  Drag(300, 250, 350, 280);
  EXPECT_EQ(tool_->GetSelection(), (Rect{100, 100, 400, 300}));
  EXPECT_EQ(tool_->board().first_object()->next->rect, (Rect{200, 150, 250, 180}));
  // A tool from the menu draws at once, with its own pen from the settings (blue, 5 pixels).
  tool_->OnMenuCommand(ID_MENU_ELLIPSE);
  EXPECT_EQ(tool_->current_tool(), 2);
  Drag(120, 230, 380, 290);  // centre (250, 260)
  EXPECT_EQ(Shown(250, 230), kBlue);
  EXPECT_EQ(Shown(250, 232), kBlue);
}

TEST_F(CaptureBoard, UndoFromTheToolBarTakesTheLastShapeAwayAndRedoBringsItBack) {
  Command(ID_TOOLBAR_ARROW);
  Drag(120, 120, 380, 120);
  Command(ID_TOOLBAR_BRUSH);
  Drag(120, 200, 380, 260);
  EXPECT_EQ(Shown(250, 230), kRed);  // the stroke's middle
  Command(ID_TOOLBAR_UNDO);
  EXPECT_EQ(Shown(250, 230), Frozen(250, 230));
  EXPECT_EQ(Shown(200, 120), kRed) << "the arrow stays";
  EXPECT_TRUE(Enabled(ID_TOOLBAR_UNDO));
  Command(ID_TOOLBAR_UNDO);
  EXPECT_EQ(Shown(200, 120), Frozen(200, 120));
  EXPECT_FALSE(Enabled(ID_TOOLBAR_UNDO)) << "greyed once nothing can be undone";
  Command(ID_TOOLBAR_REDO);
  EXPECT_EQ(Shown(200, 120), kRed);
  EXPECT_TRUE(Enabled(ID_TOOLBAR_UNDO));
  Command(ID_TOOLBAR_REDO);
  EXPECT_EQ(Shown(250, 230), kRed);
}

TEST_F(CaptureBoard, CopyCarriesTheDrawingsOverTheFrozenPixels) {
  Command(ID_TOOLBAR_RECTANGLE);
  Drag(150, 150, 250, 220);
  const uint32_t inside = Frozen(200, 185), outside_shape = Frozen(300, 280);
  Command(ID_TOOLBAR_COPY);
  ASSERT_NE(tool_->GetComposedImage(), nullptr);
  const PixelView final_pixels = tool_->FinalPixels();
  ASSERT_EQ(final_pixels.width, 300);
  ASSERT_EQ(final_pixels.height, 200);
  EXPECT_EQ(final_pixels.At(50, 85) & 0xFFFFFF, kRed & 0xFFFFFF);    // (150, 185)
  EXPECT_EQ(final_pixels.At(100, 120) & 0xFFFFFF, kRed & 0xFFFFFF);  // (200, 220)
  EXPECT_EQ(final_pixels.At(100, 85) & 0xFFFFFF, inside & 0xFFFFFF);
  EXPECT_EQ(final_pixels.At(200, 180) & 0xFFFFFF, outside_shape & 0xFFFFFF);
  EXPECT_EQ(tool_->Finish(), CScreenSnapshotTool::kOutcomeCopy);
  EXPECT_EQ(tool_->FinalPixels().top_row, final_pixels.top_row) << "kept after teardown";
}

TEST_F(CaptureBoard, WithNothingLeftDrawnTheCopyIsTheFrozenPixelsThemselves) {
  Command(ID_TOOLBAR_RECTANGLE);
  Drag(150, 150, 250, 220);
  Command(ID_TOOLBAR_UNDO);
  const uint32_t* frozen_row = tool_->FinalPixels().top_row;
  Command(ID_TOOLBAR_COPY);
  EXPECT_EQ(tool_->GetComposedImage(), nullptr);
  EXPECT_EQ(tool_->FinalPixels().top_row, frozen_row);
}

TEST_F(CaptureBoard, SelectThenTheDeleteKeyRemovesTheSelectedShape) {
  Command(ID_TOOLBAR_RECTANGLE);
  Drag(150, 150, 250, 220);
  Drag(270, 150, 370, 220);
  SendMessageW(overlay_, WM_HOTKEY, CScreenSnapshotTool::kHotKeyDelete, MAKELPARAM(0, VK_DELETE));
  EXPECT_EQ(Shown(270, 185), kRed) << "a drawing tool deletes only from its menu";
  Command(ID_TOOLBAR_SELECT);
  EXPECT_EQ(tool_->current_tool(), 6);
  ASSERT_NE(tool_->board().selected(), nullptr);
  SendMessageW(overlay_, WM_HOTKEY, CScreenSnapshotTool::kHotKeyDelete, MAKELPARAM(0, VK_DELETE));
  EXPECT_EQ(tool_->board().selected(), nullptr);
  EXPECT_EQ(Shown(270, 185), Frozen(270, 185));
  EXPECT_EQ(Shown(150, 185), kRed);
  Command(ID_TOOLBAR_UNDO);
  EXPECT_EQ(Shown(270, 185), kRed);
}

TEST_F(CaptureBoard, ARightClickOpensOneMenuAndNeverThrowsTheDrawingsAway) {
  Command(ID_TOOLBAR_RECTANGLE);
  Drag(150, 150, 250, 220);
  // Esc, waiting in the queue, closes the menu as soon as it runs.
  PostMessageW(overlay_, WM_HOTKEY, CScreenSnapshotTool::kHotKeyEsc, MAKELPARAM(0, VK_ESCAPE));
  SendMessageW(overlay_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(600, 500));  // outside
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, overlay_, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE))
      << "the menu ran and took the Esc";
  SendMessageW(overlay_, WM_RBUTTONUP, 0, MAKELPARAM(600, 500));
  EXPECT_EQ(tool_->GetSelection(), (Rect{100, 100, 400, 300}));
  EXPECT_TRUE(tool_->board_attached());
  EXPECT_EQ(Shown(150, 185), kRed);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(CaptureBoard, ReselectFreesEveryDrawingAndGreysUndo) {
  Command(ID_TOOLBAR_ELLIPSE);
  for (int i = 0; i < 3; ++i) Drag(120 + 80 * i, 120, 180 + 80 * i, 200);
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_ + 3);
  tool_->OnMenuCommand(ID_MENU_RESELECT);
  EXPECT_FALSE(tool_->board_attached());
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_);
  EXPECT_FALSE(Enabled(ID_TOOLBAR_UNDO));
  EXPECT_TRUE(tool_->GetSelection().IsEmpty());
  // Hunting again: a new drag makes a new selection.
  Drag(200, 200, 300, 260);
  EXPECT_EQ(tool_->GetSelection(), (Rect{200, 200, 300, 260}));
}

}  // namespace
