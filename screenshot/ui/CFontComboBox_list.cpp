// CFontComboBox's popup: opening, rows and choosing.
#include <windowsx.h>

#include <cwchar>

#include "screenshot/base/geometry_win.h"
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

}  // namespace

// ---- opening and closing -----------------------------------------------------------------------

bool CFontComboBox::CreatePopup() {
  if (!CDropListWindow::CreatePopup()) return false;
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
  ShowAt(PlaceFontList(button, window_size_, MonitorBelow(button)), window_size_);
  return true;
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
  RemoveRows();
  const std::vector<Rect> rows = LayoutFontRows(HeightsOf(entries_), first_visible_, items_);
  for (const Rect& row : rows) AddRow(row);
  scroll_bar_.SetArrowStep(FontListArrowStep(static_cast<int>(rows.size())));
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

LRESULT CFontComboBox::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const UINT id = LOWORD(wParam);
  if (id < kDropListRowCommand || id >= kDropListRowCommand + rows_.size()) {
    bHandled = FALSE;
    return 0;
  }
  Choose(static_cast<int>(id - kDropListRowCommand));
  return 0;
}

LRESULT CFontComboBox::OnDoubleClick(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  LRESULT result = 0;
  // Not on a row: the scroll bar takes it as a press of its own.
  if (!btn_mgr_.ProcessMessage(m_hWnd, WM_LBUTTONDOWN, wParam, lParam, result, 0)) bHandled = FALSE;
  return result;
}
