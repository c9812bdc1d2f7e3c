// The bookkeeping of the annotation board's undo list.
#include "screenshot/board/record_list.h"

RecordList::PushOutcome RecordList::Push(RecordLink* r) {
  PushOutcome out;
  const bool could_undo = CanUndo(), could_redo = CanRedo();
  r->unpushed = 0;
  RecordLink* at = current_;
  if (!IsTextBoxRecord(r))
    while (at && IsTextBoxRecord(at)) at = at->prev;
  out.cut = at ? at->next : head_;
  if (out.cut) out.cut->prev = nullptr;
  r->prev = at;
  r->next = nullptr;
  if (at)
    at->next = r;
  else
    head_ = r;
  current_ = r;
  out.redo_changed = could_redo;
  out.undo_changed = !could_undo;
  return out;
}

RecordLink* RecordList::StepBack() {
  RecordLink* r = current_;
  if (r) current_ = r->prev;
  return r;
}

RecordLink* RecordList::StepForward() {
  RecordLink* next = current_ ? current_->next : head_;
  if (next) current_ = next;
  return next;
}

RecordLink* RecordList::TakeAll() {
  RecordLink* all = head_;
  head_ = current_ = nullptr;
  return all;
}

int RecordList::Count() const {
  int n = 0;
  for (const RecordLink* r = head_; r; r = r->next) ++n;
  return n;
}

RecordLink* RecordList::CutTextBoxRecords() {
  RecordLink* last_ordinary = nullptr;
  for (RecordLink* r = head_; r; r = r->next)
    if (!IsTextBoxRecord(r)) last_ordinary = r;
  RecordLink* cut = last_ordinary ? last_ordinary->next : head_;
  if (!cut) return nullptr;
  for (RecordLink* r = cut; r; r = r->next)
    if (r == current_) current_ = last_ordinary;
  if (last_ordinary)
    last_ordinary->next = nullptr;
  else
    head_ = nullptr;
  cut->prev = nullptr;
  return cut;
}
