// The in-place scroll bar's arithmetic: part layout, hit test, bisection and wheel steps.
#include "screenshot/ui/scroll_bar_geometry.h"

#include <algorithm>

namespace {

// One bar laid out along its length: [0, up_end) start arrow, [track_start, track_end) track,
// [down_start, length) end arrow, and the thumb inside the track when there is one.
struct Axis {
  int up_end = 0;
  int track_start = 0;
  int track_end = 0;
  int down_start = 0;
  int length = 0;
  bool thumb = false;
  int thumb_start = 0;
  int thumb_end = 0;
};

long long Travel64(int page, int maximum) {
  return static_cast<long long>(maximum) - (static_cast<long long>(page) - 1);
}

Axis LayoutAxis(int width, int length, const ScrollValues& v) {
  Axis a;
  width = std::max(width, 0);
  length = std::max(length, 0);
  a.length = length;
  if (2LL * width >= length) {
    a.up_end = length / 2;
    a.down_start = length - length / 2;
  } else {
    a.up_end = width;
    a.down_start = length - width;
  }
  a.track_start = a.up_end;
  a.track_end = a.down_start;
  const long long track = static_cast<long long>(length) - 2LL * width;
  if (v.maximum < 1 || track <= width) return a;
  const long long travel = Travel64(v.page, v.maximum);
  if (travel < 0) return a;

  a.thumb = true;
  if (travel == 0) {
    a.thumb_start = a.track_start;
    a.thumb_end = a.track_end;
    return a;
  }
  long long thumb = static_cast<long long>(std::max(v.page, 0)) * track / v.maximum;
  thumb = std::clamp<long long>(thumb, width, track - 1);
  const long long room = track - thumb;
  long long start;
  if (v.position <= 0)
    start = a.track_start;
  else if (v.position >= travel)
    start = a.track_start + room;
  else
    start = a.track_start + room * v.position / travel;
  start = std::clamp<long long>(start, a.track_start, a.track_start + room);
  a.thumb_start = static_cast<int>(start);
  a.thumb_end = static_cast<int>(start + thumb);
  return a;
}

// The bar's rectangle for [from, to) along it.
Rect Span(bool vertical, int across, int from, int to) {
  if (to <= from) return Rect{};
  return vertical ? Rect{0, from, across, to} : Rect{from, 0, to, across};
}

int Across(Size size, bool vertical) { return vertical ? size.width : size.height; }
int Along(Size size, bool vertical) { return vertical ? size.height : size.width; }

int ThumbStartAt(Size size, bool vertical, ScrollValues values, int position) {
  values.position = position;
  return LayoutAxis(Across(size, vertical), Along(size, vertical), values).thumb_start;
}

}  // namespace

int ScrollTravel(int page, int maximum) {
  const long long travel = Travel64(page, maximum);
  return static_cast<int>(std::clamp<long long>(travel, -1, 0x7FFFFFFF));
}

Rect ScrollBarLayout::PartRect(int part) const {
  switch (part) {
    case kScrollPartUp:
      return up;
    case kScrollPartTrackAbove:
      return track_above;
    case kScrollPartThumb:
      return thumb;
    case kScrollPartTrackBelow:
      return track_below;
    case kScrollPartDown:
      return down;
    default:
      return Rect{};
  }
}

ScrollBarLayout LayoutScrollBar(Size size, bool vertical, const ScrollValues& values) {
  const int across = std::max(Across(size, vertical), 0);
  const Axis a = LayoutAxis(across, Along(size, vertical), values);
  ScrollBarLayout l;
  l.up = Span(vertical, across, 0, a.up_end);
  l.down = Span(vertical, across, a.down_start, a.length);
  l.has_thumb = a.thumb;
  if (!a.thumb) {
    l.track_above = Span(vertical, across, a.track_start, a.track_end);
    return l;
  }
  l.track_above = Span(vertical, across, a.track_start, a.thumb_start);
  l.thumb = Span(vertical, across, a.thumb_start, a.thumb_end);
  l.track_below = Span(vertical, across, a.thumb_end, a.track_end);
  return l;
}

int HitTestScrollBar(const ScrollBarLayout& layout, Point point) {
  if (layout.up.Contains(point)) return kScrollPartUp;
  if (layout.has_thumb && layout.thumb.Contains(point)) return kScrollPartThumb;
  if (layout.down.Contains(point)) return kScrollPartDown;
  if (layout.has_thumb) {
    if (layout.track_above.Contains(point)) return kScrollPartTrackAbove;
    if (layout.track_below.Contains(point)) return kScrollPartTrackBelow;
  }
  return kScrollPartNone;
}

int ScrollPositionForThumbAt(Size size, bool vertical, const ScrollValues& values,
                             int thumb_start) {
  const int travel = ScrollTravel(values.page, values.maximum);
  if (travel <= 0 || !LayoutScrollBar(size, vertical, values).has_thumb) return 0;
  // The thumb's start grows with the position: find the first position starting at or after
  // the pixel, then take the one before it if that starts nearer. Positions sharing a pixel (a
  // long list on a short bar) resolve to the first of them, so the top of the track is 0.
  int low = 0, high = travel;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (ThumbStartAt(size, vertical, values, mid) >= thumb_start)
      high = mid;
    else
      low = mid + 1;
  }
  if (low > 0) {
    const int after = ThumbStartAt(size, vertical, values, low) - thumb_start;
    const int before = thumb_start - ThumbStartAt(size, vertical, values, low - 1);
    if (after > 0 && before < after) --low;
  }
  return low;
}

int ScrollStepBack(const ScrollValues& values, int step) {
  return static_cast<int>(std::max<long long>(0, static_cast<long long>(values.position) - step));
}

int ScrollStepForward(const ScrollValues& values, int step) {
  const long long next = static_cast<long long>(values.position) + step;
  return static_cast<int>(
      std::max<long long>(0, std::min<long long>(next, ScrollTravel(values.page, values.maximum))));
}

WheelScroll ScrollForWheel(int first, int wheel_delta, int step, int maximum, int page) {
  WheelScroll w;
  const int n = wheel_delta / 120;  // toward zero
  const long long limit = static_cast<long long>(maximum) - page + 1;
  if (limit <= 0) {
    w.first = first;
    return w;
  }
  w.applies = true;
  if (n < 0) {
    w.first =
        static_cast<int>(std::min<long long>(limit, static_cast<long long>(first) + step - n));
    w.code = 1;
  } else {
    w.first = static_cast<int>(std::max<long long>(0, static_cast<long long>(first) - step + n));
    w.code = 0;
  }
  return w;
}
