// CTextToolBar: the text bar's window, its values, its commands and its mouse input.
#include "screenshot/ui/CTextToolBar.h"

#include <windowsx.h>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/palette.h"
#include "screenshot/ui/CreateFromTemplate.h"
#include "screenshot/ui/text_style.h"

namespace {

// The size label's font: "arial", 12 pixels, weight 400, the default character set.
HFONT CreateLabelFont() {
  LOGFONTW lf = {};
  lf.lfHeight = -12;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"arial", LF_FACESIZE);
  return ::CreateFontIndirectW(&lf);
}

}  // namespace

CTextToolBar::CTextToolBar() : btn_mgr_(this), label_font_(CreateLabelFont()) {}

CTextToolBar::~CTextToolBar() {
  drag_.Abandon();
  DestroyLists();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  RemoveMessageFilter(this);  // listed with no window only if a destroy went wrong
}

void CTextToolBar::LoadBitmaps() {
  if (bitmaps_loaded_) return;
  bitmaps_loaded_ = true;
  floatingbar::LoadPictures(module_->resource_instance, {{&panel_, IDB_TEXTBAR_BG},
                                                         {&toggle_frames_, IDB_TEXTBAR_TOGGLE},
                                                         {&font_glyph_, IDB_TEXTBAR_FONT},
                                                         {&bold_glyph_, IDB_TEXTBAR_BOLD},
                                                         {&italic_glyph_, IDB_TEXTBAR_ITALIC}});
}

BOOL CTextToolBar::Create(int x, int y, HWND owner) {
  if (m_hWnd) return FALSE;
  LoadBitmaps();
  HWND hWnd = floatingbar::CreateFromLayout(module_->instance, IDD_TEXT_BAR, owner);
  if (!hWnd) return FALSE;
  Attach(hWnd);
  AddButtons();
  font_list_.SetOwnerWindow(hWnd);
  floatingbar::PlaceTopmost(hWnd, x, y);
  AddMessageFilter(this);
  return TRUE;
}

void CTextToolBar::AddButtons() {
  // Each placeholder control of the layout gives one button's rectangle; a missing one leaves
  // its button out (and unpainted) rather than guessing a place for it.
  RECT r;
  auto add = [&](int id, Rect* where) -> InplaceButton* {
    if (!ReadPlaceholderRect(m_hWnd, id, &r)) return nullptr;
    *where = FromRECT(r);
    return btn_mgr_.AddButton(r.left, r.top, r.right - r.left, r.bottom - r.top, id);
  };
  for (int i = 0; i < colorbar::kSwatchCount; ++i)
    swatches_[i] = add(colorbar::kSwatchFirstId + i, &layout_.swatches[i]);
  if (ReadPlaceholderRect(m_hWnd, colorbar::kCurrentColorId, &r))
    layout_.current_color = FromRECT(r);
  size_button_ = add(textbar::kSizeButtonId, &layout_.size_button);
  font_button_ = add(textbar::kFontButtonId, &layout_.font_button);
  bold_button_ = add(textbar::kBoldId, &layout_.bold);
  italic_button_ = add(textbar::kItalicId, &layout_.italic);
}

void CTextToolBar::Show() { floatingbar::SetVisible(m_hWnd, true); }
void CTextToolBar::Hide() { floatingbar::SetVisible(m_hWnd, false); }

int CTextToolBar::SetColorIndex(int index) {
  const int previous = color_index_;
  if (index >= 0 && index < palette::kColorCount) color_index_ = index;
  return previous;
}

uint32_t CTextToolBar::ColorOf(int index) { return palette::ColorOf(index); }
uint32_t CTextToolBar::ContrastOf(uint32_t colorref) { return palette::ContrastOf(colorref); }

void CTextToolBar::SetFont(const LOGFONTW& font) {
  template_font_ = font;
  const TextStyle style = textstyle::FromFont(font, color_index_);
  height_ = style.height;
  bold_ = style.bold ? 1 : 0;
  italic_ = style.italic ? 1 : 0;
}

void CTextToolBar::GetFont(LOGFONTW* font) const {
  if (font) *font = template_font_;
}

int CTextToolBar::SetBold(int bold) {
  const int previous = bold_;
  bold_ = bold ? 1 : 0;
  return previous;
}

int CTextToolBar::SetItalic(int italic) {
  const int previous = italic_;
  italic_ = italic ? 1 : 0;
  return previous;
}

void CTextToolBar::SetHeight(int pixels) { height_ = pixels; }

LOGFONTW CTextToolBar::NotificationFont() const {
  LOGFONTW font = template_font_;
  textstyle::ApplyTo(height_, bold_ != 0, italic_ != 0, &font);
  return font;
}

int CTextToolBar::ShownPointSize() const { return CHeightComboBox::PointSizeFor(height_); }

void CTextToolBar::OnTextColorChanged(int) {}
void CTextToolBar::OnFontFaceChanged(const LOGFONTW&) {}
void CTextToolBar::OnFontHeightChanged(const LOGFONTW&) {}
void CTextToolBar::OnBoldChanged(const LOGFONTW&) {}
void CTextToolBar::OnItalicChanged(const LOGFONTW&) {}

colorbar::PointClass CTextToolBar::Classify(POINT screen) const {
  RECT window = {}, client = {};
  if (!m_hWnd || !::GetWindowRect(m_hWnd, &window) || !::GetClientRect(m_hWnd, &client))
    return colorbar::PointClass::kOutside;
  POINT pt = screen;
  ::ScreenToClient(m_hWnd, &pt);
  return textbar::Classify(FromPOINT(pt), FromRECT(client), layout_,
                           ::PtInRect(&window, screen) != FALSE);
}

// ---- messages ----------------------------------------------------------------------------------

// The dialog class asks for double clicks, so the second of two quick presses arrives as a
// double click. It is a press like any other: it toggles bold again, or starts a drag.
LRESULT CTextToolBar::OnLButtonDblClk(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  LRESULT result = 0;
  ProcessWindowMessage(m_hWnd, WM_LBUTTONDOWN, wParam, lParam, result, 0);
  return result;
}

// Reached only when no drag is going on.
LRESULT CTextToolBar::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (!::GetCapture()) ShowTooltipAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  bHandled = FALSE;  // the button manager's hover
  return 0;
}

LRESULT CTextToolBar::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const int id = LOWORD(wParam);
  const int swatch = colorbar::SwatchIndexOfId(id);
  if (swatch >= 0) {
    color_index_ = swatch;
    Paint();
    OnTextColorChanged(swatch);
  } else if (id == textbar::kBoldId) {
    bold_ = !bold_;
    Paint();
    OnBoldChanged(NotificationFont());
  } else if (id == textbar::kItalicId) {
    italic_ = !italic_;
    Paint();
    OnItalicChanged(NotificationFont());
  } else {
    bHandled = FALSE;  // the drop buttons open their lists through the filter
  }
  return 0;
}

LRESULT CTextToolBar::OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }

LRESULT CTextToolBar::OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  bHandled = FALSE;
  if (reinterpret_cast<HWND>(wParam) != m_hWnd) return 0;
  POINT cursor = {};
  if (!::GetCursorPos(&cursor) || Classify(cursor) != colorbar::PointClass::kDragArea) return 0;
  // The background is the bar's drag handle.
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
  bHandled = TRUE;
  return TRUE;
}

LRESULT CTextToolBar::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  drag_.End(m_hWnd);
  DestroyLists();
  btn_mgr_.RemoveAllButtons();
  for (InplaceButton*& b : swatches_) b = nullptr;
  size_button_ = font_button_ = bold_button_ = italic_button_ = nullptr;
  RemoveMessageFilter(this);
  bHandled = FALSE;
  return 0;
}

LRESULT CTextToolBar::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(m_hWnd, &cursor);
  // Presses in the gaps of the swatch block reach here too; they neither choose nor drag.
  if (Classify(cursor) != colorbar::PointClass::kDragArea) {
    bHandled = FALSE;
    return 0;
  }
  drag_.Begin(m_hWnd, cursor);
  return 0;
}
