// The annotation board's text: the text object, its records, the text box's own records, and
// the drawing of laid-out cells and of the text box's frame.
#pragma once

#include <windows.h>

#include <vector>

#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"
#include "screenshot/board/text_layout.h"

// What a text object shows: where its text starts, its rectangle, the fixed box size (0: none),
// both colours, the font, the widest line and the cells (flags cleared).
struct TextObjectContent {
  Point position;
  Rect rect;
  Size box_size;
  COLORREF color = 0;
  COLORREF second = 0;
  LOGFONTW font = {};
  int widest = 0;
  std::vector<TextCell> cells;
};

class CScrawlBoard::CObjectText : public CObjectBase {
 public:
  // Appended to `list`; its rectangle is the content's.
  CObjectText(ObjectList& list, TextObjectContent content);
  // The glyphs in the text colour, no background.
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  // A black frame round the rectangle; glyphs in the inverted colour on a translucent backdrop.
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  // The box's backdrop and frame, then the text; the open box instead while it edits this.
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // On a glyph pixel (the mask of the glyphs).
  int HitTestBody(int x, int y, int wide) override;
  void RenderHitMask(HDC dc, const Rect& box) override;
  const TextObjectContent& content() const { return content_; }
  // Takes `c` (rectangle included); the hit mask is made again when next needed.
  void SetContent(TextObjectContent c);
  // Moves the text to `position` with `rect` and box size `box`.
  void Place(Point position, const Rect& rect, Size box);

 private:
  TextObjectContent content_;
};

// Draws `cells` (measured here) laid out in `rect` with `font` in `color` onto `target`,
// source-over with the glyphs' coverage as alpha, clipped to the target. Answers the layout.
TextLayout PaintTextCells(const PixelView& target, const Rect& rect, HFONT font, COLORREF color,
                          std::vector<TextCell> cells);
// Measures every cell's advance and height with `font` (DrawTextW on the single character).
void MeasureCells(HFONT font, std::vector<TextCell>& cells);
// The height of "ABC" in `font`.
int LineHeightOf(HFONT font);
// Fills `r` (clipped) with `color` premultiplied at alpha 0xF0.
void FillBoxBackdrop(const PixelView& target, const Rect& r, COLORREF color);
// The text box's frame on `r` from the board's bitmaps 1061..1065 (corner, edge knob, grip,
// horizontal tile, vertical tile).
void PaintBoxFrame(BoardLayer& layer, const HBITMAP frames[5], const Rect& r);

// ---- records -----------------------------------------------------------------------------------

// A text object's creation; redo closes an open box (its content dropped) first.
class CScrawlBoard::CRecordText : public CRecordNewObject {
 public:
  explicit CRecordText(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  void Redo(CScrawlBoard* board) override;
  static const char kTag;
};

// A text object's content before and after an edit in the box.
class CScrawlBoard::CRecordChangeObjectText : public CBaseRecord {
 public:
  CRecordChangeObjectText(CObjectText* o, TextObjectContent before, TextObjectContent after);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  TextObjectContent before_, after_;
};

// A text object moved in select mode: position, rectangle and box size before and after.
class CScrawlBoard::CRecordOffsetTextBox : public CBaseRecord {
 public:
  struct Place {
    Point position;
    Size box_size;
    Rect rect;
  };
  CRecordOffsetTextBox(CObjectText* o, const Place& before, const Place& after);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  Place before_, after_;
};

// Every record made while the text box is open carries the family tag; the sub-type tells
// which. Dropped when the box closes (the closing record replaces them).
class CScrawlBoard::CEditBoxRecordBase : public CBaseRecord {
 public:
  const void* sub_type() const { return sub_type_; }
  static const char kTag;

 protected:
  CEditBoxRecordBase(const void* sub_type, CObjectBase* edited)
      : CBaseRecord(&kEditBoxFamily, edited), sub_type_(sub_type) {}
  const void* sub_type_;
};

// A new box opened at a point with the colours and font of that moment; redo opens it again.
class CScrawlBoard::CEditBoxRecordBeginEdit : public CEditBoxRecordBase {
 public:
  CEditBoxRecordBeginEdit(Point at, COLORREF color, COLORREF second, const LOGFONTW& font);
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  Point at_;
  COLORREF color_, second_;
  LOGFONTW font_;
};

// A run of typing: the box's content before and after, the time of its last key and that key.
class CScrawlBoard::CEditBoxRecordOnChar : public CEditBoxRecordBase {
 public:
  CEditBoxRecordOnChar(CObjectBase* edited, const TextContent& before);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

  TextContent before, after;
  TypingRun run;
};

// The box's colours; -1 for a value that was no part of the change.
class CScrawlBoard::CEditBoxRecordTextColor : public CEditBoxRecordBase {
 public:
  CEditBoxRecordTextColor(CObjectBase* edited, COLORREF old_color, COLORREF old_second,
                          COLORREF new_color, COLORREF new_second);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  COLORREF old_color_, old_second_, new_color_, new_second_;
};

// The box's font, old and new.
class CScrawlBoard::CEditBoxRecordTextFont : public CEditBoxRecordBase {
 public:
  CEditBoxRecordTextFont(CObjectBase* edited, const LOGFONTW& old_font, const LOGFONTW& new_font);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

 private:
  LOGFONTW old_, new_;
};

// The box moved or its width pulled: origin, rectangle and fixed size before and after.
class CScrawlBoard::CEditBoxRecordTextBoxPos : public CEditBoxRecordBase {
 public:
  struct Place {
    Point origin;
    Rect rect;
    Size size;
  };
  CEditBoxRecordTextBoxPos(CObjectBase* edited, const Place& before);
  void Undo(CScrawlBoard* board) override;
  void Redo(CScrawlBoard* board) override;
  static const char kTag;

  Place before, after;
};
