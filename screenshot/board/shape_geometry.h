// The window-free geometry of the annotation board: colours of drawn objects, the arrow's head
// and shaft, where a dragged arrow end lands on the board's edge, the handle and outline hit
// tests of select mode, and the would-be geometry of an object being moved or resized.
//
// Board coordinates: pixel (0, 0) is the top-left pixel of the selection.
#pragma once

#include <cstdint>
#include <vector>

#include "screenshot/base/geometry.h"
#include "screenshot/board/board_types.h"

struct PointF {
  float x = 0;
  float y = 0;
};

// ---- colours and pen ---------------------------------------------------------------------------

// A COLORREF (0x00BBGGRR) as the opaque 0xFFRRGGBB form drawn objects keep, and back.
uint32_t ArgbOfColorref(uint32_t colorref);
uint32_t ColorrefOfArgb(uint32_t argb);
// The colour a hovered object is drawn over itself in (0xFFRRGGBB in and out): its inverse,
// except black where the inverse is hardly different (every channel within 16 of the colour's,
// the mid greys).
uint32_t HoverColor(uint32_t argb);
// Pen widths are 1 to 32 pixels; dash styles the five a pen can take without a pattern of its
// own (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot), anything else is solid.
int ClampPenWidth(int pixels);
int ClampDashStyle(int style);

// number * numerator / denominator rounded half away from zero through a 64-bit product, as
// the system's MulDiv: -1 when the denominator is 0 or the result does not fit.
int MulDivRound(int number, int numerator, int denominator);

// ---- the arrow ---------------------------------------------------------------------------------

// An arrow from `tail` to `head` drawn with a pen `width` wide: a head triangle 2h long and 2h
// wide (h = width + 2) with its point on `head`, and a shaft that stops 2h - 1 before the point.
// Nothing is drawn for ends 2 pixels apart or less; the shaft is left out when the arrow is no
// longer than the head.
struct ArrowShape {
  bool drawable = false;
  PointF head[3];  // the two base corners, then the point
  bool has_shaft = false;
  PointF shaft_from, shaft_to;
};
ArrowShape ArrowShapeOf(Point tail, Point head, int width);

// Where a moved arrow end `moving` lands when its other end `fixed` stays: unchanged inside the
// board [0, width] x [0, height]; otherwise where the line between them meets the board's edge
// (right or left edge first, then bottom or top), and failing that `moving` clamped into it.
Point ClipArrowEnd(Point fixed, Point moving, int width, int height);

// ---- hit tests ---------------------------------------------------------------------------------

// The frame ring of a rectangle or ellipse: `r` grown by 5 less `r` shrunk by 4. A point in it
// grips a corner within 8 pixels of two edges, else an edge within 8 pixels of it; kHitNone
// outside the ring.
HitCode FrameRingHit(const Rect& r, Point p);
// The move grip above a rectangle or ellipse: 8 x 30 pixels centred over its top edge.
bool MoveGripHit(const Rect& r, Point p);
// An arrow's end knobs: 20 x 20 pixels around the tail (kHitTopLeft) or the head
// (kHitBottomRight); kHitNone elsewhere.
HitCode ArrowEndHit(Point tail, Point head, Point p);
// Whether a point lies on a rectangle's outline drawn `pen_width` wide: within k = w/2 + 4 of
// it (k + 2 when `wide`, the test that keeps a hover), inside or outside.
bool RectangleOutlineHit(const Rect& r, int pen_width, Point p, bool wide);

// The box of the hit mask of a shape drawn `pen_width` wide: an ellipse's rectangle or an arrow's
// normalised one grown by k = w/2 + 1; a free-hand line's is its bounding box.
int MaskInflation(int pen_width);
Rect EllipseMaskBox(const Rect& r, int pen_width);
Rect ArrowMaskBox(Point tail, Point head, int pen_width);
// The bounding box of points, right and bottom being the largest coordinates (so points in one
// row make a box of no height).
Rect PointsBoundingBox(const std::vector<Point>& points);

// ---- select mode -------------------------------------------------------------------------------

// A press grabs an object only once the pointer has moved more than 1 pixel from it in x or y.
bool BeyondClickSlop(Point press, Point p);
// A rectangle or ellipse dragged by `code` (moved, or one or two of its edges pulled) by
// (dx, dy), normalised, so an edge dragged past its opposite flips it.
Rect ResizedRect(const Rect& r, int code, int dx, int dy);
// An arrow dragged by `code` by (dx, dy) on a board of width x height: moved whole (kHitMove)
// and pushed back inside, or one end moved (kHitTopLeft the tail, anything else the head) and
// clipped onto the board against the other end.
struct ArrowEnds {
  Point tail;
  Point head;
};
ArrowEnds MovedArrow(const ArrowEnds& a, int code, int dx, int dy, int width, int height);
// A rectangle shifted back inside [0, width] x [0, height]: its left edge to 0, its right edge
// to the width, its top to 0, its bottom to the height, in that order.
Rect ShiftedInside(const Rect& r, int width, int height);
