// CScrawlBoard: the text style of new text (font and the two colours) and its default.
#include "screenshot/board/CInplaceEditBox.h"

#include <cstring>

#include "screenshot/diagnostics/debug_log_win.h"

LOGFONTW CScrawlBoard::DefaultTextFont() {
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  int dpi = 96;
  if (HDC screen = ::GetDC(nullptr)) {
    dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
  }
  // Seven points wide at the screen's resolution, twice that high.
  lf.lfWidth = static_cast<LONG>(dpi / 72.0 * 7.0);
  lf.lfHeight = -2 * lf.lfWidth;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"MS Gothic", LF_FACESIZE);
  return lf;
}

HFONT CScrawlBoard::TextFontHandle() {
  if (!text_font_handle_) {
    text_font_handle_.Reset(::CreateFontIndirectW(&text_font_));
    if (!text_font_handle_) {
      diag::Log(diag::kLogError, L"CreateFontIndirect [%s] Failed [%08X]", text_font_.lfFaceName,
                ::GetLastError());
      text_font_ = default_font_;
      text_font_handle_.Reset(::CreateFontIndirectW(&text_font_));
    }
  }
  return text_font_handle_.get();
}

void CScrawlBoard::SetTextFont(const LOGFONTW* font) {
  const LOGFONTW& wanted = font ? *font : default_font_;
  if (std::memcmp(&wanted, &text_font_, sizeof(wanted)) == 0 && text_font_handle_) return;
  text_font_ = wanted;
  text_font_handle_.Reset();
  TextFontHandle();
  // The open box takes it at once, as one undo step.
  if (IsTextEditing()) text_box_->ChangeFont(text_font_, true);
}

COLORREF CScrawlBoard::SetTextColors(COLORREF color, COLORREF second) {
  const COLORREF old = text_color_;
  if (second == CLR_INVALID) return old;
  const COLORREF old_second = text_second_;
  text_color_ = color & 0xFFFFFF;
  text_second_ = second & 0xFFFFFF;
  if (IsTextEditing()) {
    Push(new CEditBoxRecordTextColor(EditRecordObject(), old, old_second, text_color_,
                                     text_second_));
    text_box_->ColorsChanged();
  }
  return old;
}
