// The annotation board's drawn objects: the common base with its virtual slots, and the
// rectangle, ellipse, arrow and free-hand line.
#pragma once

#include <windows.h>

#include <vector>

#include "screenshot/board/CScrawlBoard.h"

// What every drawn object is to the board: its core (list links, flags, kind, geometry, hit
// mask, weak references) and the slots below, in this order. The board's list holds the one
// reference it is made with; records point at objects without a reference.
class CScrawlBoard::CObjectBase : public ObjectCore {
 public:
  // 0: draws the object onto `layer` as it is settled.
  virtual void Draw(CScrawlBoard* board, BoardLayer& layer);
  // 1: draws it hovered (the hover layer, or the overlay while a free-hand line is dragged).
  virtual void DrawHover(CScrawlBoard* board, BoardLayer& layer);
  // 2: draws it selected (the overlay).
  virtual void DrawSelected(CScrawlBoard* board, BoardLayer& layer);
  // 3: which handle of the selected object a select-mode press at (x, y) grabs (HitCode).
  virtual int HitTestHandles(int x, int y);
  // 4: shows the cursor of a handle code of this object.
  virtual void SetCursorFor(int hit_code);
  // 5: nonzero when (x, y) is on the object; `wide` is the looser test that keeps a hover.
  virtual int HitTestBody(int x, int y, int wide);
  // 6: frees the object (the hit mask with it); the board calls Release, never delete.
  virtual ~CObjectBase();
  // 7 and 8: the reference count; the release that reaches 0 destroys the object.
  virtual int32_t AddRef();
  virtual int32_t Release();
  // 9: paints the stroke white into the black 24-bit picture selected into `dc`, which covers
  // `box` (board coordinates); for the hit mask.
  virtual void RenderHitMask(HDC dc, const Rect& box);

 protected:
  CObjectBase(ObjectList& list, ObjectKind kind) : ObjectCore(list, kind) {}
  // The mask test of slot 5 for a stroke whose mask covers `box`: the mask is made on first use
  // (or when the box moved since) by RenderHitMask; an empty box is never hit.
  bool MaskHit(const Rect& box, Point p, bool wide);
};

// The four shapes drawn with a pen: width, dash style and colour (0xFFRRGGBB).
class CScrawlBoard::CPenObject : public CObjectBase {
 public:
  int width;
  int dash;
  uint32_t color;
  StrokeStyle pen() const { return StrokeStyle{width, dash, color}; }

 protected:
  CPenObject(ObjectList& list, ObjectKind kind, const StrokeStyle& pen)
      : CObjectBase(list, kind), width(pen.width), dash(pen.dash), color(pen.argb) {}
};

class CScrawlBoard::CObjectRectangle : public CPenObject {
 public:
  // Appended to `list` with its normalised rectangle.
  CObjectRectangle(ObjectList& list, const Rect& r, const StrokeStyle& pen);
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // The frame ring (edges and corners), then the move grip; the interior is no handle.
  int HitTestHandles(int x, int y) override;
  void SetCursorFor(int hit_code) override;
  // Near the outline, no mask.
  int HitTestBody(int x, int y, int wide) override;
};

class CScrawlBoard::CObjectEllipse : public CPenObject {
 public:
  CObjectEllipse(ObjectList& list, const Rect& r, const StrokeStyle& pen);
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // The move grip, the frame ring, then the stroke itself (a move).
  int HitTestHandles(int x, int y) override;
  void SetCursorFor(int hit_code) override;
  int HitTestBody(int x, int y, int wide) override;
  // A ring 2k wide inside the mask box.
  void RenderHitMask(HDC dc, const Rect& box) override;
};

// Tail at (rect.left, rect.top), head at (rect.right, rect.bottom).
class CScrawlBoard::CObjectArrow : public CPenObject {
 public:
  CObjectArrow(ObjectList& list, Point tail, Point head, const StrokeStyle& pen);
  Point tail() const { return Point{rect.left, rect.top}; }
  Point head() const { return Point{rect.right, rect.bottom}; }
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // The end knobs, then the stroke (a move).
  int HitTestHandles(int x, int y) override;
  void SetCursorFor(int hit_code) override;
  int HitTestBody(int x, int y, int wide) override;
  // A line 2k wide from tail to head.
  void RenderHitMask(HDC dc, const Rect& box) override;
};

class CScrawlBoard::CObjectPolyline : public CPenObject {
 public:
  // Every point as captured, in order; the rectangle is their bounding box.
  CObjectPolyline(ObjectList& list, std::vector<Point> points, const StrokeStyle& pen);
  void Draw(CScrawlBoard* board, BoardLayer& layer) override;
  void DrawHover(CScrawlBoard* board, BoardLayer& layer) override;
  // The marching outline.
  void DrawSelected(CScrawlBoard* board, BoardLayer& layer) override;
  // The stroke is the only handle (a move).
  int HitTestHandles(int x, int y) override;
  void SetCursorFor(int hit_code) override;
  int HitTestBody(int x, int y, int wide) override;
  // A line 2k + 2 wide through the points, clipped to the bounding box.
  void RenderHitMask(HDC dc, const Rect& box) override;
  // Moves every point and the bounding box.
  void OffsetBy(int dx, int dy);

  std::vector<Point> points;
};
