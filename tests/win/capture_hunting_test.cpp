// The capture window while hunting and dragging: the overlay is presented only when the highlight
// moves to another window, a drag ends cleanly when another window takes the mouse or the user
// reselects, and the text caret's old place is presented with its new one.
#include <gtest/gtest.h>

#include "resource.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "win/support/test_pictures.h"

namespace {

// Plain visible pop-ups made before the capture starts, so that its window snapshot holds them.
class TestWindow {
 public:
  TestWindow(int x, int y, int w, int h) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"LumettaHuntingTestWindow";
    RegisterClassW(&wc);  // a second registration fails harmlessly
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, nullptr, WS_POPUP | WS_VISIBLE, x, y, w, h,
                            nullptr, nullptr, nullptr, nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

class CaptureHunting : public testpictures::EngineModuleTest {
 protected:
  void SetUp() override {
    EngineModuleTest::SetUp();
    origin_ = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
    a_ = std::make_unique<TestWindow>(origin_.x + 100, origin_.y + 100, 300, 200);
    b_ = std::make_unique<TestWindow>(origin_.x + 500, origin_.y + 150, 200, 200);
    testpictures::Pump(50);
    tool_ = new CScreenSnapshotTool;
    ASSERT_TRUE(tool_->Create(engine()));
    overlay_ = tool_->overlay_window();
  }
  void TearDown() override {
    if (tool_) {
      tool_->Finish();
      tool_->Release();
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // The pointer moves to (x, y) of the capture and the message loop's after-move step runs.
  void Hover(int x, int y) {
    SetCursorPos(origin_.x + x, origin_.y + y);
    tool_->UpdateMagnifier();
  }
  void Send(UINT msg, int x, int y) {
    SendMessageW(overlay_, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }

  POINT origin_ = {};
  std::unique_ptr<TestWindow> a_, b_;
  CScreenSnapshotTool* tool_ = nullptr;
  HWND overlay_ = nullptr;
};

TEST_F(CaptureHunting, OverlayIsPresentedOnlyWhenTheHighlightMovesToAnotherWindow) {
  Hover(150, 150);
  const unsigned first = tool_->present_count();
  // The highlight of window a: punched and framed.
  EXPECT_EQ(tool_->overlay_pixels().At(200, 200), 0x04000000u);
  EXPECT_EQ(tool_->overlay_pixels().At(98, 150), 0xFF02A9FFu);
  for (int i = 0; i < 50; ++i) Hover(110 + i * 5, 110 + i * 3);  // all inside a
  EXPECT_EQ(tool_->present_count(), first);

  Hover(600, 250);  // window b
  EXPECT_EQ(tool_->present_count(), first + 1);
  // One present covers both: a's old highlight dimmed, b's drawn.
  const Rect both = tool_->last_present();
  EXPECT_TRUE(both.Contains(Point{96, 96}) && both.Contains(Point{703, 353})) << both.left;
  EXPECT_EQ(tool_->overlay_pixels().At(200, 200), 0x60000000u);
  EXPECT_EQ(tool_->overlay_pixels().At(600, 250), 0x04000000u);
  for (int i = 0; i < 20; ++i) Hover(520 + i, 200 + i);
  EXPECT_EQ(tool_->present_count(), first + 1);

  // Off every window (the bare desktop is never highlighted): the highlight stays as it is.
  Hover(1000, 700);
  EXPECT_EQ(tool_->present_count(), first + 1);
  EXPECT_EQ(tool_->overlay_pixels().At(600, 250), 0x04000000u);
  Hover(150, 150);  // back to a
  EXPECT_EQ(tool_->present_count(), first + 2);
}

TEST_F(CaptureHunting, ADragWhoseMouseCaptureIsTakenAwayEndsWhereItWas) {
  Send(WM_LBUTTONDOWN, 100, 100);
  Send(WM_MOUSEMOVE, 200, 150);
  Send(WM_MOUSEMOVE, 300, 250);
  ASSERT_EQ(GetCapture(), overlay_);
  ASSERT_EQ(tool_->GetSelection(), (Rect{100, 100, 300, 250}));

  // Another window grabs the mouse: no button-up ever reaches the overlay.
  SetCapture(a_->hwnd());
  EXPECT_EQ(GetCapture(), a_->hwnd());
  ReleaseCapture();
  // Later moves no longer drag, and the selection is usable: the tool bar is under it.
  Send(WM_MOUSEMOVE, 400, 400);
  EXPECT_EQ(tool_->GetSelection(), (Rect{100, 100, 300, 250}));
  EXPECT_TRUE(IsWindowVisible(tool_->main_toolbar().hwnd()));
  // A new press inside moves it as usual.
  Send(WM_LBUTTONDOWN, 150, 150);
  Send(WM_MOUSEMOVE, 160, 170);
  Send(WM_LBUTTONUP, 160, 170);
  EXPECT_EQ(tool_->GetSelection(), (Rect{110, 120, 310, 270}));
  EXPECT_NE(GetCapture(), overlay_);
}

TEST_F(CaptureHunting, ReselectDuringADragGivesTheMouseBack) {
  Send(WM_LBUTTONDOWN, 100, 100);
  Send(WM_MOUSEMOVE, 300, 250);
  ASSERT_EQ(GetCapture(), overlay_);
  tool_->OnMenuCommand(ID_MENU_RESELECT);
  EXPECT_NE(GetCapture(), overlay_);
  EXPECT_TRUE(tool_->GetSelection().IsEmpty());
  Send(WM_MOUSEMOVE, 350, 300);  // no drag left to continue
  EXPECT_TRUE(tool_->GetSelection().IsEmpty());
  // A fresh drag works.
  Send(WM_LBUTTONDOWN, 10, 10);
  Send(WM_MOUSEMOVE, 60, 40);
  Send(WM_LBUTTONUP, 60, 40);
  EXPECT_EQ(tool_->GetSelection(), (Rect{10, 10, 60, 40}));
}

TEST_F(CaptureHunting, EveryCaretPresentCoversTheOldCaretToo) {
  Send(WM_LBUTTONDOWN, 100, 100);
  Send(WM_MOUSEMOVE, 300, 250);
  Send(WM_LBUTTONUP, 300, 250);
  // A drawing tool's click inside the selection attaches the board.
  tool_->OnToolbarCommand(ID_TOOLBAR_RECTANGLE);
  Send(WM_LBUTTONDOWN, 150, 150);
  Send(WM_LBUTTONUP, 150, 150);
  ASSERT_TRUE(tool_->board_attached());

  RECT first = {10, 5, 12, 25};  // board coordinates
  tool_->OnCaretChanged(&first, true);
  EXPECT_EQ(tool_->last_present(), (Rect{110, 105, 112, 125}));
  RECT second = {40, 30, 42, 50};
  tool_->OnCaretChanged(&second, false);
  EXPECT_EQ(tool_->last_present(), (Rect{110, 105, 142, 150}));
  // Hiding the caret puts its last place back on screen.
  const unsigned before = tool_->present_count();
  tool_->OnCaretChanged(nullptr, false);
  EXPECT_EQ(tool_->present_count(), before + 1);
  EXPECT_EQ(tool_->last_present(), (Rect{140, 130, 142, 150}));
  // Nothing shown and nothing to show: nothing to present.
  tool_->OnCaretChanged(nullptr, false);
  EXPECT_EQ(tool_->present_count(), before + 1);
}

}  // namespace
