// CToolTipWindow: the engine's one tooltip.
#include "screenshot/ui/CToolTipWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/popup_placement.h"

namespace {

// Room around the text: the panel's margins (5 left and top, 8 right and bottom with the shadow).
constexpr int kTextLeft = 5;
constexpr int kTextTop = 5;
constexpr int kPanelExtra = 13;

CToolTipWindow* g_tooltip = nullptr;

HWND ToHwnd(TipWindow w) { return static_cast<HWND>(const_cast<void*>(w)); }

// A memory device context for measuring text.
class MeasureDC {
 public:
  explicit MeasureDC(HFONT font) : dc_(::CreateCompatibleDC(nullptr)) {
    if (dc_ && font) old_font_ = ::SelectObject(dc_, font);
  }
  ~MeasureDC() {
    if (!dc_) return;
    if (old_font_) ::SelectObject(dc_, old_font_);
    ::DeleteDC(dc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_font_ = nullptr;
};

}  // namespace

bool BlendText(HDC dest, int x, int y, int width, int height, HFONT font, const wchar_t* text,
               int length, UINT format, TextColour colour) {
  if (width <= 0 || height <= 0) return true;  // nothing to draw into
  LayeredSurface surface;
  if (!surface.Create(width, -height)) return false;  // top-down, all black
  {
    SurfaceDC dc(surface);
    if (!dc.get()) return false;
    HGDIOBJ old_font = font ? ::SelectObject(dc.get(), font) : nullptr;
    ::SetTextColor(dc.get(), RGB(255, 255, 255));
    ::SetBkMode(dc.get(), TRANSPARENT);
    RECT rect = {0, 0, width, height};
    ::DrawTextW(dc.get(), text, length, &rect, format);
    if (old_font) ::SelectObject(dc.get(), old_font);
    ::GdiFlush();  // the pixels are read directly below
    for (int row = 0; row < height; ++row)
      CoverageToPremultiplied(surface.top_row() + row * surface.row_step(),
                              static_cast<std::size_t>(width), colour);
    if (!::AlphaBlend(dest, x, y, width, height, dc.get(), 0, 0, width, height,
                      kPremultipliedBlend))
      return false;
  }
  return true;
}

// ---- the process-wide tooltip ------------------------------------------------------------------

CToolTipWindow* GetToolTipWindow() { return g_tooltip; }

void CreateToolTipWindow() {
  if (!g_tooltip) g_tooltip = new CToolTipWindow;
}

void DestroyToolTipWindow() {
  CToolTipWindow* tip = g_tooltip;
  g_tooltip = nullptr;
  if (!tip) return;
  tip->Destroy();
  delete tip;
}

// ---- the window --------------------------------------------------------------------------------

CToolTipWindow::CToolTipWindow() {
  // The picture is stored with straight alpha; blending it per pixel needs it premultiplied.
  background_ = LoadPremultipliedBitmap(module_->resource_instance, IDB_TOOLTIP_BG);
  if (!background_)
    diag::Log(diag::kLogError, L"LoadImage [%u] Failed [%08X]", IDB_TOOLTIP_BG, ::GetLastError());
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfHeight = -12;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  font_ = ::CreateFontIndirectW(&lf);
  if (!font_) diag::Log(diag::kLogError, L"CreateFontIndirect Failed [%08X]", ::GetLastError());
}

CToolTipWindow::~CToolTipWindow() {
  if (m_hWnd) Destroy();
  if (font_) ::DeleteObject(font_);
  if (background_) ::DeleteObject(background_);
}

bool CToolTipWindow::CreateTipWindow() {
  HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"static",
                                nullptr, WS_POPUP | WS_DISABLED | WS_BORDER, 0, 0, 0, 0, nullptr,
                                nullptr, module_->instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [tooltip] Failed [%08X]", ::GetLastError());
    return false;
  }
  Attach(hwnd);
  return true;
}

void CToolTipWindow::Show(HWND owner, const RECT& tool, POINT point_in_owner_client,
                          const wchar_t* text) {
  if (!text || !text[0]) return;
  if (!m_hWnd && !CreateTipWindow()) return;
  machine_.Show(owner, {tool.left, tool.top, tool.right, tool.bottom},
                {point_in_owner_client.x, point_in_owner_client.y}, text);
}

void CToolTipWindow::RelayEvent(const MSG* msg) {
  if (!msg) return;
  TooltipStateMachine::Input input;
  switch (msg->message) {
    case WM_MOUSEMOVE:
      input = TooltipStateMachine::Input::kMove;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      input = TooltipStateMachine::Input::kButton;
      break;
    case WM_MOUSELEAVE:
      input = TooltipStateMachine::Input::kLeave;
      break;
    default:
      return;
  }
  machine_.Relay(input, msg->hwnd, {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
}

void CToolTipWindow::Destroy() {
  machine_.Reset();  // kills the three timers
  if (m_hWnd && !::DestroyWindow(m_hWnd))
    diag::Log(diag::kLogError, L"DestroyWindow [tooltip] Failed [%08X]", ::GetLastError());
}

bool CToolTipWindow::Compose(const wchar_t* text, LayeredSurface& surface) const {
  MeasureDC measure(font_);
  if (!measure.get()) return false;
  RECT extent = {0, 0, 0, 0};
  ::DrawTextW(measure.get(), text, -1, &extent, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  const int text_width = std::max<int>(1, extent.right - extent.left);
  const int text_height = std::max<int>(1, extent.bottom - extent.top);

  if (!surface.Create(text_width + kPanelExtra, text_height + kPanelExtra)) return false;
  SurfaceDC dc(surface);
  if (!dc.get()) return false;
  BitmapSource panel(background_);
  if (panel.ok())
    DrawNineGrid(dc.get(), 0, 0, surface.width(), surface.height(), panel.dc(), 0, 0, 5, 5, 8, 8,
                 panel.width(), panel.height());
  return BlendText(dc.get(), kTextLeft, kTextTop, text_width, text_height, font_, text, -1,
                   DT_NOPREFIX | DT_SINGLELINE, kToolTipTextColour);
}

void CToolTipWindow::ShowAt(const wchar_t* text, POINT pointer) {
  if (!m_hWnd) return;
  LayeredSurface surface;
  if (!Compose(text, surface)) return;
  const Point at = PlaceToolTip(FromPOINT(pointer), surface.width(), surface.height(),
                                MonitorRectAt(FromPOINT(pointer)));
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x, at.y, surface.width(), surface.height(),
                 SWP_NOACTIVATE);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!PresentLayered(m_hWnd, surface))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [tooltip] Failed [%08X]", ::GetLastError());
}

void CToolTipWindow::Hide() {
  if (!m_hWnd) return;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CToolTipWindow::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  bHandled = machine_.OnTimer(static_cast<int>(wParam)) ? TRUE : FALSE;
  return 0;
}

LRESULT CToolTipWindow::OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  if (reinterpret_cast<HWND>(wParam) != m_hWnd) {
    bHandled = FALSE;
    return 0;
  }
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  // The window is disabled, so a click on it arrives only as the message behind WM_SETCURSOR.
  if (HIWORD(lParam) == WM_LBUTTONDOWN) machine_.OnClicked();
  return TRUE;
}

LRESULT CToolTipWindow::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }

// ---- the state machine's host ------------------------------------------------------------------

void CToolTipWindow::Host::StartTimer(int id, int milliseconds) {
  if (!tip_.m_hWnd) return;
  if (!::SetTimer(tip_.m_hWnd, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr))
    diag::Log(diag::kLogError, L"SetTimer [%d] Failed [%08X]", id, ::GetLastError());
}

void CToolTipWindow::Host::StopTimer(int id) {
  if (tip_.m_hWnd) ::KillTimer(tip_.m_hWnd, static_cast<UINT_PTR>(id));
}

TipPointer CToolTipWindow::Host::QueryPointer(TipWindow owner) {
  TipPointer pointer;
  POINT cursor;
  if (!::GetCursorPos(&cursor)) {
    // Without a position nothing can be under the pointer, so nothing counts as on the item.
    return pointer;
  }
  pointer.window = ::WindowFromPoint(cursor);
  pointer.screen = {cursor.x, cursor.y};
  POINT client = cursor;
  if (owner) ::ScreenToClient(ToHwnd(owner), &client);
  pointer.in_owner = {client.x, client.y};
  return pointer;
}

Point CToolTipWindow::Host::OwnerToScreen(TipWindow owner, Point client) {
  POINT p = {client.x, client.y};
  if (owner) ::ClientToScreen(ToHwnd(owner), &p);
  return {p.x, p.y};
}

void CToolTipWindow::Host::ShowText(const wchar_t* text, Point pointer) {
  tip_.ShowAt(text, {pointer.x, pointer.y});
}

void CToolTipWindow::Host::HideText() { tip_.Hide(); }

void CToolTipWindow::Host::TrackLeave(TipWindow owner) {
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, ToHwnd(owner), 0};
  if (!::TrackMouseEvent(&tme))
    diag::Log(diag::kLogError, L"TrackMouseEvent Failed [%08X]", ::GetLastError());
}
