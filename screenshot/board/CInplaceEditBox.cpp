// CScrawlBoard::CInplaceEditBox: its hidden windows, opening and closing, measuring and drawing.
#include "screenshot/board/CInplaceEditBox.h"

#include <algorithm>
#include <cstring>

#include "screenshot/base/message_map.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/diagnostics/debug_log_win.h"

// ---- the two hidden windows --------------------------------------------------------------------

BOOL CScrawlBoard::CInplaceEditBox::CEditProxy::ProcessWindowMessage(HWND, UINT msg, WPARAM wp,
                                                                     LPARAM lp, LRESULT& result,
                                                                     DWORD) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_KILLFOCUS:
    case WM_IME_SETCONTEXT:
    case WM_IME_COMPOSITIONFULL:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_NOTIFY:
      return box_->ProcessMessage(msg, wp, lp, result);
    default:
      return FALSE;
  }
}

BOOL CScrawlBoard::CInplaceEditBox::CMouseProxy::ProcessWindowMessage(HWND, UINT msg, WPARAM wp,
                                                                      LPARAM lp, LRESULT& result,
                                                                      DWORD) {
  if (msg == WM_TIMER || msg == kRedrawMessage || msg == WM_CAPTURECHANGED)
    return box_->ProcessMessage(msg, wp, lp, result);
  return FALSE;
}

CScrawlBoard::CInplaceEditBox::CInplaceEditBox(CScrawlBoard* board) : board_(board) {}

CScrawlBoard::CInplaceEditBox::~CInplaceEditBox() {
  if (timer_) ::KillTimer(timer_, kCaretTimer);
  if (edit_) ::DestroyWindow(edit_);
  if (timer_) ::DestroyWindow(timer_);
}

void CScrawlBoard::CInplaceEditBox::CreateWindows() {
  if (!edit_) {
    // One pixel, not none: a window of no size is never put on the display, and a window that
    // is not there cannot take the keyboard there; the empty region keeps it unseen.
    edit_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"edit", nullptr, WS_POPUP | WS_BORDER, 0, 0, 1, 1,
                              board_->host_, nullptr, nullptr, nullptr);
    if (edit_) {
      // Nothing of it is ever seen.
      ::SetWindowRgn(edit_, ::CreateRectRgn(0, 0, 0, 0), FALSE);
      ::SetWindowPos(edit_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      edit_proxy_ = std::make_unique<CEditProxy>(this);
      edit_proxy_->Attach(edit_);
    } else {
      diag::Log(diag::kLogError, L"CreateWindowEx [edit] Failed [%08X]", ::GetLastError());
    }
  }
  if (!timer_) {
    timer_ = ::CreateWindowExW(0, L"static", nullptr, WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                               HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (timer_) {
      mouse_proxy_ = std::make_unique<CMouseProxy>(this);
      mouse_proxy_->Attach(timer_);
    } else {
      diag::Log(diag::kLogError, L"CreateWindowEx [static] Failed [%08X]", ::GetLastError());
    }
  }
}

// ---- opening and closing -----------------------------------------------------------------------

HFONT CScrawlBoard::CInplaceEditBox::Font() {
  if (!font_handle_) {
    font_handle_.Reset(::CreateFontIndirectW(&font_));
    if (!font_handle_) {
      font_ = board_->default_font_;
      font_handle_.Reset(::CreateFontIndirectW(&font_));
    }
    line_height_ = std::max(1, LineHeightOf(font_handle_.get()));
    caret_size_ = Size{line_height_ / 10 + 1, line_height_};
  }
  return font_handle_.get();
}

void CScrawlBoard::CInplaceEditBox::OpenNew(Point p) {
  const int w = board_->width_, h = board_->height_;
  p.x = std::max(8, std::min(p.x, w - 8));
  p.y = std::max(6, std::min(p.y, h - 6));
  CancelComposition();
  board_->overlay_.Clear();
  open_ = true;
  edited_ = false;
  text_ = TextContent{};
  font_ = board_->text_font_;
  font_handle_.Reset();
  Font();
  origin_ = p;
  box_size_ = Size{};
  box_rect_ = Rect{p.x, p.y, p.x, p.y};
  resizable_ = false;
  caret_ = CaretSpot{};
  CreateWindows();
  Focus();
  ShowCaret(true);
  Redraw();
}

void CScrawlBoard::CInplaceEditBox::OpenOn(CObjectText* o) {
  board_->editing_.Reset(o);
  CancelComposition();
  open_ = true;
  edited_ = false;
  CreateWindows();
  Focus();
  const TextObjectContent& c = o->content();
  font_ = c.font;
  font_handle_.Reset();
  Font();
  board_->text_color_ = c.color;
  board_->text_second_ = c.second;
  origin_ = c.position;
  box_size_ = c.box_size;
  box_rect_ = c.rect;
  text_ = TextContent{c.cells, 0, false};
  resizable_ = false;
}

CScrawlBoard::CObjectText* CScrawlBoard::CInplaceEditBox::Close(bool discard, bool redraw) {
  if (!open_) return nullptr;
  CancelDrag();
  open_ = false;
  // The box's own records go: the record pushed now (or none) stands for the whole edit.
  const bool had_records = board_->DropTextBoxRecords();
  CObjectText* result = nullptr;
  CObjectText* edited = static_cast<CObjectText*>(board_->editing_.get());
  if (!discard) {
    comp_.clear();  // a composition not yet taken is not kept
    if (!text_.cells.empty()) {
      Measure(text_.cells);
      std::vector<TextCell> cells = text_.cells;
      const Rect lim = Limit();
      layout_ = LayOutText(cells, lim.Width(), lim.Height(), line_height_);
      box_rect_ = Rect{origin_.x, origin_.y, origin_.x + layout_.size.width,
                       origin_.y + layout_.size.height};
      if (box_size_.width > 0) box_rect_.right = origin_.x + box_size_.width;
    }
    TextObjectContent content{origin_,
                              box_rect_,
                              box_size_,
                              board_->text_color_,
                              board_->text_second_,
                              font_,
                              0,
                              WithoutFlags(text_.cells)};
    for (const TextLine& l : layout_.lines) content.widest = std::max(content.widest, l.width);
    if (!edited && !text_.cells.empty()) {
      result = new CObjectText(board_->objects_, std::move(content));
      board_->Push(new CRecordText(result));
      if (redraw) result->Draw(board_, board_->background_);
    } else if (edited) {
      if (edited_ || had_records) {
        TextObjectContent before = edited->content();
        board_->Push(new CRecordChangeObjectText(edited, before, content));
        edited->SetContent(content);
      }
      result = edited;
      if (redraw) board_->RebuildBackground();
    }
  }
  board_->editing_.Reset();
  board_->OnTextEditing(FALSE);
  if (edit_) ::ShowWindow(edit_, SW_HIDE);
  CancelComposition();
  text_ = TextContent{};
  HideCaret();
  if (redraw) {
    board_->overlay_.Clear();
    board_->Notify(false, false);
  }
  return result;
}

void CScrawlBoard::CInplaceEditBox::SetContent(const TextContent& c) {
  text_ = c;
  edited_ = true;
}

void CScrawlBoard::CInplaceEditBox::SetPlace(const CEditBoxRecordTextBoxPos::Place& p) {
  origin_ = p.origin;
  box_rect_ = p.rect;
  box_size_ = p.size;
}

void CScrawlBoard::CInplaceEditBox::ChangeFont(const LOGFONTW& font, bool record) {
  if (std::memcmp(&font, &font_, sizeof(font)) == 0) return;
  const LOGFONTW old = font_;
  font_ = font;
  font_handle_.Reset();
  Font();
  if (record) board_->Push(new CEditBoxRecordTextFont(board_->EditRecordObject(), old, font_));
  for (TextCell& c : text_.cells) c.advance = c.height = 0;  // measured again in the new font
  TextBoxImeInUse().SetFont(edit_, font_);
  Redraw();
}

void CScrawlBoard::CInplaceEditBox::ColorsChanged() { Redraw(); }

// ---- measuring and drawing ---------------------------------------------------------------------

void CScrawlBoard::CInplaceEditBox::Measure(std::vector<TextCell>& cells) {
  bool any = false;
  for (const TextCell& c : cells) any = any || (c.advance == 0 && c.height == 0);
  if (any) MeasureCells(Font(), cells);
}

Rect CScrawlBoard::CInplaceEditBox::Limit() const {
  const int right = box_size_.width > 0 ? origin_.x + box_size_.width : board_->width_ - 8;
  const int bottom = box_size_.height > 0 ? origin_.y + box_size_.height : board_->height_ - 6;
  return Rect{origin_.x, origin_.y, std::max(right, origin_.x), std::max(bottom, origin_.y)};
}

Size CScrawlBoard::CInplaceEditBox::Available() const {
  const Rect lim = Limit();
  return Size{lim.Width(), lim.Height()};
}

std::vector<TextCell> CScrawlBoard::CInplaceEditBox::Display() const {
  std::vector<TextCell> cells = text_.cells;
  cells.insert(cells.begin() + std::min<size_t>(text_.caret, cells.size()), comp_.begin(),
               comp_.end());
  return cells;
}

void CScrawlBoard::CInplaceEditBox::Redraw() {
  if (!open_ || drawing_ || board_->IsDetached()) return;
  drawing_ = true;
  board_->overlay_.Clear();
  if (text_.cells.empty() && comp_.empty())
    DrawEmpty();
  else
    DrawLaidOut();
  board_->Notify(true, false);
  drawing_ = false;
}

void CScrawlBoard::CInplaceEditBox::DrawEmpty() {
  const int width = box_size_.width > 0 ? box_size_.width : 2 * line_height_;
  const Rect frame{origin_.x, origin_.y, origin_.x + width, origin_.y + line_height_};
  box_rect_ = frame;
  layout_ = TextLayout{};
  const PixelView& px = board_->overlay_.pixels();
  FillBoxBackdrop(px, Rect{frame.left - 8, frame.top - 6, frame.right + 8, frame.bottom + 8},
                  board_->text_second_);
  PaintBoxFrame(board_->overlay_, board_->TextFrames(), frame);
  const Size avail = Available();
  if (line_height_ <= avail.height) {
    caret_ = CaretSpot{0, 0, 0};
    caret_height_ = line_height_;
    ShowCaret(false);
  } else {
    caret_ = CaretSpot{};
    HideCaret();
  }
}

void CScrawlBoard::CInplaceEditBox::DrawLaidOut() {
  Measure(text_.cells);
  Measure(comp_);
  std::vector<TextCell> display = Display();
  const Size avail = Available();
  layout_ = LayOutText(display, avail.width, avail.height, line_height_);
  Size size = layout_.size;
  if (box_size_.width > 0) size.width = box_size_.width;
  if (box_size_.height > 0) size.height = box_size_.height;
  box_rect_ = Rect{origin_.x, origin_.y, origin_.x + size.width, origin_.y + size.height};
  resizable_ = true;
  const PixelView& px = board_->overlay_.pixels();
  FillBoxBackdrop(px, Grown(box_rect_, 8, 6, 8, 6), board_->text_second_);
  PaintTextCells(px, box_rect_, Font(), board_->text_color_, display);
  PaintBoxFrame(board_->overlay_, board_->TextFrames(), Grown(box_rect_, 8, 6, 8, 6));
  // The box's own cells keep the soft breaks the layout found (for typing at a line end).
  for (size_t i = 0, j = 0; i < display.size() && j < text_.cells.size(); ++i) {
    if (i >= static_cast<size_t>(text_.caret) && i < text_.caret + comp_.size()) continue;
    text_.cells[j++].soft_break = display[i].soft_break;
  }
  const int comp_start = std::min<int>(text_.caret, static_cast<int>(text_.cells.size()));
  caret_ = CaretSpotOf(layout_, display, comp_start + (comp_.empty() ? 0 : comp_cursor_),
                       text_.at_line_end && comp_.empty());
  caret_height_ = line_height_;
  if (!comp_.empty()) {
    const Rect caret_rect{caret_.x, caret_.top, caret_.x + caret_size_.width,
                          caret_.top + line_height_};
    const CompositionMarks marks =
        MarkComposition(layout_, display, comp_start, comp_attrs_, comp_clauses_, caret_rect);
    // The marks are drawn in box coordinates: a view whose (0, 0) is the box's corner.
    if (box_rect_.left >= 0 && box_rect_.top >= 0 && box_rect_.left < px.width &&
        box_rect_.top < px.height) {
      const PixelView box_view{&px.At(box_rect_.left, box_rect_.top), px.row_step_pixels,
                               px.width - box_rect_.left, px.height - box_rect_.top};
      PaintCompositionMarks(box_view, marks.runs);
    }
    caret_ = marks.caret;
    caret_height_ = layout_.pitch;
    exclusions_ = marks.exclusions;
  }
  if (caret_.line < 0)
    HideCaret();
  else
    ShowCaret(true);
  PlaceImeWindows();
}

void CScrawlBoard::CInplaceEditBox::PostRedraw() {
  if (redraw_posted_ || !timer_) {
    if (!timer_) Redraw();
    return;
  }
  redraw_posted_ = true;
  ::PostMessageW(timer_, kRedrawMessage, 0, 0);
}

void CScrawlBoard::CInplaceEditBox::ComposeInto(const PixelView& target) {
  if (!open_ || (text_.cells.empty() && comp_.empty())) return;
  std::vector<TextCell> cells = text_.cells;
  Measure(cells);
  const Size avail = Available();
  PaintTextCells(target,
                 Rect{origin_.x, origin_.y, origin_.x + avail.width, origin_.y + avail.height},
                 Font(), board_->text_color_, cells);
}
