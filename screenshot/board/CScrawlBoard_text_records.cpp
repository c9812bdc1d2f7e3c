// The annotation board's text records: a text object's creation, its content changed or its box
// moved, and the records the text box keeps while it is open.
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"

const char CScrawlBoard::CRecordText::kTag = 0;
const char CScrawlBoard::CRecordChangeObjectText::kTag = 0;
const char CScrawlBoard::CRecordOffsetTextBox::kTag = 0;
const char CScrawlBoard::CEditBoxRecordBase::kTag = 0;
const char CScrawlBoard::CEditBoxRecordBeginEdit::kTag = 0;
const char CScrawlBoard::CEditBoxRecordOnChar::kTag = 0;
const char CScrawlBoard::CEditBoxRecordTextColor::kTag = 0;
const char CScrawlBoard::CEditBoxRecordTextFont::kTag = 0;
const char CScrawlBoard::CEditBoxRecordTextBoxPos::kTag = 0;

// ---- text objects ------------------------------------------------------------------------------

void CScrawlBoard::CRecordText::Redo(CScrawlBoard* board) {
  board->CloseTextBox(true, false);
  object_->alive = 1;
}

CScrawlBoard::CRecordChangeObjectText::CRecordChangeObjectText(CObjectText* o,
                                                               TextObjectContent before,
                                                               TextObjectContent after)
    : CBaseRecord(&kTag, o), before_(std::move(before)), after_(std::move(after)) {}

void CScrawlBoard::CRecordChangeObjectText::Undo(CScrawlBoard*) {
  static_cast<CObjectText*>(object_)->SetContent(before_);
}

void CScrawlBoard::CRecordChangeObjectText::Redo(CScrawlBoard* board) {
  board->CloseTextBox(true, false);
  static_cast<CObjectText*>(object_)->SetContent(after_);
}

CScrawlBoard::CRecordOffsetTextBox::CRecordOffsetTextBox(CObjectText* o, const Place& before,
                                                         const Place& after)
    : CBaseRecord(&kTag, o), before_(before), after_(after) {}

void CScrawlBoard::CRecordOffsetTextBox::Undo(CScrawlBoard*) {
  static_cast<CObjectText*>(object_)->Place(before_.position, before_.rect, before_.box_size);
}

void CScrawlBoard::CRecordOffsetTextBox::Redo(CScrawlBoard* board) {
  board->CloseTextBox(true, false);
  static_cast<CObjectText*>(object_)->Place(after_.position, after_.rect, after_.box_size);
}

// ---- the text box's records --------------------------------------------------------------------

CScrawlBoard::CEditBoxRecordBeginEdit::CEditBoxRecordBeginEdit(Point at, COLORREF color,
                                                               COLORREF second,
                                                               const LOGFONTW& font)
    : CEditBoxRecordBase(&kTag, nullptr), at_(at), color_(color), second_(second), font_(font) {}

void CScrawlBoard::CEditBoxRecordBeginEdit::Redo(CScrawlBoard* board) {
  if (board->tool_ == kToolSelect) {
    board->selected_.Reset();
    board->hovered_.Reset();
  }
  board->SetTextFont(&font_);
  board->text_color_ = color_;
  board->text_second_ = second_;
  board->TextBox()->OpenNew(at_);
}

CScrawlBoard::CEditBoxRecordOnChar::CEditBoxRecordOnChar(CObjectBase* edited,
                                                         const TextContent& content)
    : CEditBoxRecordBase(&kTag, edited),
      before{WithoutFlags(content.cells), content.caret, content.at_line_end} {}

void CScrawlBoard::CEditBoxRecordOnChar::Undo(CScrawlBoard* board) {
  board->TextBox()->SetContent(before);
}

void CScrawlBoard::CEditBoxRecordOnChar::Redo(CScrawlBoard* board) {
  board->TextBox()->SetContent(after);
}

CScrawlBoard::CEditBoxRecordTextColor::CEditBoxRecordTextColor(CObjectBase* edited,
                                                               COLORREF old_color,
                                                               COLORREF old_second,
                                                               COLORREF new_color,
                                                               COLORREF new_second)
    : CEditBoxRecordBase(&kTag, edited),
      old_color_(old_color),
      old_second_(old_second),
      new_color_(new_color),
      new_second_(new_second) {}

void CScrawlBoard::CEditBoxRecordTextColor::Undo(CScrawlBoard* board) {
  if (old_color_ != CLR_INVALID) board->text_color_ = old_color_;
  if (old_second_ != CLR_INVALID) board->text_second_ = old_second_;
}

void CScrawlBoard::CEditBoxRecordTextColor::Redo(CScrawlBoard* board) {
  if (new_color_ != CLR_INVALID) board->text_color_ = new_color_;
  if (new_second_ != CLR_INVALID) board->text_second_ = new_second_;
}

CScrawlBoard::CEditBoxRecordTextFont::CEditBoxRecordTextFont(CObjectBase* edited,
                                                             const LOGFONTW& old_font,
                                                             const LOGFONTW& new_font)
    : CEditBoxRecordBase(&kTag, edited), old_(old_font), new_(new_font) {}

void CScrawlBoard::CEditBoxRecordTextFont::Undo(CScrawlBoard* board) {
  board->TextBox()->ChangeFont(old_, false);
}

void CScrawlBoard::CEditBoxRecordTextFont::Redo(CScrawlBoard* board) {
  board->TextBox()->ChangeFont(new_, false);
}

CScrawlBoard::CEditBoxRecordTextBoxPos::CEditBoxRecordTextBoxPos(CObjectBase* edited,
                                                                 const Place& old_place)
    : CEditBoxRecordBase(&kTag, edited), before(old_place), after(old_place) {}

void CScrawlBoard::CEditBoxRecordTextBoxPos::Undo(CScrawlBoard* board) {
  board->TextBox()->SetPlace(before);
}

void CScrawlBoard::CEditBoxRecordTextBoxPos::Redo(CScrawlBoard* board) {
  board->TextBox()->SetPlace(after);
}
