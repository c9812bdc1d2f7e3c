// Region selection rules of the capture window: hit test, cursors, press rules and drag steps.
//
// Everything here is in capture coordinates (pixels from the virtual screen's top-left corner);
// the capture is cx by cy pixels and a selection never leaves 0..cx, 0..cy.
#pragma once

#include "screenshot/base/geometry.h"

// What a point means with respect to the selection; also the drag mode (HitOutside: no drag).
enum SelectionHit {
  HitOutside = 0,
  HitMove = 1,
  HitNew = 4,  // only as drag mode: drag out a new selection
  HitLeft = 10,
  HitRight = 11,
  HitTop = 12,
  HitTopLeft = 13,
  HitTopRight = 14,
  HitBottom = 15,
  HitBottomLeft = 16,
  HitBottomRight = 17,
};

// Cursor shapes the selection handlers ask for; the window side maps them to real cursors.
enum class CursorKind {
  Unchanged,  // leave the current cursor alone
  Capture,    // the engine's own capture cursor (resource 103)
  SizeAll,    // four-way arrows
  SizeWE,     // west-east arrows
  SizeNS,     // north-south arrows
  SizeNWSE,   // north-west/south-east arrows
  SizeNESW,   // north-east/south-west arrows
};

// The grip a point is on. The grip zone reaches 6 pixels beyond the selection and 5 into it;
// an empty selection gives HitOutside everywhere.
SelectionHit HitTestSelection(const Rect& selection, Point p);

// True for the four edges and four corners.
bool IsEdgeOrCorner(SelectionHit hit);

// The cursor that goes with a hit value (HitNew: Unchanged).
CursorKind CursorForHit(SelectionHit hit);

// The cursor choice on a set-cursor message: during a drag (drag_mode != HitOutside) that of the
// drag mode; otherwise, for the overlay window with a selection, that of the hit test at the
// pointer; else the capture cursor.
CursorKind ChooseCursor(SelectionHit drag_mode, bool about_overlay, const Rect& selection,
                        Point pointer);

// What a left press (with no drag in progress) starts.
struct PressResult {
  SelectionHit mode = HitOutside;   // never HitOutside: HitNew, HitMove or an edge or corner
  bool started_from_empty = false;  // a new selection begun while none existed
  // Switch the magnifier on and window detection off, and update the magnifier at once.
  bool magnifier_on = false;
};
PressResult PressAt(const Rect& selection, Point press);

// One step of a drag: the rectangle the selection becomes when the pointer is at `current`,
// given the mode, the selection at the press and the press point. HitNew spans the two points;
// HitMove slides the start rectangle and keeps it on the capture; edges and corners follow the
// pointer and turn over when dragged past the opposite edge. The result is normalised and within
// 0..cx, 0..cy; it may have zero width or height (which removes the selection). For HitOutside
// the start rectangle is returned unchanged.
Rect DragStep(SelectionHit mode, const Rect& start, Point press, Point current, int cx, int cy);

// At a left release: whether one last drag step is applied at the release point (the pointer
// moved and the drag did not start from an empty selection); otherwise, with no selection,
// the window under the release point is picked.
inline bool ReleaseAppliesLastStep(bool moved, bool started_from_empty) {
  return moved && !started_from_empty;
}

// A window rectangle in screen coordinates as a selection: shifted by the virtual screen's
// origin, normalised and clipped to the capture. Only a result with positive width and height
// becomes the selection.
Rect WindowRectToSelection(const Rect& window_screen, Point virtual_origin, int cx, int cy);
