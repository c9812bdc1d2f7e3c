// CScrawlBoard: the text tool and the text box on the board: pressing with the text tool, the
// box's messages, closing it, its records at close, undo and redo while it is open.
#include <windowsx.h>

#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"

void CScrawlBoard::OnComposing(BOOL) {}

bool CScrawlBoard::IsTextEditing() const { return text_box_ && text_box_->IsOpen(); }

CScrawlBoard::CInplaceEditBox* CScrawlBoard::TextBox() {
  if (!text_box_) text_box_ = std::make_unique<CInplaceEditBox>(this);
  return text_box_.get();
}

const HBITMAP* CScrawlBoard::TextFrames() {
  for (int i = 0; i < 5; ++i) text_frames_[i] = frame_bitmaps_[i].get();
  return text_frames_;
}

CScrawlBoard::CObjectBase* CScrawlBoard::EditRecordObject() const {
  return tool_ == kToolSelect ? selected_.get() : nullptr;
}

void CScrawlBoard::ComposingChanged(bool composing) {
  if (composing == composing_) return;
  composing_ = composing;
  OnComposing(composing ? TRUE : FALSE);
}

CScrawlBoard::CObjectText* CScrawlBoard::CloseTextBox(bool discard, bool redraw) {
  return IsTextEditing() ? text_box_->Close(discard, redraw) : nullptr;
}

bool CScrawlBoard::DropTextBoxRecords() {
  RecordLink* cut = records_.CutTextBoxRecords();
  if (!cut) return false;
  DiscardChain(cut);
  return true;
}

// ---- messages ----------------------------------------------------------------------------------

void CScrawlBoard::TextPress(Point p) {
  if (creating_) return;
  if (IsTextEditing()) {
    CloseTextBox(false, true);
    return;
  }
  if (!OnBoard(p)) return;
  CInplaceEditBox* box = TextBox();
  box->OpenNew(p);
  Push(new CEditBoxRecordBeginEdit(box->origin(), text_color_, text_second_, text_font_));
}

LRESULT CScrawlBoard::OnTextBoxMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  bHandled = FALSE;
  if (creating_ || manip_mode_) return 0;
  switch (uMsg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_CHAR:
      break;
    default:
      return 0;
  }
  LRESULT result = 0;
  if (IsTextEditing() && text_box_->ProcessMessage(uMsg, wParam, lParam, result)) {
    bHandled = TRUE;
    return result;
  }
  // A press of the text tool elsewhere: a new box, or the open one closed with its text.
  if (uMsg == WM_LBUTTONDOWN && tool_ == kToolText) {
    TextPress(BoardPoint(lParam));
    bHandled = TRUE;
  }
  return 0;
}

// ---- undo and redo with the box open -----------------------------------------------------------

void CScrawlBoard::UndoTextBox() {
  if (text_box_) text_box_->CancelDrag();
  // A composition in progress is taken as typed first, and undone with the typing.
  if (IsTextEditing() && text_box_->composing()) text_box_->CommitComposition();
  selected_.Reset();
  hovered_.Reset();
  editing_.Reset();
  CBaseRecord* current = current_record();
  if (!records_.IsTextBoxRecord(current)) {
    CloseTextBox(true, false);
    static_cast<CBaseRecord*>(records_.StepBack())->Undo(this);
    return;
  }
  static_cast<CBaseRecord*>(records_.StepBack())->Undo(this);
  CBaseRecord* now = current_record();
  if (records_.IsTextBoxRecord(now)) {
    editing_.Reset(now->object());
    SelectIfSelectMode(now->object());
  } else {
    // Undone back to where the box opened: it goes, its text with it.
    CloseTextBox(true, false);
  }
}

void CScrawlBoard::RedoTextBox(CBaseRecord* record) {
  if (text_box_) text_box_->CancelDrag();
  if (records_.IsTextBoxRecord(record)) {
    SelectIfSelectMode(record->object());
    const auto* before = static_cast<CBaseRecord*>(record->prev);
    if (!records_.IsTextBoxRecord(before) && record->object() &&
        record->object()->kind == kObjectText && !IsTextEditing())
      TextBox()->OpenOn(static_cast<CObjectText*>(record->object()));
    else
      editing_.Reset(record->object());
  }
  record->Redo(this);
}
