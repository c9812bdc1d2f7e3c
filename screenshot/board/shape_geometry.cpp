// The window-free geometry of the annotation board.
#include "screenshot/board/shape_geometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool OnBoard(Point p, int width, int height) {
  return p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

uint32_t ArgbOfColorref(uint32_t colorref) {
  const uint32_t r = colorref & 0xFF, g = (colorref >> 8) & 0xFF, b = (colorref >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

uint32_t ColorrefOfArgb(uint32_t argb) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return r | (g << 8) | (b << 16);
}

uint32_t HoverColor(uint32_t argb) {
  const uint32_t c = argb & 0xFFFFFF, inv = c ^ 0xFFFFFF;
  bool all_close = true;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((c >> shift) & 0xFF),
              b = static_cast<int>((inv >> shift) & 0xFF);
    if (std::abs(a - b) >= 17) all_close = false;
  }
  return 0xFF000000u | (all_close ? 0u : inv);
}

int ClampPenWidth(int pixels) { return Clamp(pixels, 1, 32); }

int ClampDashStyle(int style) { return style >= 0 && style <= 4 ? style : 0; }

int MulDivRound(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long d = denominator;
  if (d < 0) {
    product = -product;
    d = -d;
  }
  // Half away from zero: the rounding is applied on the side of the result's sign.
  const long long q = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
  if (q > std::numeric_limits<int>::max() || q < -std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(q);
}

ArrowShape ArrowShapeOf(Point tail, Point head, int width) {
  ArrowShape s;
  const double dx = head.x - tail.x, dy = head.y - tail.y;
  const double len = std::sqrt(dx * dx + dy * dy);
  if (len <= 2.0) return s;
  s.drawable = true;
  const double ux = dx / len, uy = dy / len;
  const double h = width + 2.0;
  const double bx = head.x - 2 * h * ux, by = head.y - 2 * h * uy;
  s.head[0] = PointF{static_cast<float>(bx + h * uy), static_cast<float>(by - h * ux)};
  s.head[1] = PointF{static_cast<float>(bx - h * uy), static_cast<float>(by + h * ux)};
  s.head[2] = PointF{static_cast<float>(head.x), static_cast<float>(head.y)};
  if (len > 2 * h - 1) {
    s.has_shaft = true;
    s.shaft_from = PointF{static_cast<float>(tail.x), static_cast<float>(tail.y)};
    s.shaft_to = PointF{static_cast<float>(head.x - (2 * h - 1) * ux),
                        static_cast<float>(head.y - (2 * h - 1) * uy)};
  }
  return s;
}

Point ClipArrowEnd(Point a, Point p, int width, int height) {
  if (OnBoard(p, width, height)) return p;
  // Along the line from the fixed end: the vertical edge it crosses, then the horizontal one.
  if (p.x > width && p.x != a.x) {
    const int y = p.y + MulDivRound(width - p.x, p.y - a.y, p.x - a.x);
    if (y >= 0 && y <= height) return Point{width, y};
  } else if (p.x < 0 && p.x != a.x) {
    const int y = p.y + MulDivRound(0 - p.x, p.y - a.y, p.x - a.x);
    if (y >= 0 && y <= height) return Point{0, y};
  }
  if (p.y > height && p.y != a.y) {
    const int x = p.x + MulDivRound(height - p.y, p.x - a.x, p.y - a.y);
    if (x >= 0 && x <= width) return Point{x, height};
  } else if (p.y < 0 && p.y != a.y) {
    const int x = p.x + MulDivRound(0 - p.y, p.x - a.x, p.y - a.y);
    if (x >= 0 && x <= width) return Point{x, 0};
  }
  return Point{Clamp(p.x, 0, width), Clamp(p.y, 0, height)};
}

HitCode FrameRingHit(const Rect& r, Point p) {
  if (!Inflated(r, 5).Contains(p) || Inflated(r, -4).Contains(p)) return kHitNone;
  const bool left = p.x <= r.left + 8, right = p.x >= r.right - 8;
  const bool top = p.y <= r.top + 8, bottom = p.y >= r.bottom - 8;
  if (right && bottom) return kHitBottomRight;
  if (left && top) return kHitTopLeft;
  if (right && top) return kHitTopRight;
  if (left && bottom) return kHitBottomLeft;
  if (right) return kHitRight;
  if (bottom) return kHitBottom;
  if (left) return kHitLeft;
  if (top) return kHitTop;
  return kHitNone;  // a ring too wide to be near any edge: only for very thin rectangles
}

bool MoveGripHit(const Rect& r, Point p) {
  const int cx = (r.left + r.right) / 2;
  return Rect{cx - 4, r.top - 30, cx + 4, r.top}.Contains(p);
}

HitCode ArrowEndHit(Point tail, Point head, Point p) {
  auto near = [p](Point end) {
    return Rect{end.x - 10, end.y - 10, end.x + 10, end.y + 10}.Contains(p);
  };
  if (near(tail)) return kHitTopLeft;
  if (near(head)) return kHitBottomRight;
  return kHitNone;
}

bool RectangleOutlineHit(const Rect& r, int pen_width, Point p, bool wide) {
  const int k = pen_width / 2 + 4 + (wide ? 2 : 0);
  return Inflated(r, k).Contains(p) && !Inflated(r, -k).Contains(p);
}

int MaskInflation(int pen_width) { return pen_width / 2 + 1; }

Rect EllipseMaskBox(const Rect& r, int pen_width) {
  return Inflated(Normalized(r), MaskInflation(pen_width));
}

Rect ArrowMaskBox(Point tail, Point head, int pen_width) {
  return Inflated(Normalized(Rect{tail.x, tail.y, head.x, head.y}), MaskInflation(pen_width));
}

Rect PointsBoundingBox(const std::vector<Point>& points) {
  if (points.empty()) return Rect{};
  Rect box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

bool BeyondClickSlop(Point press, Point p) {
  return std::abs(p.x - press.x) > 1 || std::abs(p.y - press.y) > 1;
}

Rect ResizedRect(const Rect& r, int code, int dx, int dy) {
  Rect n = r;
  switch (code) {
    case kHitMove:
      return Offset(r, dx, dy);
    case kHitLeft:
      n.left += dx;
      break;
    case kHitRight:
      n.right += dx;
      break;
    case kHitTop:
      n.top += dy;
      break;
    case kHitBottom:
      n.bottom += dy;
      break;
    case kHitTopLeft:
      n.left += dx, n.top += dy;
      break;
    case kHitTopRight:
      n.right += dx, n.top += dy;
      break;
    case kHitBottomLeft:
      n.left += dx, n.bottom += dy;
      break;
    case kHitBottomRight:
      n.right += dx, n.bottom += dy;
      break;
    default:
      break;
  }
  return Normalized(n);
}

ArrowEnds MovedArrow(const ArrowEnds& a, int code, int dx, int dy, int width, int height) {
  ArrowEnds m = a;
  if (code == kHitMove) {
    m.tail = Point{a.tail.x + dx, a.tail.y + dy};
    m.head = Point{a.head.x + dx, a.head.y + dy};
    // Each end beyond an edge pulls the whole arrow back by its overshoot.
    int sx = 0, sy = 0;
    for (const Point& end : {m.tail, m.head}) {
      const int x = end.x + sx, y = end.y + sy;
      if (x < 0) sx -= x;
      if (x > width) sx -= x - width;
      if (y < 0) sy -= y;
      if (y > height) sy -= y - height;
    }
    m.tail = Point{m.tail.x + sx, m.tail.y + sy};
    m.head = Point{m.head.x + sx, m.head.y + sy};
  } else if (code == kHitTopLeft) {
    m.tail = ClipArrowEnd(a.head, Point{a.tail.x + dx, a.tail.y + dy}, width, height);
  } else {
    m.head = ClipArrowEnd(a.tail, Point{a.head.x + dx, a.head.y + dy}, width, height);
  }
  return m;
}

Rect ShiftedInside(const Rect& r, int width, int height) {
  Rect s = r;
  if (s.left < 0) s = Offset(s, -s.left, 0);
  if (s.right > width) s = Offset(s, width - s.right, 0);
  if (s.top < 0) s = Offset(s, 0, -s.top);
  if (s.bottom > height) s = Offset(s, 0, height - s.bottom);
  return s;
}
