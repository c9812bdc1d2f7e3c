// The backdrop dialog: painting the frozen picture, and handing its input on to the overlay.
#include "screenshot/capture/CBackdropWindow.h"

#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/CreateFromTemplate.h"

namespace {

const UINT kBackdropTemplate = 303;

// The dialog manager's side: nothing to do but accept the initialisation (the window object
// does the rest once attached).
INT_PTR CALLBACK BackdropDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

LRESULT CBackdropWindow::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (picture_) {
    ScopedDC mem(::CreateCompatibleDC(dc));
    ScopedSelectObject selected(mem.get(), picture_);
    const RECT& r = ps.rcPaint;
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem.get(), r.left, r.top,
             SRCCOPY);
  }
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

bool CBackdropWindow::Create(HINSTANCE instance, const Rect& screen) {
  // The template is not visible: the window is attached before it is first erased or painted.
  HWND dialog = CreateFromTemplate(instance, kBackdropTemplate, nullptr, &BackdropDialogProc);
  if (!dialog) {
    diag::Log(diag::kLogError, L"CreateDialog [%u] Failed [%08X]", kBackdropTemplate,
              ::GetLastError());
    return false;
  }
  Attach(dialog);
  ::SetWindowPos(dialog, HWND_TOPMOST, screen.left, screen.top, screen.Width(), screen.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  return true;
}

LRESULT CBackdropWindow::OnKeyDown(UINT msg, WPARAM wp, LPARAM lp, BOOL& bHandled) {
  if (!overlay_) {
    bHandled = FALSE;
    return 0;
  }
  return ::SendMessageW(overlay_, msg, wp, lp);
}

LRESULT CBackdropWindow::OnSetCursor(UINT msg, WPARAM, LPARAM lp, BOOL& bHandled) {
  if (!overlay_) {
    bHandled = FALSE;
    return 0;
  }
  return ::SendMessageW(overlay_, msg, reinterpret_cast<WPARAM>(overlay_), lp);
}

LRESULT CBackdropWindow::OnButton(UINT msg, WPARAM wp, LPARAM lp, BOOL& bHandled) {
  if (!overlay_) {
    bHandled = FALSE;
    return 0;
  }
  POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ::MapWindowPoints(m_hWnd, overlay_, &p, 1);
  return ::SendMessageW(overlay_, msg, wp, MAKELPARAM(p.x, p.y));
}
