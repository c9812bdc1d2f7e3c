// BarDrag: moving a floating bar by its background with the mouse.
#include "screenshot/ui/BarDrag.h"

#include <windowsx.h>

#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/toolbar_logic.h"

void BarDrag::Begin(HWND window, POINT cursor) {
  origin_ = cursor;
  ::GetWindowRect(window, &window_rect_);
  ::SetCapture(window);
  active_ = true;
}

void BarDrag::MoveTo(HWND window, POINT cursor) const {
  if (!active_) return;
  const Point pos = toolbar::DragPosition(FromPOINT(cursor), FromPOINT(origin_),
                                          {window_rect_.left, window_rect_.top});
  RECT now;
  if (!::GetWindowRect(window, &now)) return;
  const Size bar = {now.right - now.left, now.bottom - now.top};
  const Size screen = {::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const Point kept = toolbar::KeepOnMonitor(pos, bar, screen, MonitorRectAt(FromPOINT(cursor)));
  ::SetWindowPos(window, nullptr, kept.x, kept.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool BarDrag::End(HWND window) {
  if (!active_) return false;
  active_ = false;
  if (::GetCapture() == window) ::ReleaseCapture();
  return true;
}

bool BarDrag::Abandon() {
  if (!active_) return false;
  active_ = false;
  return true;
}

BOOL BarDrag::ProcessMessage(HWND hWnd, UINT uMsg, WPARAM, LPARAM lParam, LRESULT& lResult, DWORD) {
  bool mine = false;
  if (uMsg == WM_MOUSEMOVE && active_) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(hWnd, &pt);
    MoveTo(hWnd, pt);
    mine = true;
  } else if (uMsg == WM_LBUTTONUP) {
    mine = End(hWnd);
  } else if (uMsg == WM_CAPTURECHANGED) {
    mine = Abandon();
  }
  if (mine) lResult = 0;
  return mine ? TRUE : FALSE;
}
