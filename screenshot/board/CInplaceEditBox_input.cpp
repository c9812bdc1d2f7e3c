// CScrawlBoard::CInplaceEditBox: keys and characters with their typing records, the mouse on the
// box (caret, move, width), the blinking caret and the focus.
#include <windowsx.h>

#include <algorithm>

#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"

namespace {

int64_t NowMs() {
  FILETIME ft;
  ::GetSystemTimeAsFileTime(&ft);
  return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) /
         10000;
}

}  // namespace

BOOL CScrawlBoard::CInplaceEditBox::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                                   LRESULT& result) {
  result = 0;
  if (!open_) {
    // A closed box lets no composition reach the system.
    return msg == WM_IME_STARTCOMPOSITION || msg == WM_IME_ENDCOMPOSITION ||
           msg == WM_IME_COMPOSITION;
  }
  switch (msg) {
    case WM_KEYDOWN:
      return OnKeyDown(wParam);
    case WM_CHAR:
      return OnChar(wParam);
    case kRedrawMessage:
      redraw_posted_ = false;
      Redraw();
      return TRUE;
    case WM_TIMER:
      if (wParam != kCaretTimer) return FALSE;
      OnTimer();
      return TRUE;
    case WM_KILLFOCUS:
      OnKillFocus();
      return FALSE;  // the edit window's own handling too
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return OnMouse(msg,
                     Point{GET_X_LPARAM(lParam) - board_->x_, GET_Y_LPARAM(lParam) - board_->y_});
    case WM_CAPTURECHANGED:
      if (!drag_mode_) return FALSE;
      // The drag ends where the last move left it.
      drag_record_->after = place();
      board_->Push(drag_record_.release());
      drag_mode_ = 0;
      return TRUE;
    default:
      return OnImeMessage(msg, wParam, lParam, result);
  }
}

// ---- keys and characters -----------------------------------------------------------------------

LRESULT CScrawlBoard::CInplaceEditBox::OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
      text_.MoveCaret(key == VK_LEFT ? -1 : +1);
      Redraw();
      return TRUE;
    case VK_UP:
    case VK_DOWN: {
      if (!comp_.empty()) return TRUE;
      const Size avail = Available();
      const CaretPlace to = CaretOnNextLine(layout_, text_.cells, text_.caret, text_.at_line_end,
                                            key == VK_UP ? -1 : +1, avail.width, caret_size_.width);
      if (to.index >= 0) {
        text_.caret = to.index;
        text_.at_line_end = to.at_line_end;
        Redraw();
      }
      return TRUE;
    }
    case VK_DELETE:
      Edit(kTypingDelete, 0x7F);
      return TRUE;
    default:
      return FALSE;  // left to WM_CHAR
  }
}

LRESULT CScrawlBoard::CInplaceEditBox::OnChar(WPARAM ch) {
  const uint16_t code = static_cast<uint16_t>(ch);
  if (code == VK_BACK)
    Edit(kTypingBackspace, code);
  else if (code == VK_RETURN)
    Edit(kTypingChar, kLineBreak);
  else if (code >= 0x20 || code == '\t')
    Edit(kTypingChar, code);
  // Escape, 0 and the other control characters (Ctrl+letter) are no text.
  return TRUE;
}

void CScrawlBoard::CInplaceEditBox::Edit(TypingKind kind, uint16_t code) {
  CBaseRecord* current = board_->current_record();
  CEditBoxRecordOnChar* run = nullptr;
  if (current && !current->newer() && board_->records_.IsTextBoxRecord(current) &&
      static_cast<CEditBoxRecordBase*>(current)->sub_type() == &CEditBoxRecordOnChar::kTag)
    run = static_cast<CEditBoxRecordOnChar*>(current);
  const int64_t now = NowMs();
  if (run && !MergesIntoRun(run->run, kind, code, now, composing())) run = nullptr;
  std::unique_ptr<CEditBoxRecordOnChar> fresh;
  if (!run) fresh = std::make_unique<CEditBoxRecordOnChar>(board_->EditRecordObject(), text_);
  bool changed = false;
  if (kind == kTypingBackspace)
    changed = text_.Backspace();
  else if (kind == kTypingDelete)
    changed = text_.DeleteForward();
  else
    changed = text_.Insert(TextCell{0, 0, 0, 0, code});
  if (!changed) return;  // nothing to record (Backspace at the start, the cell limit, ...)
  CEditBoxRecordOnChar* target = run ? run : fresh.get();
  target->after = TextContent{WithoutFlags(text_.cells), text_.caret, text_.at_line_end};
  target->run = TypingRun{kind, code, now};
  if (fresh) board_->Push(fresh.release());
  edited_ = true;
  PostRedraw();
}

// ---- the mouse ---------------------------------------------------------------------------------

int CScrawlBoard::CInplaceEditBox::HitTest(Point p) const {
  if (!open_) return 0;
  const Rect& r = box_rect_;
  int code = 0;
  if (Inflated(r, 1).Contains(p)) {
    code = kHitTextArea;
  } else if (Grown(r, 17, 13, 17, 13).Contains(p)) {
    auto row = [&](int top, int middle, int bottom) {
      return p.y < r.top + 1 ? top : p.y < r.bottom - 1 ? middle : bottom;
    };
    if (p.x < r.left + 1)
      code = row(kHitTopLeft, kHitLeft, kHitBottomLeft);
    else if (p.x >= r.right - 1)
      code = row(kHitTopRight, kHitRight, kHitBottomRight);
    else
      code = p.y < r.top - 1 ? kHitTop : kHitBottom;
  } else {
    const int cx = (r.left + r.right) / 2;
    if (p.x >= cx - 4 && p.x < cx + 4 && p.y >= r.top - 36 && p.y < r.top) code = kHitMove;
  }
  return code && !resizable_ ? kHitMove : code;
}

void CScrawlBoard::CInplaceEditBox::SetCursorFor(int code) const {
  LPCWSTR id = IDC_SIZEWE;
  if (code == kHitTextArea)
    id = IDC_IBEAM;
  else if (code == kHitMove || code == kHitTop || code == kHitBottom)
    id = IDC_SIZEALL;
  ::SetCursor(::LoadCursorW(nullptr, id));
}

bool CScrawlBoard::CInplaceEditBox::OnMouse(UINT msg, Point p) {
  if (board_->hovered_.get()) return false;
  if (msg == WM_LBUTTONUP) {
    if (!drag_mode_) return false;
    DragTo(p);
    drag_record_->after = place();
    board_->Push(drag_record_.release());
    drag_mode_ = 0;
    if (::GetCapture() == board_->host_) ::ReleaseCapture();
    return true;
  }
  if (msg == WM_MOUSEMOVE) {
    if (drag_mode_) {
      DragTo(p);
      return true;
    }
    return board_->tool_ == kToolText || HitTest(p) != 0;
  }
  const int code = HitTest(p);
  if (code == kHitTextArea) {
    CommitComposition();
    const Size avail = Available();
    const CaretPlace at =
        CaretFromPoint(layout_, text_.cells, Point{p.x - origin_.x, p.y - origin_.y}, avail.width,
                       caret_size_.width);
    if (at.index >= 0) {
      text_.caret = at.index;
      text_.at_line_end = at.at_line_end;
    }
    Focus();
    Redraw();
  } else if (code == kHitMove || code == kHitTop || code == kHitBottom) {
    StartDrag(2, p);
  } else if (code == kHitLeft || code == kHitTopLeft || code == kHitBottomLeft) {
    StartDrag(kHitLeft, p);
  } else if (code == kHitRight || code == kHitTopRight || code == kHitBottomRight) {
    StartDrag(kHitRight, p);
  }
  return code != 0;
}

void CScrawlBoard::CInplaceEditBox::CancelDrag() {
  if (!drag_mode_) return;
  // Cleared first: the capture change that ReleaseCapture sends finds no drag to end.
  drag_mode_ = 0;
  drag_record_.reset();
  if (::GetCapture() == board_->host_) ::ReleaseCapture();
}

void CScrawlBoard::CInplaceEditBox::StartDrag(int mode, Point p) {
  Focus();
  drag_record_ = std::make_unique<CEditBoxRecordTextBoxPos>(board_->EditRecordObject(), place());
  drag_press_ = p;
  drag_rect_ = box_rect_;
  drag_mode_ = mode;
  ::SetCapture(board_->host_);
}

void CScrawlBoard::CInplaceEditBox::DragTo(Point p) {
  const int dx = p.x - drag_press_.x, dy = p.y - drag_press_.y;
  const int max_x = board_->width_ - 8, max_y = board_->height_ - 6;
  Rect r = drag_rect_;
  if (drag_mode_ == 2) {
    r = Offset(r, dx, dy);
    // Right and bottom first, then left and top: a box larger than the board keeps its corner.
    if (r.right > max_x) r = Offset(r, max_x - r.right, 0);
    if (r.bottom > max_y) r = Offset(r, 0, max_y - r.bottom);
    if (r.left < 8) r = Offset(r, 8 - r.left, 0);
    if (r.top < 6) r = Offset(r, 0, 6 - r.top);
    if (resizable_) box_size_.width = r.Width();
  } else if (drag_mode_ == kHitLeft) {
    r.left = std::min(std::max(r.left + dx, 8), r.right - 1);
    box_size_.width = r.Width();
  } else {
    r.right = std::max(std::min(r.right + dx, max_x), r.left + 1);
    box_size_.width = r.Width();
  }
  origin_ = Point{r.left, r.top};
  box_rect_ = r;
  Redraw();
}

// ---- caret and focus ---------------------------------------------------------------------------

void CScrawlBoard::CInplaceEditBox::Focus() {
  if (!edit_) return;
  ::ShowWindow(edit_, SW_SHOWNA);
  ::SetForegroundWindow(edit_);
  ::SetFocus(edit_);
  board_->OnTextEditing(TRUE);
  TextBoxImeInUse().SetFont(edit_, board_->text_font_);
}

void CScrawlBoard::CInplaceEditBox::ShowCaret(bool restart) {
  if (!open_ || caret_.line < 0) return;
  const Size avail = Available();
  const int h = caret_height_ > 0 ? caret_height_ : line_height_;
  if (caret_.x + caret_size_.width > avail.width + 2 || caret_.top + h > avail.height + 2) {
    HideCaret();  // no room for the caret
    return;
  }
  RECT r = {origin_.x + caret_.x, origin_.y + caret_.top, origin_.x + caret_.x + caret_size_.width,
            origin_.y + caret_.top + h};
  const Rect clip = Inflated(box_rect_, 2);
  r.left = std::max<LONG>(r.left, clip.left);
  r.top = std::max<LONG>(r.top, clip.top);
  r.right = std::min<LONG>(r.right, clip.right);
  r.bottom = std::min<LONG>(r.bottom, clip.bottom);
  blink_on_ = true;
  board_->OnCaretChanged(&r, TRUE);
  if (timer_ && (restart || !timer_running_)) {
    ::SetTimer(timer_, kCaretTimer, 500, nullptr);
    timer_running_ = true;
  }
}

void CScrawlBoard::CInplaceEditBox::HideCaret() {
  if (timer_ && timer_running_) ::KillTimer(timer_, kCaretTimer);
  timer_running_ = false;
  blink_on_ = false;
  if (!board_->IsDetached()) board_->OnCaretChanged(nullptr, FALSE);
}

void CScrawlBoard::CInplaceEditBox::OnTimer() {
  if (caret_.line < 0) return;
  const bool on = !blink_on_;
  const int h = caret_height_ > 0 ? caret_height_ : line_height_;
  RECT r = {origin_.x + caret_.x, origin_.y + caret_.top, origin_.x + caret_.x + caret_size_.width,
            origin_.y + caret_.top + h};
  blink_on_ = on;
  board_->OnCaretChanged(&r, on ? TRUE : FALSE);
}

void CScrawlBoard::CInplaceEditBox::OnKillFocus() {
  HideCaret();
  board_->OnTextEditing(FALSE);
}
