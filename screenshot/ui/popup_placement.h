// Where the tooltip and the context menu open: next to the pointer, but on the screen.
//
// The tooltip opens below-right of the pointer and flips above it near the bottom of the virtual
// screen; the context menu opens below-right of the click and flips up and/or left when it would
// cross the edge of the monitor the click is on.
#pragma once

struct PopupPoint {
  int x = 0;
  int y = 0;
};

inline bool operator==(PopupPoint a, PopupPoint b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(PopupPoint a, PopupPoint b) { return !(a == b); }

// Exclusive right and bottom edges, like RECT.
struct PopupRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Contains(PopupPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
};

inline bool operator==(const PopupRect& a, const PopupRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const PopupRect& a, const PopupRect& b) { return !(a == b); }

// Top-left corner of a width x height tooltip for the pointer at |pointer| (screen coordinates):
// 3 pixels right of and 19 below the pointer; above the pointer (19 pixels) when it would reach
// past |screen_height|, and shifted left by what would stick out past |screen_width|.
PopupPoint PlaceToolTip(PopupPoint pointer, int width, int height, int screen_width,
                        int screen_height);

// Top-left corner of a width x height menu asked for at |at| on |monitor|: at the point when the
// menu ends left of the monitor's right edge and above its bottom edge; otherwise it opens to the
// left of the point when only the width does not fit, above it when only the height does not fit,
// and up and to the left when neither fits.
PopupPoint PlaceContextMenu(PopupPoint at, int width, int height, const PopupRect& monitor);
