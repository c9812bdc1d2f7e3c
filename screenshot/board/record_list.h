// The bookkeeping of the annotation board's undo list: records in order, oldest first, and the
// current position (the newest record not undone; none when everything is undone). A new record
// goes after the current position and everything after it is cut off. Records made while the
// in-place text box is open pile up after the last ordinary record; an ordinary record pushed
// later lands after that record and cuts them off, which collapses a text edit into one step.
//
// The list only links records; what undoing, redoing or discarding one means belongs to the
// board.
#pragma once

#include <cstdint>

// The links every record carries.
struct RecordLink {
  explicit RecordLink(const void* tag) : type_tag(tag) {}
  RecordLink* next = nullptr;  // newer
  RecordLink* prev = nullptr;  // older
  // The record's class family; every text-box record carries the same one.
  const void* type_tag;
  int32_t unpushed = 1;  // cleared when the record is pushed
};

class RecordList {
 public:
  // The tag that marks text-box records.
  explicit RecordList(const void* text_box_tag) : text_box_tag_(text_box_tag) {}
  RecordList(const RecordList&) = delete;
  RecordList& operator=(const RecordList&) = delete;

  RecordLink* head() const { return head_; }
  RecordLink* current() const { return current_; }
  bool IsTextBoxRecord(const RecordLink* r) const { return r && r->type_tag == text_box_tag_; }

  bool CanUndo() const { return current_ != nullptr; }
  bool CanRedo() const { return current_ ? current_->next != nullptr : head_ != nullptr; }

  struct PushOutcome {
    // The records cut off, oldest first (linked by next), for the caller to discard in that
    // order; null when none.
    RecordLink* cut = nullptr;
    bool redo_changed = false;  // redo was possible and is not any more
    bool undo_changed = false;  // undo was not possible and is now
  };
  // Inserts `r` after the current record (an ordinary record: after the newest ordinary record
  // up to the current one, stepping back over text-box records) and makes it current.
  PushOutcome Push(RecordLink* r);

  // Undo and redo move the position: StepBack answers the record to undo (the current one) and
  // makes the one before it current; StepForward makes the next record current (the head from
  // the start) and answers it, to redo. Null when there is none.
  RecordLink* StepBack();
  RecordLink* StepForward();
  // Empties the list and answers every record, oldest first, for the caller to discard.
  RecordLink* TakeAll();
  // Takes out the text-box records after the newest ordinary record (what a closing text box
  // leaves) and answers them, oldest first, for the caller to discard; null when there are
  // none. The current position moves back to that ordinary record when it was among them.
  RecordLink* CutTextBoxRecords();
  int Count() const;

 private:
  const void* text_box_tag_;
  RecordLink* head_ = nullptr;
  RecordLink* current_ = nullptr;
};
