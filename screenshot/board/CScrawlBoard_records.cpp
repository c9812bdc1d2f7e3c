// The annotation board's undo records, and push, undo and redo on the board.
#include "screenshot/board/CScrawlBoard_records.h"

#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/shape_geometry.h"

const char CScrawlBoard::CBaseRecord::kEditBoxFamily = 0;
const char CScrawlBoard::CRecordRectangle::kTag = 0;
const char CScrawlBoard::CRecordEllipse::kTag = 0;
const char CScrawlBoard::CRecordArrow::kTag = 0;
const char CScrawlBoard::CRecordPolyline::kTag = 0;
const char CScrawlBoard::CRecordDeleteObject::kTag = 0;
const char CScrawlBoard::CRecordSetPenWidth::kTag = 0;
const char CScrawlBoard::CRecordSetColor::kTag = 0;
const char CScrawlBoard::CRecordSetDashStyle::kTag = 0;
const char CScrawlBoard::CRecordSetRectangle::kTag = 0;
const char CScrawlBoard::CRecordOffsetObject::kTag = 0;

// ---- the base ----------------------------------------------------------------------------------

void CScrawlBoard::CBaseRecord::Undo(CScrawlBoard*) {}
void CScrawlBoard::CBaseRecord::Redo(CScrawlBoard*) {}
void CScrawlBoard::CBaseRecord::Discard(CScrawlBoard*) { delete this; }
CScrawlBoard::CBaseRecord::~CBaseRecord() = default;

// ---- creation ----------------------------------------------------------------------------------

void CScrawlBoard::CRecordNewObject::Undo(CScrawlBoard* board) {
  if (board->selected_.get() == object_) {
    was_selected_ = 1;
    board->selected_.Reset();
  }
  if (board->hovered_.get() == object_) board->hovered_.Reset();
  object_->alive = 0;
}

void CScrawlBoard::CRecordNewObject::Redo(CScrawlBoard* board) {
  object_->alive = 1;
  if (was_selected_) {
    was_selected_ = 0;
    board->SelectIfSelectMode(object_);
  }
}

void CScrawlBoard::CRecordNewObject::Discard(CScrawlBoard* board) {
  board->objects_.Unlink(object_);
  object_->Release();
  delete this;
}

// ---- delete ------------------------------------------------------------------------------------

CScrawlBoard::CRecordDeleteObject::CRecordDeleteObject(CObjectBase* o) : CBaseRecord(&kTag, o) {
  o->deleted = 1;
}

void CScrawlBoard::CRecordDeleteObject::Undo(CScrawlBoard*) { object_->deleted = 0; }
void CScrawlBoard::CRecordDeleteObject::Redo(CScrawlBoard*) { object_->deleted = 1; }

// ---- style -------------------------------------------------------------------------------------

CScrawlBoard::CRecordSetPenWidth::CRecordSetPenWidth(CPenObject* o, int old_width, int new_width)
    : CBaseRecord(&kTag, o), old_(old_width), new_(new_width) {}

void CScrawlBoard::CRecordSetPenWidth::Apply(CScrawlBoard* board, int width) {
  board->SelectIfSelectMode(object_);
  static_cast<CPenObject*>(object_)->width = width;
  object_->hit_mask.Clear();  // the stroke's mask is as wide as the pen
}

void CScrawlBoard::CRecordSetPenWidth::Undo(CScrawlBoard* board) { Apply(board, old_); }
void CScrawlBoard::CRecordSetPenWidth::Redo(CScrawlBoard* board) { Apply(board, new_); }

CScrawlBoard::CRecordSetColor::CRecordSetColor(CPenObject* o, COLORREF old_color,
                                               COLORREF new_color)
    : CBaseRecord(&kTag, o), old_(old_color), new_(new_color) {}

void CScrawlBoard::CRecordSetColor::Undo(CScrawlBoard* board) {
  board->SelectIfSelectMode(object_);
  static_cast<CPenObject*>(object_)->color = ArgbOfColorref(old_);
}

void CScrawlBoard::CRecordSetColor::Redo(CScrawlBoard* board) {
  board->SelectIfSelectMode(object_);
  static_cast<CPenObject*>(object_)->color = ArgbOfColorref(new_);
}

CScrawlBoard::CRecordSetDashStyle::CRecordSetDashStyle(CPenObject* o, int old_style, int new_style)
    : CBaseRecord(&kTag, o), old_(old_style), new_(new_style) {}

void CScrawlBoard::CRecordSetDashStyle::Undo(CScrawlBoard* board) {
  board->SelectIfSelectMode(object_);
  static_cast<CPenObject*>(object_)->dash = old_;
}

void CScrawlBoard::CRecordSetDashStyle::Redo(CScrawlBoard* board) {
  board->SelectIfSelectMode(object_);
  static_cast<CPenObject*>(object_)->dash = new_;
}

// ---- geometry ----------------------------------------------------------------------------------

CScrawlBoard::CRecordSetRectangle::CRecordSetRectangle(CObjectBase* o, const Rect& old_rect,
                                                       const Rect& new_rect, int reselect)
    : CBaseRecord(&kTag, o), old_(old_rect), new_(new_rect), reselect_(reselect) {}

void CScrawlBoard::CRecordSetRectangle::Apply(CScrawlBoard* board, const Rect& r) {
  if (reselect_) board->SelectIfSelectMode(object_);
  object_->rect = r;
  object_->hit_mask.Clear();
}

void CScrawlBoard::CRecordSetRectangle::Undo(CScrawlBoard* board) { Apply(board, old_); }
void CScrawlBoard::CRecordSetRectangle::Redo(CScrawlBoard* board) { Apply(board, new_); }

CScrawlBoard::CRecordOffsetObject::CRecordOffsetObject(CObjectBase* o, int dx, int dy, int reselect)
    : CBaseRecord(&kTag, o), dx_(dx), dy_(dy), reselect_(reselect) {}

void CScrawlBoard::CRecordOffsetObject::Apply(CScrawlBoard* board, int dx, int dy) {
  if (reselect_) board->SelectIfSelectMode(object_);
  if (object_->kind == kObjectPolyline) {
    static_cast<CObjectPolyline*>(object_)->OffsetBy(dx, dy);
  } else {
    object_->rect = Offset(object_->rect, dx, dy);
    object_->hit_mask.Clear();
  }
}

void CScrawlBoard::CRecordOffsetObject::Undo(CScrawlBoard* board) { Apply(board, -dx_, -dy_); }
void CScrawlBoard::CRecordOffsetObject::Redo(CScrawlBoard* board) { Apply(board, dx_, dy_); }

// ---- the board's side --------------------------------------------------------------------------

CScrawlBoard::CBaseRecord* CScrawlBoard::first_record() const {
  return static_cast<CBaseRecord*>(records_.head());
}

CScrawlBoard::CBaseRecord* CScrawlBoard::current_record() const {
  return static_cast<CBaseRecord*>(records_.current());
}

void CScrawlBoard::DiscardChain(RecordLink* chain) {
  // Oldest first: a creation record frees its object, and every record about that object comes
  // after it, so none of them is left pointing at a freed object when it is discarded.
  while (chain) {
    RecordLink* next = chain->next;
    static_cast<CBaseRecord*>(chain)->Discard(this);
    chain = next;
  }
}

void CScrawlBoard::Push(CBaseRecord* record) {
  const RecordList::PushOutcome out = records_.Push(record);
  DiscardChain(out.cut);
  if (out.redo_changed) OnBoardEvent(kBoardEventRedo);
  if (out.undo_changed) OnBoardEvent(kBoardEventUndo);
}

bool CScrawlBoard::CanUndo() const { return !IsDetached() && records_.CanUndo(); }
bool CScrawlBoard::CanRedo() const { return !IsDetached() && records_.CanRedo(); }

void CScrawlBoard::Undo() {
  if (!CanUndo()) return;
  // A drag in progress would go on with an object whose state the record is about to change.
  StopDragging();
  // CScrawlBoard_text_board.cpp: the text box's records, and the box, are undone with it.
  UndoTextBox();
  RefreshAfterUndoRedo();
}

void CScrawlBoard::Redo() {
  if (!CanRedo()) return;
  StopDragging();
  selected_.Reset();
  hovered_.Reset();
  editing_.Reset();
  RedoTextBox(static_cast<CBaseRecord*>(records_.StepForward()));
  RefreshAfterUndoRedo();
}

void CScrawlBoard::RefreshAfterUndoRedo() {
  if (IsTextEditing()) {
    RebuildBackground(editing_.get());
    text_box_->Redraw();
    OnStyleTarget(kObjectText);
    return;
  }
  CObjectBase* s = selected_.get();
  if (tool_ == kToolSelect && s) {
    ShowSelected(s);
    TakeStyleOf(s);
    OnStyleTarget(s->kind);
  } else {
    RebuildBackground();
    Notify(false, false);
    OnStyleTarget(0);
  }
}
