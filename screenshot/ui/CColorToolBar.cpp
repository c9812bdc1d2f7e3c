// CColorToolBar: the colour and pen bar's window, its values and its mouse input.
#include "screenshot/ui/CColorToolBar.h"

#include <windowsx.h>

#include <vector>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/palette.h"
#include "screenshot/ui/CreateFromTemplate.h"

CColorToolBar::CColorToolBar() : btn_mgr_(this) {}

CColorToolBar::~CColorToolBar() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  RemoveMessageFilter(this);  // listed with no window only if a destroy went wrong
}

void CColorToolBar::LoadBitmaps() {
  if (bitmaps_loaded_) return;
  bitmaps_loaded_ = true;
  floatingbar::LoadPictures(module_->resource_instance, {{&panel_, IDB_COLORBAR_BG},
                                                         {&width_frames_, IDB_PEN_WIDTH_FRAMES},
                                                         {&dots_[0], IDB_PEN_DOT_SMALL},
                                                         {&dots_[1], IDB_PEN_DOT_MEDIUM},
                                                         {&dots_[2], IDB_PEN_DOT_LARGE}});
}

BOOL CColorToolBar::Create(int x, int y, HWND owner) {
  if (m_hWnd) return FALSE;
  LoadBitmaps();
  HWND hWnd = floatingbar::CreateFromLayout(module_->instance, IDD_COLOR_BAR, owner);
  if (!hWnd) return FALSE;
  Attach(hWnd);
  AddButtons();
  floatingbar::PlaceTopmost(hWnd, x, y);
  AddMessageFilter(this);
  return TRUE;
}

void CColorToolBar::AddButtons() {
  // Each placeholder control of the layout gives one button's rectangle; a missing one leaves
  // its button out (and unpainted) rather than guessing a place for it.
  RECT r;
  for (int i = 0; i < colorbar::kSwatchCount; ++i) {
    const int id = colorbar::kSwatchFirstId + i;
    if (ReadPlaceholderRect(m_hWnd, id, &r))
      swatches_[i] = btn_mgr_.AddButton(r.left, r.top, r.right - r.left, r.bottom - r.top, id);
  }
  if (!ReadPlaceholderRect(m_hWnd, colorbar::kCurrentColorId, &current_color_rect_))
    current_color_rect_ = RECT{};
  for (int i = 0; i < colorbar::kWidthCount; ++i) {
    const int id = colorbar::kWidthFirstId + i;
    if (ReadPlaceholderRect(m_hWnd, id, &r))
      widths_[i] = btn_mgr_.AddButton(r.left, r.top, r.right - r.left, r.bottom - r.top, id);
  }
}

void CColorToolBar::Show() { floatingbar::SetVisible(m_hWnd, true); }
void CColorToolBar::Hide() { floatingbar::SetVisible(m_hWnd, false); }

int CColorToolBar::SetColorIndex(int index) {
  const int previous = color_index_;
  if (index >= 0 && index < palette::kColorCount) color_index_ = index;
  return previous;
}

int CColorToolBar::SetWidthIndex(int index) {
  const int previous = width_index_;
  if (index >= 0 && index < palette::kPenWidthCount) width_index_ = index;
  return previous;
}

int CColorToolBar::SetDashStyle(int style) {
  const int previous = dash_style_;
  dash_style_ = style;
  return previous;
}

uint32_t CColorToolBar::ColorOf(int index) { return palette::ColorOf(index); }
int CColorToolBar::IndexOf(uint32_t colorref) { return palette::IndexOf(colorref); }
uint32_t CColorToolBar::ContrastOf(uint32_t colorref) { return palette::ContrastOf(colorref); }

int CColorToolBar::FilterMessage(MSG*) { return 0; }

void CColorToolBar::OnPenWidthChanged(int) {}
void CColorToolBar::OnPenColorChanged(int) {}
void CColorToolBar::OnDashStyleChanged(int) {}

colorbar::PointClass CColorToolBar::Classify(POINT screen) const {
  RECT window = {}, client = {};
  if (!m_hWnd || !::GetWindowRect(m_hWnd, &window) || !::GetClientRect(m_hWnd, &client))
    return colorbar::PointClass::kOutside;
  POINT pt = screen;
  ::ScreenToClient(m_hWnd, &pt);
  Rect area;
  if (swatches_[0] && swatches_[colorbar::kSwatchCount - 1])
    area = colorbar::PaletteArea(FromRECT(swatches_[0]->rect),
                                 FromRECT(swatches_[colorbar::kSwatchCount - 1]->rect));
  std::vector<Rect> buttons;
  for (const InplaceButton* b = btn_mgr_.first(); b; b = b->next)
    buttons.push_back(FromRECT(b->rect));
  return colorbar::ClassifyPoint(FromPOINT(pt), FromRECT(client), area, buttons,
                                 ::PtInRect(&window, screen) != FALSE);
}

// The dialog class asks for double clicks, so the second of two quick presses arrives as a
// double click. It is a press like any other (a quick second click on the background still
// starts a drag).
LRESULT CColorToolBar::OnLButtonDblClk(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  LRESULT result = 0;
  ProcessWindowMessage(m_hWnd, WM_LBUTTONDOWN, wParam, lParam, result, 0);
  return result;
}

LRESULT CColorToolBar::OnSwatchCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const int index = colorbar::SwatchIndexOfId(LOWORD(wParam));
  if (index < 0) {
    bHandled = FALSE;
    return 0;
  }
  color_index_ = index;
  Paint();
  OnPenColorChanged(index);
  return 0;
}

LRESULT CColorToolBar::OnWidthCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const int index = colorbar::WidthIndexOfId(LOWORD(wParam));
  if (index < 0) {
    bHandled = FALSE;
    return 0;
  }
  width_index_ = index;
  Paint();
  OnPenWidthChanged(index);
  return 0;
}

LRESULT CColorToolBar::OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }

LRESULT CColorToolBar::OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  bHandled = FALSE;
  if (reinterpret_cast<HWND>(wParam) != m_hWnd) return 0;
  POINT cursor = {};
  if (!::GetCursorPos(&cursor) || Classify(cursor) != colorbar::PointClass::kDragArea) return 0;
  // The background is the bar's drag handle.
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
  bHandled = TRUE;
  return TRUE;
}

LRESULT CColorToolBar::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  btn_mgr_.RemoveAllButtons();
  for (InplaceButton*& b : swatches_) b = nullptr;
  for (InplaceButton*& b : widths_) b = nullptr;
  RemoveMessageFilter(this);
  drag_.Abandon();
  bHandled = FALSE;
  return 0;
}

LRESULT CColorToolBar::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(m_hWnd, &cursor);
  // Presses in the gaps between swatches reach here too; they neither choose nor drag.
  if (Classify(cursor) != colorbar::PointClass::kDragArea) {
    bHandled = FALSE;
    return 0;
  }
  drag_.Begin(m_hWnd, cursor);
  return 0;
}
