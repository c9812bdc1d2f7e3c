// CScrawlBoard: the drawing tools dragging out a new rectangle, ellipse, arrow, free-hand line or
// mosaic region.
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CScrawlBoard.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"
#include "screenshot/board/shape_geometry.h"

namespace {

Point ClampInto(Point p, int width, int height) {
  return Point{std::min(std::max(p.x, 0), width), std::min(std::max(p.y, 0), height)};
}

Rect Spanned(Point a, Point b) { return Normalized(Rect{a.x, a.y, b.x, b.y}); }

}  // namespace

void CScrawlBoard::StartCreating(Point p) {
  brush_.clear();
  if (creating_ || ::GetCapture() || !OnBoard(p)) return;
  overlay_.Clear();
  creating_ = 1;
  not_moved_yet_ = 1;
  ::SetCapture(host_);
  tool_at_press_ = tool_;
  press_ = last_ = p;
}

void CScrawlBoard::DragCreating(Point p) {
  if (p == last_) return;
  last_ = p;
  not_moved_yet_ = 0;
  overlay_.Clear();
  const StrokeStyle pen = CurrentPen();
  bool shown = false;  // whether the overlay holds a preview to show
  switch (tool_at_press_) {
    case kToolRectangle: {
      // Clamped to the board; with one coordinate equal it still shows, as a line.
      const Point q = ClampInto(p, width_, height_);
      if (q != press_) {
        PaintRectangle(overlay_, Spanned(press_, q), pen);
        shown = true;
      }
      break;
    }
    case kToolEllipse:
      if (p.x != press_.x && p.y != press_.y) {
        PaintEllipse(overlay_, Spanned(press_, p), pen);
        shown = true;
      }
      break;
    case kToolArrow:
      // The head stops on the board's edge, keeping its direction.
      if (p != press_) {
        PaintArrow(overlay_, press_, ClipArrowEnd(press_, p, width_, height_), pen);
        shown = true;
      }
      break;
    case kToolBrush:
      // Every distinct pointer position is a point, as it came.
      if (brush_.empty()) brush_.push_back(press_);
      brush_.push_back(p);
      PaintPolyline(overlay_, brush_, pen);
      shown = true;
      break;
    case kToolMosaic:
      // Clamped to the board as the rectangle is, but only an area with width and height shows.
      shown = PreviewMosaic(p);
      break;
    default:
      break;
  }
  Notify(shown, false);
}

void CScrawlBoard::FinishCreating(Point p) {
  creating_ = 0;
  ReleaseMouse();
  const bool moved = !not_moved_yet_;
  not_moved_yet_ = 0;
  const StrokeStyle pen = CurrentPen();
  CBaseRecord* record = nullptr;
  switch (tool_at_press_) {
    case kToolRectangle:
    case kToolEllipse: {
      const bool rectangle = tool_at_press_ == kToolRectangle;
      const Point q = rectangle ? ClampInto(p, width_, height_) : p;
      if (q.x == press_.x || q.y == press_.y) break;  // no width or no height: nothing made
      const Rect r = Spanned(press_, q);
      if (rectangle) {
        PaintRectangle(background_, r, pen);
        record = new CRecordRectangle(new CObjectRectangle(objects_, r, pen));
      } else {
        PaintEllipse(background_, r, pen);
        record = new CRecordEllipse(new CObjectEllipse(objects_, r, pen));
      }
      break;
    }
    case kToolArrow:
      if (p != press_) {
        // Only an arrow long enough to be drawn is made.
        const Point head = ClipArrowEnd(press_, p, width_, height_);
        if (PaintArrow(background_, press_, head, pen))
          record = new CRecordArrow(new CObjectArrow(objects_, press_, head, pen));
      }
      break;
    case kToolBrush:
      if (brush_.size() >= 2) {
        PaintPolyline(background_, brush_, pen);
        record = new CRecordPolyline(new CObjectPolyline(objects_, std::move(brush_), pen));
      }
      brush_.clear();
      break;
    case kToolMosaic:
      record = CreateMosaic(p);
      break;
    default:
      break;
  }
  if (record) {
    Push(record);
    Notify(false, false);
  } else if (moved) {
    Notify(false, false);  // the preview goes; a click without a move changed nothing shown
  }
}

void CScrawlBoard::AbandonCreating() {
  creating_ = 0;
  not_moved_yet_ = 0;
  brush_.clear();
  // A mosaic's preview goes as well: left on the screen, it would show a blur that is not there.
  if (IsPenTool(tool_at_press_) || tool_at_press_ == kToolMosaic) {
    overlay_.Clear();
    Notify(false, false);
  }
}
