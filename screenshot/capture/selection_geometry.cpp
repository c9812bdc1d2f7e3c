// Region selection rules of the capture window: hit test, cursors, press rules and drag steps.
#include "screenshot/capture/selection_geometry.h"

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

bool MovesLeft(SelectionHit m) { return m == HitLeft || m == HitTopLeft || m == HitBottomLeft; }
bool MovesRight(SelectionHit m) { return m == HitRight || m == HitTopRight || m == HitBottomRight; }
bool MovesTop(SelectionHit m) { return m == HitTop || m == HitTopLeft || m == HitTopRight; }
bool MovesBottom(SelectionHit m) {
  return m == HitBottom || m == HitBottomLeft || m == HitBottomRight;
}

Rect ClampedToCapture(Rect r, int cx, int cy) {
  // Clamping each edge (rather than intersecting) keeps a rectangle that lies wholly outside
  // as a zero-size one on the border, which the caller treats as "no selection" all the same.
  cx = cx < 0 ? 0 : cx;
  cy = cy < 0 ? 0 : cy;
  return Rect{Clamp(r.left, 0, cx), Clamp(r.top, 0, cy), Clamp(r.right, 0, cx),
              Clamp(r.bottom, 0, cy)};
}

Rect MoveStep(const Rect& start, int dx, int dy, int cx, int cy) {
  Rect r = Offset(start, dx, dy);
  if (r.left < 0) r = Offset(r, -r.left, 0);
  if (r.right > cx) r = Offset(r, -(r.right - cx), 0);
  if (r.top < 0) r = Offset(r, 0, -r.top);
  if (r.bottom > cy) r = Offset(r, 0, -(r.bottom - cy));
  return r;
}

Rect EdgeStep(SelectionHit mode, const Rect& s, int dx, int dy, int cx, int cy) {
  auto clamp_x = [cx](int v) { return Clamp(v, 0, cx < 0 ? 0 : cx); };
  auto clamp_y = [cy](int v) { return Clamp(v, 0, cy < 0 ? 0 : cy); };
  Rect r = s;
  if (MovesLeft(mode)) r.left = clamp_x(s.left + dx);
  if (MovesRight(mode)) r.right = clamp_x(s.right + dx);
  if (MovesTop(mode)) r.top = clamp_y(s.top + dy);
  if (MovesBottom(mode)) r.bottom = clamp_y(s.bottom + dy);
  // Dragged past the opposite edge: the rectangle turns over, keeping the pointer's pixel in.
  if ((MovesLeft(mode) || MovesRight(mode)) && r.Width() <= 0) {
    if (MovesLeft(mode)) {
      r.left = clamp_x(s.right);
      r.right = clamp_x(s.left + dx + 1);
    } else {
      r.right = clamp_x(s.left);
      r.left = clamp_x(s.right + dx - 1);
    }
  }
  if ((MovesTop(mode) || MovesBottom(mode)) && r.Height() <= 0) {
    if (MovesTop(mode)) {
      r.top = clamp_y(s.bottom);
      r.bottom = clamp_y(s.top + dy + 1);
    } else {
      r.bottom = clamp_y(s.top);
      r.top = clamp_y(s.bottom + dy - 1);
    }
  }
  return Normalized(r);
}

}  // namespace

SelectionHit HitTestSelection(const Rect& selection, Point p) {
  if (selection.IsEmpty() || !Inflated(selection, 6).Contains(p)) return HitOutside;
  const int L = selection.left + 5, T = selection.top + 5;
  const int R = selection.right - 5, B = selection.bottom - 5;
  // The order decides which grip wins where the zones overlap (small selections).
  if (p.x > R && p.y > B) return HitBottomRight;
  if (p.x < L && p.y < T) return HitTopLeft;
  if (p.x > R && p.y < T) return HitTopRight;
  if (p.x < L && p.y > B) return HitBottomLeft;
  if (p.x < L) return HitLeft;
  if (p.y < T) return HitTop;
  if (p.y >= B) return HitBottom;
  if (p.x >= R) return HitRight;
  return HitMove;
}

bool IsEdgeOrCorner(SelectionHit hit) { return hit >= HitLeft && hit <= HitBottomRight; }

CursorKind CursorForHit(SelectionHit hit) {
  switch (hit) {
    case HitMove:
      return CursorKind::SizeAll;
    case HitNew:
      return CursorKind::Unchanged;
    case HitLeft:
    case HitRight:
      return CursorKind::SizeWE;
    case HitTop:
    case HitBottom:
      return CursorKind::SizeNS;
    case HitTopLeft:
    case HitBottomRight:
      return CursorKind::SizeNWSE;
    case HitTopRight:
    case HitBottomLeft:
      return CursorKind::SizeNESW;
    case HitOutside:
    default:
      return CursorKind::Capture;
  }
}

CursorKind ChooseCursor(SelectionHit drag_mode, bool about_overlay, const Rect& selection,
                        Point pointer) {
  if (drag_mode != HitOutside) return CursorForHit(drag_mode);
  if (about_overlay && !selection.IsEmpty()) {
    return CursorForHit(HitTestSelection(selection, pointer));
  }
  return CursorKind::Capture;
}

PressResult PressAt(const Rect& selection, Point press) {
  PressResult r;
  if (selection.IsEmpty()) {
    r.mode = HitNew;
    r.started_from_empty = true;
  } else {
    r.mode = HitTestSelection(selection, press);
    if (r.mode == HitOutside) r.mode = HitNew;
  }
  r.magnifier_on = r.started_from_empty || IsEdgeOrCorner(r.mode);
  return r;
}

Rect DragStep(SelectionHit mode, const Rect& start, Point press, Point current, int cx, int cy) {
  const int dx = current.x - press.x, dy = current.y - press.y;
  switch (mode) {
    case HitNew:
      return ClampedToCapture(Normalized(Rect{press.x, press.y, current.x, current.y}), cx, cy);
    case HitMove:
      return MoveStep(start, dx, dy, cx, cy);
    case HitOutside:
      return start;
    default:
      return IsEdgeOrCorner(mode) ? EdgeStep(mode, start, dx, dy, cx, cy) : start;
  }
}

Rect WindowRectToSelection(const Rect& window_screen, Point virtual_origin, int cx, int cy) {
  const Rect r = Normalized(Offset(window_screen, -virtual_origin.x, -virtual_origin.y));
  return Intersection(r, Rect{0, 0, cx, cy});
}
