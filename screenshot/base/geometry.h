// Points, sizes, rectangles and views of 32-bit pixel stores: the plain geometry of the capture
// window's pixel logic and of the widgets' layout and placement rules.
//
// Rectangles have exclusive right and bottom edges, like the system's RECT. Pixels are 32-bit
// premultiplied 0xAARRGGBB values (blue, green, red, alpha bytes in memory on little-endian).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

struct Point {
  int x = 0;
  int y = 0;
};

inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(Point a, Point b) { return !(a == b); }

struct Size {
  int width = 0;
  int height = 0;
};

inline bool operator==(Size a, Size b) { return a.width == b.width && a.height == b.height; }
inline bool operator!=(Size a, Size b) { return !(a == b); }

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Zero or negative width or height.
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// Swaps the edges where needed so that left <= right and top <= bottom.
inline Rect Normalized(Rect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

// The common part; {0,0,0,0} when there is none.
inline Rect Intersection(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

inline bool Intersects(const Rect& a, const Rect& b) { return !Intersection(a, b).IsEmpty(); }

// The bounding rectangle; empty operands do not count.
inline Rect UnionOf(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
  if (b.IsEmpty()) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Grows each edge outwards by its own amount (negative amounts shrink).
inline Rect Grown(const Rect& r, int left, int top, int right, int bottom) {
  return Rect{r.left - left, r.top - top, r.right + right, r.bottom + bottom};
}
inline Rect Inflated(const Rect& r, int d) { return Grown(r, d, d, d, d); }
inline Rect Offset(const Rect& r, int dx, int dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// A view of a 32-bit pixel store: row y starts at top_row + y * row_step_pixels, so a bottom-up
// store (a bottom-up DIB) has a negative step. The view does not own the pixels.
struct PixelView {
  uint32_t* top_row = nullptr;
  std::ptrdiff_t row_step_pixels = 0;
  int width = 0;
  int height = 0;

  uint32_t* Row(int y) const { return top_row + static_cast<std::ptrdiff_t>(y) * row_step_pixels; }
  uint32_t& At(int x, int y) const { return Row(y)[x]; }
  Rect Bounds() const { return Rect{0, 0, width, height}; }
};
