// CFontComboBox's popup: opening, rows, scrolling, choosing and closing.
#include <windowsx.h>

#include <cwchar>

#include "screenshot/base/geometry_win.h"
#include "screenshot/base/message_filter.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/drop_list_layout.h"
#include "screenshot/ui/drop_list_paint_win.h"
#include "screenshot/ui/recent_faces.h"

namespace {

bool SameFace(const FontListEntry& a, const FontListEntry& b) {
  return std::wcsncmp(a.font.lfFaceName, b.font.lfFaceName, LF_FACESIZE) == 0;
}

std::vector<int> HeightsOf(const std::vector<FontListEntry>& entries) {
  std::vector<int> heights;
  heights.reserve(entries.size());
  for (const FontListEntry& e : entries) heights.push_back(e.height);
  return heights;
}

bool IsPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
         message == WM_RBUTTONDBLCLK;
}

}  // namespace

// ---- nested helpers ----------------------------------------------------------------------------

void CFontComboBox::CInternalButtonManager::DrawButton(DRAWITEMSTRUCT* dis) {
  // The whole list is painted from the button states, so follow-up notices add nothing.
  if (dis->itemAction != 0) list_.Paint();
}

void CFontComboBox::CInternalScrollBar::OnPositionChanged(int position) {
  list_.first_visible_ = position;
  list_.LayoutRows();  // the bar repaints the list next
}

BOOL CFontComboBox::CInternalScrollBar::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam,
                                                             LPARAM lParam, LRESULT& lResult,
                                                             DWORD dwMsgMapID) {
  if (uMsg == WM_PRINTCLIENT) {
    DrawListScrollBar(reinterpret_cast<HDC>(wParam), *this);
    lResult = 0;
    return TRUE;
  }
  return CInplaceScrollBar::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
}

// ---- opening and closing -----------------------------------------------------------------------

bool CFontComboBox::CreatePopup() {
  HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0,
                                0, 0, 0, owner_, nullptr, module_->instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [font list] Failed [%08X]", ::GetLastError());
    return false;
  }
  Attach(hwnd);
  container_.Attach(hwnd);
  container_.SetInvalidateHandler([this](CInplaceItem*) { Paint(); });
  container_.AddItem(&scroll_bar_, 0, 0, 0, 0, 0, 0);
  // The recent faces belong to the popup: a new one starts without them.
  ForgetRecentFaces(entries_, recent_count_);
  selected_ = -1;
  return true;
}

bool CFontComboBox::Open(const RECT& anchor, const wchar_t* face) {
  if (!m_hWnd) {
    TakeCatalogue(INFINITE);
    if (!CreatePopup()) return false;
  }
  LayoutList();
  if (face) {
    for (size_t i = 0; i < entries_.size(); ++i)
      if (std::wcsncmp(entries_[i].font.lfFaceName, face, LF_FACESIZE) == 0) {
        selected_ = static_cast<int>(i);
        break;
      }
  }
  ScrollTo(FontListFirstVisible(selected_, static_cast<int>(entries_.size())));

  const Rect button = Normalized(FromRECT(anchor));
  const Point at = PlaceFontList(button, window_size_,
                                 MonitorRectAt({(button.left + button.right) / 2, button.bottom}));
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x, at.y, window_size_.width, window_size_.height,
                 SWP_NOACTIVATE);
  Paint();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  ::SetForegroundWindow(m_hWnd);
  if (!filtering_) filtering_ = AddMessageFilter(this);
  return true;
}

void CFontComboBox::Hide() {
  StopFiltering();
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CFontComboBox::IsVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }

void CFontComboBox::StopFiltering() {
  if (filtering_) RemoveMessageFilter(this);
  filtering_ = false;
}

int CFontComboBox::FilterMessage(MSG* msg) {
  if (IsPress(msg->message) && !container_.IsOwnWindow(msg->hwnd) && IsVisible()) Hide();
  return 0;
}

// ---- layout ------------------------------------------------------------------------------------

void CFontComboBox::LayoutList() {
  const int count = static_cast<int>(entries_.size());
  const FontListGeometry g =
      LayoutFontList(HeightsOf(entries_), content_width_, DropListScrollBarWidth());
  window_size_ = g.window;
  items_ = g.items;
  scroll_rect_ = g.scroll;
  scroll_bar_.SetMaximum(count - 1);
  scroll_bar_.SetPage(kFontListPage);
  container_.SetItemRect(&scroll_bar_, ToRECT(g.scroll));
  container_.ShowItem(&scroll_bar_, g.scroll_visible);
}

void CFontComboBox::LayoutRows() {
  btn_mgr_.RemoveAllButtons();
  rows_.clear();
  const std::vector<Rect> rows = LayoutFontRows(HeightsOf(entries_), first_visible_, items_);
  for (size_t r = 0; r < rows.size(); ++r)
    rows_.push_back(btn_mgr_.AddButton(rows[r].left, rows[r].top, rows[r].Width(), rows[r].Height(),
                                       kDropListRowCommand + static_cast<UINT>(r)));
  scroll_bar_.SetArrowStep(FontListArrowStep(static_cast<int>(rows.size())));
}

void CFontComboBox::ScrollTo(int first) {
  first_visible_ = first;
  scroll_bar_.SetPosition(first);
  LayoutRows();
}

Rect CFontComboBox::row_rect(int r) const {
  if (r < 0 || r >= row_count()) return Rect{};
  return FromRECT(rows_[r]->rect);
}

bool CFontComboBox::scroll_bar_visible() const { return container_.IsItemVisible(&scroll_bar_); }

// ---- choosing ----------------------------------------------------------------------------------

void CFontComboBox::Choose(int row) {
  const int index = first_visible_ + row;
  if (row < 0 || row >= row_count() || index >= static_cast<int>(entries_.size())) return;
  const LOGFONTW chosen = entries_[index].font;
  Hide();
  if (ChooseRecentFace(entries_, recent_count_, index, &SameFace))
    scroll_bar_.SetMaximum(static_cast<int>(entries_.size()) - 1);
  selected_ = 0;
  OnFontSelected(chosen);
}

// ---- messages ----------------------------------------------------------------------------------

LRESULT CFontComboBox::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (container_.ProcessMessage(uMsg, wParam, lParam, result)) return result;
  return CWindowBase::DefWindowProc(uMsg, wParam, lParam);
}

LRESULT CFontComboBox::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }

LRESULT CFontComboBox::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const UINT id = LOWORD(wParam);
  if (id < kDropListRowCommand || id >= kDropListRowCommand + rows_.size()) {
    bHandled = FALSE;
    return 0;
  }
  Choose(static_cast<int>(id - kDropListRowCommand));
  return 0;
}

LRESULT CFontComboBox::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
  const WheelScroll w =
      ScrollForWheel(first_visible_, GET_WHEEL_DELTA_WPARAM(wParam), scroll_bar_.arrow_step(),
                     scroll_bar_.maximum(), scroll_bar_.page());
  if (!w.applies) return 0;
  ScrollTo(w.first);
  Paint();
  ::SendMessageW(m_hWnd, WM_VSCROLL, MAKEWPARAM(w.code, static_cast<WORD>(w.first)), 0);
  return 0;
}

LRESULT CFontComboBox::OnDoubleClick(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  LRESULT result = 0;
  // Not on a row: the scroll bar takes it as a press of its own.
  if (!btn_mgr_.ProcessMessage(m_hWnd, WM_LBUTTONDOWN, wParam, lParam, result, 0)) bHandled = FALSE;
  return result;
}

LRESULT CFontComboBox::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  StopFiltering();
  rows_.clear();
  btn_mgr_.RemoveAllButtons();
  container_.Detach();
  bHandled = FALSE;
  return 0;
}
