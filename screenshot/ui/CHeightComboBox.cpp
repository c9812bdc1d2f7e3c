// CHeightComboBox: the text bar's drop list of the 16 point sizes.
#include "screenshot/ui/CHeightComboBox.h"

#include <windowsx.h>

#include <cwchar>

#include "screenshot/base/geometry_win.h"
#include "screenshot/base/message_filter.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/drop_list_paint_win.h"
#include "screenshot/ui/layered_paint_win.h"

namespace {

// Filled once per process, by the first list (its last entry is 0 until then).
int g_pixel_heights[kPointSizeCount] = {};

}  // namespace

// ---- the process's sizes -----------------------------------------------------------------------

const int* CHeightComboBox::PixelHeights() {
  if (g_pixel_heights[kPointSizeCount - 1] == 0) {
    ScopedWindowDC screen;
    int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (dpi <= 0) dpi = 96;  // no screen to ask: the system's default
    ComputePixelHeights(dpi, g_pixel_heights);
  }
  return g_pixel_heights;
}

int CHeightComboBox::PointSizeFor(int pixel_height) {
  return PointSizeForPixelHeight(pixel_height, PixelHeights());
}

// ---- nested helpers ----------------------------------------------------------------------------

void CHeightComboBox::CInternalButtonManager::DrawButton(DRAWITEMSTRUCT* dis) {
  if (dis->itemAction != 0) list_.Paint();
}

void CHeightComboBox::CInternalScrollBar::OnPositionChanged(int position) {
  list_.first_visible_ = position;  // the bar repaints the list next
}

BOOL CHeightComboBox::CInternalScrollBar::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam,
                                                               LPARAM lParam, LRESULT& lResult,
                                                               DWORD dwMsgMapID) {
  if (uMsg == WM_PRINTCLIENT) {
    DrawListScrollBar(reinterpret_cast<HDC>(wParam), *this);
    lResult = 0;
    return TRUE;
  }
  return CInplaceScrollBar::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
}

// ---- the list ----------------------------------------------------------------------------------

CHeightComboBox::CHeightComboBox() {
  PixelHeights();
  const LOGFONTW lf = DropListInterfaceFont();
  label_font_.Reset(::CreateFontIndirectW(&lf));
}

CHeightComboBox::~CHeightComboBox() {
  StopFiltering();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void CHeightComboBox::OnHeightSelected(int) {}

bool CHeightComboBox::CreatePopup() {
  HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0,
                                0, 0, 0, owner_, nullptr, module_->instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [size list] Failed [%08X]", ::GetLastError());
    return false;
  }
  Attach(hwnd);
  geometry_ = LayoutSizeList(DropListScrollBarWidth());
  for (int r = 0; r < kSizeListRows; ++r) {
    const Rect& row = geometry_.rows[r];
    rows_[r] =
        btn_mgr_.AddButton(row.left, row.top, row.Width(), row.Height(), kDropListRowCommand + r);
  }
  container_.Attach(hwnd);
  container_.SetInvalidateHandler([this](CInplaceItem*) { Paint(); });
  const Rect& s = geometry_.scroll;
  container_.AddItem(&scroll_bar_, WS_VISIBLE, s.left, s.top, s.Width(), s.Height(), 0);
  scroll_bar_.SetMaximum(kPointSizeCount - 1);
  scroll_bar_.SetPage(kSizeListRows);
  scroll_bar_.SetArrowStep(kSizeListArrowStep);
  return true;
}

bool CHeightComboBox::Open(const RECT& anchor, int point_size) {
  if (!m_hWnd && !CreatePopup()) return false;
  selected_ = PointSizeIndex(point_size);
  first_visible_ = SizeListFirstVisible(selected_);
  scroll_bar_.SetPosition(first_visible_);

  const Rect button = Normalized(FromRECT(anchor));
  const Size size = geometry_.window;
  const Point at =
      PlaceSizeList(button, size, MonitorRectAt({(button.left + button.right) / 2, button.bottom}));
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x, at.y, size.width, size.height, SWP_NOACTIVATE);
  Paint();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  ::SetForegroundWindow(m_hWnd);
  if (!filtering_) filtering_ = AddMessageFilter(this);
  return true;
}

void CHeightComboBox::Hide() {
  StopFiltering();
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CHeightComboBox::IsVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }

void CHeightComboBox::StopFiltering() {
  if (filtering_) RemoveMessageFilter(this);
  filtering_ = false;
}

int CHeightComboBox::FilterMessage(MSG* msg) {
  const UINT m = msg->message;
  const bool press =
      m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDOWN || m == WM_RBUTTONDBLCLK;
  if (press && !container_.IsOwnWindow(msg->hwnd) && IsVisible()) Hide();
  return 0;
}

Rect CHeightComboBox::row_rect(int r) const {
  return r >= 0 && r < kSizeListRows ? geometry_.rows[r] : Rect{};
}

// ---- painting ----------------------------------------------------------------------------------

bool CHeightComboBox::Compose(LayeredSurface& surface) {
  const Size size = geometry_.window;
  if (size.width <= 0 || !surface.Create(size.width, size.height)) return false;
  SurfaceDC dc(surface);
  if (!dc.get()) return false;
  DrawListPanel(dc.get(), size);
  for (int r = 0; r < kSizeListRows && rows_[r]; ++r) {
    const int index = first_visible_ + r;
    if (index >= kPointSizeCount) break;
    const bool selected = index == selected_;
    DrawListRow(dc.get(), geometry_.rows[r], ListRowFrame(btn_mgr_, rows_[r], selected));
    wchar_t label[16];
    std::swprintf(label, 16, L"%d", kPointSizes[index]);
    DrawListText(dc.get(), Grown(geometry_.rows[r], -4, -2, -4, -2), label_font_.get(), label,
                 selected ? kListStrongTextColour : kListTextColour);
  }
  container_.DrawItems(dc.get());
  return true;
}

void CHeightComboBox::Paint() {
  LayeredSurface surface;
  if (!m_hWnd || !Compose(surface)) return;
  if (!PresentLayered(m_hWnd, surface))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [size list] Failed [%08X]", ::GetLastError());
}

// ---- messages ----------------------------------------------------------------------------------

LRESULT CHeightComboBox::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (container_.ProcessMessage(uMsg, wParam, lParam, result)) return result;
  return CWindowBase::DefWindowProc(uMsg, wParam, lParam);
}

LRESULT CHeightComboBox::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }

// A press on a row chooses at once (the font list waits for the click's release).
LRESULT CHeightComboBox::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  for (int r = 0; r < kSizeListRows; ++r) {
    const int index = first_visible_ + r;
    if (!rows_[r] || !::PtInRect(&rows_[r]->rect, pt) || index >= kPointSizeCount) continue;
    Hide();
    OnHeightSelected(PixelHeights()[index]);
    return 0;
  }
  bHandled = FALSE;
  return 0;
}

LRESULT CHeightComboBox::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
  const WheelScroll w =
      ScrollForWheel(first_visible_, GET_WHEEL_DELTA_WPARAM(wParam), scroll_bar_.arrow_step(),
                     scroll_bar_.maximum(), scroll_bar_.page());
  if (!w.applies) return 0;
  first_visible_ = w.first;
  scroll_bar_.SetPosition(w.first);
  Paint();
  ::SendMessageW(m_hWnd, WM_VSCROLL, MAKEWPARAM(w.code, static_cast<WORD>(w.first)), 0);
  return 0;
}

LRESULT CHeightComboBox::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  StopFiltering();
  for (InplaceButton*& row : rows_) row = nullptr;
  btn_mgr_.RemoveAllButtons();
  container_.Detach();
  bHandled = FALSE;
  return 0;
}
