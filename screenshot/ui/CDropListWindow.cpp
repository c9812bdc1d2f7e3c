// CDropListWindow: the popup window, rows, scrolling and closing both drop lists share.
#include "screenshot/ui/CDropListWindow.h"

#include <windowsx.h>

#include "screenshot/base/geometry_win.h"
#include "screenshot/base/message_filter.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/CHeightComboBox.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/drop_list_layout.h"
#include "screenshot/ui/drop_list_paint_win.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/scroll_bar_geometry.h"

namespace {

bool IsPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
         message == WM_RBUTTONDBLCLK;
}

}  // namespace

// ---- nested helpers ----------------------------------------------------------------------------

template <class List>
void CDropListWindow<List>::CInternalButtonManager::DrawButton(DRAWITEMSTRUCT* dis) {
  // The whole list is painted from the button states, so follow-up notices add nothing.
  if (dis->itemAction != 0) list_.Paint();
}

template <class List>
void CDropListWindow<List>::CInternalScrollBar::OnPositionChanged(int position) {
  list_.Scrolled(position);  // the bar repaints the list next
}

template <class List>
BOOL CDropListWindow<List>::CInternalScrollBar::ProcessWindowMessage(HWND hWnd, UINT uMsg,
                                                                     WPARAM wParam, LPARAM lParam,
                                                                     LRESULT& lResult,
                                                                     DWORD dwMsgMapID) {
  if (uMsg == WM_PRINTCLIENT) {
    DrawListScrollBar(reinterpret_cast<HDC>(wParam), *this);
    lResult = 0;
    return TRUE;
  }
  return CInplaceScrollBar::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
}

// ---- opening and closing -----------------------------------------------------------------------

template <class List>
CDropListWindow<List>::~CDropListWindow() {
  StopFiltering();
}

template <class List>
bool CDropListWindow<List>::CreatePopup() {
  HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0,
                                0, 0, 0, owner_, nullptr, module_->instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [%s] Failed [%08X]", name_, ::GetLastError());
    return false;
  }
  Attach(hwnd);
  container_.Attach(hwnd);
  container_.SetInvalidateHandler([this](CInplaceItem*) { Paint(); });
  return true;
}

template <class List>
void CDropListWindow<List>::DestroyPopup() {
  StopFiltering();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

template <class List>
void CDropListWindow<List>::ShowAt(Point at, Size size) {
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x, at.y, size.width, size.height, SWP_NOACTIVATE);
  Paint();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  ::SetForegroundWindow(m_hWnd);
  if (!filtering_) filtering_ = AddMessageFilter(this);
}

template <class List>
Rect CDropListWindow<List>::MonitorBelow(const Rect& button) {
  return MonitorRectAt({(button.left + button.right) / 2, button.bottom});
}

template <class List>
void CDropListWindow<List>::Hide() {
  StopFiltering();
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class List>
bool CDropListWindow<List>::IsVisible() const {
  return m_hWnd && ::IsWindowVisible(m_hWnd);
}

template <class List>
void CDropListWindow<List>::StopFiltering() {
  if (filtering_) RemoveMessageFilter(this);
  filtering_ = false;
}

template <class List>
int CDropListWindow<List>::FilterMessage(MSG* msg) {
  if (IsPress(msg->message) && !container_.IsOwnWindow(msg->hwnd) && IsVisible()) Hide();
  return 0;
}

template <class List>
void CDropListWindow<List>::Paint() {
  LayeredSurface surface;
  if (!m_hWnd || !list().Compose(surface)) return;
  if (!PresentLayered(m_hWnd, surface))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [%s] Failed [%08X]", name_, ::GetLastError());
}

// ---- rows and scrolling ------------------------------------------------------------------------

template <class List>
void CDropListWindow<List>::AddRow(const Rect& rect) {
  const UINT id = kDropListRowCommand + static_cast<UINT>(rows_.size());
  rows_.push_back(btn_mgr_.AddButton(rect.left, rect.top, rect.Width(), rect.Height(), id));
}

template <class List>
void CDropListWindow<List>::RemoveRows() {
  btn_mgr_.RemoveAllButtons();
  rows_.clear();
}

template <class List>
int CDropListWindow<List>::RowFrame(int r, bool selected) const {
  return ListRowFrame(btn_mgr_, rows_[r], selected);
}

template <class List>
void CDropListWindow<List>::ScrollTo(int first) {
  first_visible_ = first;
  scroll_bar_.SetPosition(first);
  list().OnScrolled();
}

template <class List>
void CDropListWindow<List>::Scrolled(int position) {
  first_visible_ = position;
  list().OnScrolled();
}

// ---- messages ----------------------------------------------------------------------------------

template <class List>
LRESULT CDropListWindow<List>::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (container_.ProcessMessage(uMsg, wParam, lParam, result)) return result;
  return CWindowBase::DefWindowProc(uMsg, wParam, lParam);
}

template <class List>
LRESULT CDropListWindow<List>::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) {
  return HTCLIENT;
}

template <class List>
LRESULT CDropListWindow<List>::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
  const WheelScroll w =
      ScrollForWheel(first_visible_, GET_WHEEL_DELTA_WPARAM(wParam), scroll_bar_.arrow_step(),
                     scroll_bar_.maximum(), scroll_bar_.page());
  if (!w.applies) return 0;
  ScrollTo(w.first);
  Paint();
  ::SendMessageW(m_hWnd, WM_VSCROLL, MAKEWPARAM(w.code, static_cast<WORD>(w.first)), 0);
  return 0;
}

template <class List>
LRESULT CDropListWindow<List>::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  StopFiltering();
  RemoveRows();
  container_.Detach();
  bHandled = FALSE;
  return 0;
}

// The two lists built on it.
template class CDropListWindow<CFontComboBox>;
template class CDropListWindow<CHeightComboBox>;
