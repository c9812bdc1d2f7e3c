// A fixture for the tests of a capture window: the window made from the engine's module, a
// selection dragged out on its overlay, input given to the overlay as a left-button user gives
// it, and the capture ended and released after the test.
#pragma once

#include <windows.h>

#include <functional>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/geometry.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "win/support/test_pictures.h"

namespace testcapture {

class CaptureTest : public testpictures::EngineModuleTest {
 protected:
  // Makes the capture window and drags out |selection| (capture coordinates) on it, with the
  // pointer first put on the selection's far corner so that the bars go to that monitor. Fails
  // the test (fatally) when either does not happen.
  void StartCapture(const Rect& selection) {
    ASSERT_TRUE(gdiplus_.ok());
    origin_ = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
    tool_ = new CScreenSnapshotTool;
    ASSERT_TRUE(tool_->Create(engine()));
    overlay_ = tool_->overlay_window();
    SetCursorPos(origin_.x + selection.right, origin_.y + selection.bottom);
    Drag(selection.left, selection.top, selection.right, selection.bottom);
    ASSERT_EQ(tool_->GetSelection(), selection);
  }
  // Finishes the capture, runs |after_finish| (checks of what the finish left), releases the
  // capture and drops what its commands left queued (their quit messages).
  void EndCapture(const std::function<void()>& after_finish = nullptr) {
    if (tool_) {
      tool_->Finish();
      if (after_finish) after_finish();
      tool_->Release();
      tool_ = nullptr;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // A mouse message at the overlay's client point (x, y), with the left button down but in a
  // release.
  void Send(UINT msg, int x, int y) {
    SendMessageW(overlay_, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  // A left-button drag over the overlay from (x0, y0) to (x1, y1), through their middle.
  void Drag(int x0, int y0, int x1, int y1) {
    Send(WM_LBUTTONDOWN, x0, y0);
    Send(WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2);
    Send(WM_MOUSEMOVE, x1, y1);
    Send(WM_LBUTTONUP, x1, y1);
  }
  // A command of the main tool bar, as the bar reports it.
  void Command(UINT id) { tool_->OnToolbarCommand(id); }

  ScopedGdiplus gdiplus_;
  POINT origin_ = {};  // the virtual screen's top left: capture (0, 0)
  CScreenSnapshotTool* tool_ = nullptr;
  HWND overlay_ = nullptr;
};

}  // namespace testcapture
