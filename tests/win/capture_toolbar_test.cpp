// The capture window with its main tool bar: placed under a new selection, hidden during a drag,
// kept hidden once the user hides it, and its commands reaching the capture window.
#include <gtest/gtest.h>

#include "resource.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "win/support/test_pictures.h"

namespace {

class CaptureToolbar : public testpictures::EngineModuleTest {
 protected:
  void SetUp() override {
    EngineModuleTest::SetUp();
    if (HasFatalFailure()) return;
    tool_ = new CScreenSnapshotTool;
    ASSERT_TRUE(tool_->Create(engine()));
    overlay_ = tool_->overlay_window();
    bar_ = tool_->main_toolbar().hwnd();
    ASSERT_TRUE(bar_);
  }
  void TearDown() override {
    if (tool_) {
      tool_->Finish();
      tool_->Release();
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }  // the quit messages of the commands
  }

  void Drag(int x0, int y0, int x1, int y1) {
    SetCursorPos(x1, y1);  // the monitor for the bar is the one under the pointer
    SendMessageW(overlay_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    SendMessageW(overlay_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x0 + x1) / 2, (y0 + y1) / 2));
    EXPECT_FALSE(IsWindowVisible(bar_)) << "hidden while dragging";
    SendMessageW(overlay_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
    SendMessageW(overlay_, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
  }
  RECT Rect() const {
    RECT r = {};
    GetWindowRect(bar_, &r);
    return r;
  }

  CScreenSnapshotTool* tool_ = nullptr;
  HWND overlay_ = nullptr;
  HWND bar_ = nullptr;
};

TEST_F(CaptureToolbar, ShownUnderTheSelectionAfterADrag) {
  EXPECT_FALSE(IsWindowVisible(bar_));
  Drag(400, 300, 800, 500);
  ASSERT_TRUE(IsWindowVisible(bar_));
  const POINT o = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
  const RECT r = Rect();
  EXPECT_EQ(r.right - r.left, 283);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(r.left, o.x + 800 - 283);
  EXPECT_EQ(r.top, o.y + 505);
  // A new drag hides it and places it again under the new selection.
  Drag(100, 100, 300, 200);
  EXPECT_EQ(Rect().left, o.x + 300 - 283 < o.x ? o.x : o.x + 300 - 283);
  EXPECT_EQ(Rect().top, o.y + 205);
}

TEST_F(CaptureToolbar, ToolCommandsMakeTheirToolCurrentAndExitLeaves) {
  Drag(400, 300, 800, 500);
  SendMessageW(bar_, WM_COMMAND, ID_TOOLBAR_ELLIPSE, 0);
  EXPECT_EQ(tool_->current_tool(), 2);
  tool_->OnMenuCommand(ID_MENU_MOSAIC);
  EXPECT_EQ(tool_->current_tool(), 9);
  // Reselect goes back to hunting with no tool and the bar hidden.
  tool_->OnMenuCommand(ID_MENU_RESELECT);
  EXPECT_EQ(tool_->current_tool(), 0);
  EXPECT_FALSE(IsWindowVisible(bar_));
  EXPECT_TRUE(tool_->GetSelection().IsEmpty());

  Drag(400, 300, 800, 500);
  SendMessageW(bar_, WM_COMMAND, ID_TOOLBAR_EXIT, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_EQ(tool_->Finish(), CScreenSnapshotTool::kOutcomeLeave);
}

TEST_F(CaptureToolbar, CopyCommandComposesTheSelection) {
  Drag(10, 20, 60, 50);
  SendMessageW(bar_, WM_COMMAND, ID_TOOLBAR_COPY, 0);
  EXPECT_FALSE(IsWindowVisible(bar_));
  EXPECT_FALSE(IsWindowVisible(overlay_));
  // The final picture is the frozen desktop's pixels of the selection.
  const PixelView final_pixels = tool_->FinalPixels();
  ASSERT_EQ(final_pixels.width, 50);
  ASSERT_EQ(final_pixels.height, 30);
  EXPECT_EQ(tool_->Finish(), CScreenSnapshotTool::kOutcomeCopy);
  // The same pixels after teardown, when the run function copies them.
  const PixelView after = tool_->FinalPixels();
  EXPECT_EQ(after.top_row, final_pixels.top_row);
  EXPECT_EQ(after.width, 50);
}

TEST_F(CaptureToolbar, HiddenByTheUserStaysHiddenForANewSelection) {
  Drag(400, 300, 800, 500);
  tool_->OnMenuCommand(ID_MENU_TOOLBAR);
  EXPECT_FALSE(IsWindowVisible(bar_));
  EXPECT_TRUE(tool_->main_toolbar().IsHiddenByUser());
  Drag(100, 100, 500, 400);
  EXPECT_FALSE(IsWindowVisible(bar_));
  // Shown again: at the current selection.
  tool_->OnMenuCommand(ID_MENU_TOOLBAR);
  ASSERT_TRUE(IsWindowVisible(bar_));
  EXPECT_EQ(Rect().left, GetSystemMetrics(SM_XVIRTUALSCREEN) + 500 - 283);
}

TEST_F(CaptureToolbar, ExitWithNoSelectionAndEscAreLeave) {
  SendMessageW(overlay_, WM_HOTKEY, 1000, MAKELPARAM(0, VK_ESCAPE));
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_EQ(tool_->Finish(), CScreenSnapshotTool::kOutcomeLeave);
  // Finish and copy with nothing selected or highlighted: nothing to copy, reported as leave.
  tool_->OnToolbarCommand(ID_TOOLBAR_COPY);
  EXPECT_EQ(tool_->GetComposedImage(), nullptr);
  EXPECT_EQ(tool_->Finish(), CScreenSnapshotTool::kOutcomeLeave);
}

}  // namespace
