// The annotation board's undo records: the common base with its virtual slots, the creation
// records, delete, and the changes of style and geometry.
//
// "Selecting" an object in a record means: when the board's tool is select, it becomes the
// selected one. Records point at their objects without a reference: an object lives at least as
// long as its creation record, and every record about it lies after that one in the list.
#pragma once

#include "screenshot/board/CScrawlBoard.h"

class CScrawlBoard::CBaseRecord : public RecordLink {
 public:
  // 0: undoes the change on `board`.
  virtual void Undo(CScrawlBoard* board);
  // 1: makes the change again.
  virtual void Redo(CScrawlBoard* board);
  // 2: the record falls off the redo side or the board is detached: destroys the record.
  virtual void Discard(CScrawlBoard* board);
  // 3.
  virtual ~CBaseRecord();

  // The object the record is about (none for records that have none).
  CObjectBase* object() const { return object_; }
  CBaseRecord* newer() const { return static_cast<CBaseRecord*>(next); }

  // The family tag every text-box record carries.
  static const char kEditBoxFamily;

 protected:
  CBaseRecord(const void* tag, CObjectBase* object) : RecordLink(tag), object_(object) {}
  CObjectBase* object_;
};

// The creation of an object: undo takes it away (alive cleared), redo brings it back; discarding
// the record takes the object out of the board's list and releases it.
class CScrawlBoard::CRecordNewObject : public CBaseRecord {
 public:
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  void Discard(CScrawlBoard* board) override;

 protected:
  CRecordNewObject(const void* tag, CObjectBase* object) : CBaseRecord(tag, object) {}
  int was_selected_ = 0;
};

class CScrawlBoard::CRecordRectangle : public CRecordNewObject {
 public:
  explicit CRecordRectangle(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  static const char kTag;
};

class CScrawlBoard::CRecordEllipse : public CRecordNewObject {
 public:
  explicit CRecordEllipse(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  static const char kTag;
};

class CScrawlBoard::CRecordArrow : public CRecordNewObject {
 public:
  explicit CRecordArrow(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  static const char kTag;
};

class CScrawlBoard::CRecordPolyline : public CRecordNewObject {
 public:
  explicit CRecordPolyline(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  static const char kTag;
};

// The object's deleted flag: set when made (the deletion is done), cleared by undo.
class CScrawlBoard::CRecordDeleteObject : public CBaseRecord {
 public:
  explicit CRecordDeleteObject(CObjectBase* o);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;
};

// A shape's pen width, old and new; both ways select the shape.
class CScrawlBoard::CRecordSetPenWidth : public CBaseRecord {
 public:
  CRecordSetPenWidth(CPenObject* o, int old_width, int new_width);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  void Apply(CScrawlBoard* board, int width);
  int old_, new_;
};

// A shape's colour, old and new as COLORREF values; both ways select the shape.
class CScrawlBoard::CRecordSetColor : public CBaseRecord {
 public:
  CRecordSetColor(CPenObject* o, COLORREF old_color, COLORREF new_color);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  COLORREF old_, new_;
};

// A shape's dash style, old and new; both ways select the shape.
class CScrawlBoard::CRecordSetDashStyle : public CBaseRecord {
 public:
  CRecordSetDashStyle(CPenObject* o, int old_style, int new_style);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  int old_, new_;
};

// A rectangle, ellipse or arrow resized (an arrow end moved): its old and new rectangle; with
// the reselect flag, both ways select it.
class CScrawlBoard::CRecordSetRectangle : public CBaseRecord {
 public:
  CRecordSetRectangle(CObjectBase* o, const Rect& old_rect, const Rect& new_rect, int reselect);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  void Apply(CScrawlBoard* board, const Rect& r);
  Rect old_, new_;
  int reselect_;
};

// An ellipse, arrow or free-hand line moved by (dx, dy); with the reselect flag, both ways
// select it.
class CScrawlBoard::CRecordOffsetObject : public CBaseRecord {
 public:
  CRecordOffsetObject(CObjectBase* o, int dx, int dy, int reselect);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  void Apply(CScrawlBoard* board, int dx, int dy);
  int dx_, dy_;
  int reselect_;
};
