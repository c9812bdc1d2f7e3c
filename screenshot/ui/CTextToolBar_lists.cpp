// CTextToolBar: the size and font lists its drop buttons open and close, what they choose, and
// the tooltips over its buttons.
#include <windowsx.h>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/CTextToolBar.h"
#include "screenshot/ui/CToolTipWindow.h"

namespace {

bool IsPress(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDOWN ||
         m == WM_RBUTTONDBLCLK;
}

// Tooltip texts are short; the tooltip shows at most 31 characters of them.
constexpr int kTipTextCapacity = 128;

}  // namespace

int CTextToolBar::FilterMessage(MSG* msg) {
  if (!m_hWnd || !IsPress(msg->message)) return 0;
  // A quick second click on a drop button arrives as a double click; it toggles the list too.
  const bool left = msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK;
  if (left && msg->hwnd == m_hWnd) {
    const Point p = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    if (size_button_ && layout_.size_button.Contains(p)) {
      ToggleSizeList();
      font_list_.Hide();
      return 1;
    }
    if (font_button_ && layout_.font_button.Contains(p)) {
      ToggleFontList();
      if (size_list_) size_list_->Hide();
      return 1;
    }
  }
  // Any other press closes each list unless it is meant for that list; each list knows its own
  // windows (a scroll bar drag holds the capture in a window of the list's item host).
  if (size_list_) size_list_->FilterMessage(msg);
  font_list_.FilterMessage(msg);
  return 0;
}

RECT CTextToolBar::ScreenRectOf(const Rect& client) const {
  const Rect r = Normalized(client);
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  ::MapWindowPoints(m_hWnd, nullptr, corners, 2);
  return ToRECT(Normalized(Rect{corners[0].x, corners[0].y, corners[1].x, corners[1].y}));
}

void CTextToolBar::ToggleSizeList() {
  if (size_list_ && size_list_->IsVisible()) {
    size_list_->Hide();
    return;
  }
  if (!size_list_) {
    size_list_.reset(new CInternalHeightComboBox(this));
    size_list_->SetOwnerWindow(m_hWnd);
  }
  size_list_->Open(ScreenRectOf(layout_.size_button), ShownPointSize());
  Paint();
}

void CTextToolBar::ToggleFontList() {
  if (font_list_.IsVisible()) {
    font_list_.Hide();
    return;
  }
  font_list_.Open(ScreenRectOf(layout_.font_button), template_font_.lfFaceName);
}

void CTextToolBar::OnHeightChosen(int pixel_height) {
  height_ = pixel_height;
  Paint();
  OnFontHeightChanged(NotificationFont());
}

void CTextToolBar::OnFaceChosen(const LOGFONTW& font) {
  // The chosen face's whole record (its character set and pitch too) becomes the template; the
  // bar's own height, bold and italic are written over it.
  template_font_ = font;
  OnFontFaceChanged(NotificationFont());
}

void CTextToolBar::DestroyLists() {
  if (size_list_ && size_list_->hwnd()) ::DestroyWindow(size_list_->hwnd());
  if (font_list_.hwnd()) ::DestroyWindow(font_list_.hwnd());
}

void CTextToolBar::ShowTooltipAt(POINT client) {
  CToolTipWindow* tip = GetToolTipWindow();
  if (!tip) return;
  const Point p = FromPOINT(client);
  wchar_t text[kTipTextCapacity] = L"";
  Rect tool;
  switch (textbar::TooltipTargetAt(layout_, p)) {
    case textbar::TipTarget::kSize:
      tool = layout_.size_button;
      ::LoadStringW(module_->resource_instance, IDS_TIP_FONT_SIZE, text, kTipTextCapacity);
      break;
    case textbar::TipTarget::kBold:
      tool = layout_.bold;
      ::LoadStringW(module_->resource_instance, IDS_TIP_BOLD, text, kTipTextCapacity);
      break;
    case textbar::TipTarget::kItalic:
      tool = layout_.italic;
      ::LoadStringW(module_->resource_instance, IDS_TIP_ITALIC, text, kTipTextCapacity);
      break;
    case textbar::TipTarget::kFont:
      // The font button's tooltip is the current face's name.
      tool = layout_.font_button;
      lstrcpynW(text, template_font_.lfFaceName, LF_FACESIZE);
      break;
    case textbar::TipTarget::kNone:
      return;
  }
  // A string that fails to load leaves the text empty, which the tooltip ignores.
  tip->Show(m_hWnd, ToRECT(tool), client, text);
}
