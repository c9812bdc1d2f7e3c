// The annotation board's mosaic region and its creation record.
#pragma once

#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"

// A rectangle of the capture blurred into square blocks (kind 7). It keeps no pixels: each time
// it is drawn it blurs what lies under it at that moment, which on the background is the screen
// and every object older than it; objects made after it are drawn over it unblurred. It can be
// hovered, selected and deleted, but has no handles and is never moved or resized.
class CScrawlBoard::CObjectMasaiKe : public CObjectBase {
 public:
  // Appended to `list` with its normalised rectangle.
  CObjectMasaiKe(ObjectList& list, const Rect& r);
  // All three blur the rectangle onto `layer`, without a frame.
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // Anywhere inside the rectangle.
  int HitTestBody(int x, int y, int wide) override;
};

// The creation of a mosaic region: undo takes it away, redo brings it back.
class CScrawlBoard::CRecordMasaiKe : public CRecordNewObject {
 public:
  explicit CRecordMasaiKe(CObjectBase* o) : CRecordNewObject(&kTag, o) {}
  static const char kTag;
};
