// The in-place scroll bar's arithmetic: where its five parts are for a position, which part a
// point is on, which position a thumb moved to a pixel stands for, and what the wheel does to a
// list's first visible row.
//
// Coordinates are the bar's own (its top-left corner is 0, 0). "Along" is the bar's length (y
// for a vertical bar, x for a horizontal one), "across" its width.
#pragma once

#include "screenshot/base/geometry.h"

// The parts of a bar, as the hit test and the pressed and hot states name them.
enum ScrollBarPart {
  kScrollPartNone = -1,
  kScrollPartUp = 1,          // the arrow at the start (up, or left)
  kScrollPartTrackAbove = 2,  // the track between the start arrow and the thumb
  kScrollPartThumb = 3,
  kScrollPartTrackBelow = 4,  // the track between the thumb and the end arrow
  kScrollPartDown = 5,        // the arrow at the end (down, or right)
};

// What the bar shows: positions run from 0 to the travel, maximum - (page - 1).
struct ScrollValues {
  int position = 0;
  int page = 10;
  int maximum = 100;
};

// The last position; negative when the page is larger than the whole range (then there is no
// thumb). Computed without overflow for any page and maximum.
int ScrollTravel(int page, int maximum);

// Where the parts are. Without a thumb, the whole track is |track_above| and |track_below| and
// |thumb| are empty.
struct ScrollBarLayout {
  Rect up;
  Rect track_above;
  Rect thumb;
  Rect track_below;
  Rect down;
  bool has_thumb = false;

  // The rectangle of a part (an empty one for kScrollPartNone or an unknown part).
  Rect PartRect(int part) const;
};

// Lays out a bar of |size|. Arrows are as long as the bar is wide (each half the length when
// the bar is shorter than two widths). The thumb is page x track / maximum long, at least the
// width and at most the track less one pixel (the whole track when the travel is 0), at the start
// of the track for position 0, at its end for the travel and in proportion between. There is no
// thumb when the maximum is below 1, the track is not longer than the width, or the travel is
// negative.
ScrollBarLayout LayoutScrollBar(Size size, bool vertical, const ScrollValues& values);

// The part under |point|: the start arrow, the thumb, the end arrow, then (only with a thumb)
// the track above and below it; kScrollPartNone elsewhere.
int HitTestScrollBar(const ScrollBarLayout& layout, Point point);

// The position, 0 to the travel, whose thumb starts nearest to |thumb_start| (along the bar),
// found by bisection over the placement rule of LayoutScrollBar. 0 when there is no thumb.
int ScrollPositionForThumbAt(Size size, bool vertical, const ScrollValues& values, int thumb_start);

// The position one arrow step before or after |position|, kept within 0 and the travel.
int ScrollStepBack(const ScrollValues& values, int step);
int ScrollStepForward(const ScrollValues& values, int step);

// A wheel turn over a drop list. n = delta / 120 (toward zero), limit = maximum - page + 1.
// With a limit above 0 the first visible row becomes min(limit, first + step - n) when n is
// below 0, else max(0, first - step + n); a delta smaller than one notch (n = 0) therefore
// scrolls back by one step whichever way the wheel turned. |applies| is false when the list
// cannot scroll (nothing changes then); |code| is the scroll code sent afterwards (1 forward,
// 0 back).
struct WheelScroll {
  bool applies = false;
  int first = 0;
  int code = 0;
};
WheelScroll ScrollForWheel(int first, int wheel_delta, int step, int maximum, int page);
