// CMagnifierWindow: the magnifier's window, its picture and where it goes.
#include "screenshot/capture/CMagnifierWindow.h"

#include <cstdio>
#include <string>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/capture/magnifier_picture.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace {

const wchar_t kMagnifierClass[] = L"cv_screen_snapshot_64A7509A-4E98-4b5f-9BE9-7312A51A3C1A";

// A string resource used as a printf format.
std::wstring LoadText(UINT id) {
  wchar_t buf[128] = {};
  ::LoadStringW(CWindowBase::Module().resource_instance, id, buf, 128);
  return buf;
}

// The view of a 32-bit top-down surface's pixels.
PixelView ViewOf(const LayeredSurface& s) {
  return PixelView{reinterpret_cast<uint32_t*>(s.top_row()), s.row_step() / 4, s.width(),
                   s.height()};
}

// The two text lines, white on black in the image set's small font, into the strip surface.
void DrawStripText(LayeredSurface& strip, int width, int height, Rgb colour) {
  SurfaceDC dc(strip);
  if (!dc.get()) return;
  ScopedSelectObject font(dc.get(), SharedImages().small_font());
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), RGB(255, 255, 255));
  wchar_t line[128];
  std::swprintf(line, 128, LoadText(IDS_MAGNIFIER_SIZE).c_str(), width, height);
  RECT rc = {7, 3, kMagnifierSize, kMagnifierStripHeight};
  ::DrawTextW(dc.get(), line, -1, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  const int line_height = rc.bottom - rc.top;
  rc = RECT{7, 3, kMagnifierSize, kMagnifierStripHeight};
  ::DrawTextW(dc.get(), line, -1, &rc, DT_SINGLELINE | DT_NOPREFIX);
  std::swprintf(line, 128, LoadText(IDS_MAGNIFIER_RGB).c_str(), colour.r, colour.g, colour.b);
  rc = RECT{8, 3 + line_height, kMagnifierSize, kMagnifierStripHeight};
  ::DrawTextW(dc.get(), line, -1, &rc, DT_SINGLELINE | DT_NOPREFIX);
  ::GdiFlush();
}

}  // namespace

CMagnifierWindow::~CMagnifierWindow() { Destroy(); }

bool CMagnifierWindow::Create(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kMagnifierClass;
  class_ = ::RegisterClassExW(&wc);
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  HWND window = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMagnifierClass,
                                  nullptr, WS_POPUP | WS_VISIBLE, cursor.x + kMagnifierOffset,
                                  cursor.y + kMagnifierOffset, kMagnifierSize, kMagnifierSize,
                                  owner, nullptr, instance, nullptr);
  if (!window) {
    diag::Log(diag::kLogError, L"CreateWindowEx [magnifier] Failed [%08X]", ::GetLastError());
    return false;
  }
  Attach(window);
  return true;
}

void CMagnifierWindow::Destroy() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (class_) ::UnregisterClassW(kMagnifierClass, instance_);
  class_ = 0;
}

void CMagnifierWindow::Hide() {
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

void CMagnifierWindow::Show(const PixelView& frozen, Point origin, Point pointer, int width,
                            int height) {
  if (!m_hWnd) return;
  const Point screen = {pointer.x + origin.x, pointer.y + origin.y};
  const Point at =
      MagnifierPosition(screen, origin, MonitorRectAt(screen), frozen.width, frozen.height);
  LayeredSurface picture, strip;
  if (!picture.Create(kMagnifierSize, -kMagnifierSize) ||
      !strip.Create(kMagnifierSize, -kMagnifierStripHeight))
    return;
  DrawMagnifierZoom(ViewOf(picture), frozen, pointer);
  DrawStripText(strip, width, height, ColourUnderPointer(frozen, pointer));
  ComposeMagnifierStrip(ViewOf(picture), ViewOf(strip));

  ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (!PresentLayeredAt(m_hWnd, picture, POINT{at.x, at.y}))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [magnifier] Failed [%08X]", ::GetLastError());
}
