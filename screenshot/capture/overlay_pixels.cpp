// The overlay's pixel store: the dimmed layer, the selection's hole, frame and handles, and the
// window highlight, updated in place with the touched area reported for a partial present.
#include "screenshot/capture/overlay_pixels.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void FillRow(uint32_t* row, int from, int to, uint32_t value) {
  if (from < to) std::fill(row + from, row + to, value);
}

// Top-left pixels of the eight 5 x 5 handle squares: centred on the frame's corners and edge
// middles, each origin kept within 0..cx-1, 0..cy-1 (so a square may reach past the shown area).
std::array<Point, kHandleCount> HandleOrigins(const Rect& s, int cx, int cy) {
  const int xs[3] = {s.left - 1, (s.left + s.right) / 2, s.right};
  const int ys[3] = {s.top - 1, (s.top + s.bottom) / 2, s.bottom};
  const Point centres[kHandleCount] = {{xs[0], ys[0]}, {xs[1], ys[0]}, {xs[2], ys[0]},
                                       {xs[0], ys[1]}, {xs[2], ys[1]}, {xs[0], ys[2]},
                                       {xs[1], ys[2]}, {xs[2], ys[2]}};
  std::array<Point, kHandleCount> origins;
  for (int i = 0; i < kHandleCount; ++i) {
    origins[i] = Point{Clamp(centres[i].x - 2, 0, cx - 1), Clamp(centres[i].y - 2, 0, cy - 1)};
  }
  return origins;
}

}  // namespace

std::size_t OverlayStoreBytes(int cx, int cy) {
  if (cx <= 0 || cy <= 0) return 0;
  const uint64_t pixels =
      (static_cast<uint64_t>(cx) + kOverlaySpare) * (static_cast<uint64_t>(cy) + kOverlaySpare) +
      kOverlaySpare;
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max());
  if (pixels > limit / 4) return 0;
  return static_cast<std::size_t>(pixels * 4);
}

PixelView OverlayStoreView(void* block, int cx, int cy, RowOrder order) {
  if (block == nullptr || OverlayStoreBytes(cx, cy) == 0) return PixelView{};
  PixelView v;
  v.width = cx + kOverlaySpare;
  v.height = cy + kOverlaySpare;
  uint32_t* first = static_cast<uint32_t*>(block);
  if (order == RowOrder::TopDown) {
    v.top_row = first;
    v.row_step_pixels = v.width;
  } else {
    v.top_row = first + static_cast<std::ptrdiff_t>(v.height - 1) * v.width;
    v.row_step_pixels = -static_cast<std::ptrdiff_t>(v.width);
  }
  return v;
}

OverlayPixels::OverlayPixels(const PixelView& store, int cx, int cy)
    : store_(store), cx_(cx), cy_(cy) {
  if (store.top_row == nullptr || cx <= 0 || cy <= 0 || store.width < cx || store.height < cy) {
    store_ = PixelView{};
    cx_ = cy_ = 0;
  }
}

PixelView OverlayPixels::shown() const {
  PixelView v = store_;
  v.width = cx_;
  v.height = cy_;
  return v;
}

void OverlayPixels::Fill(const Rect& r, uint32_t value) {
  const Rect c = Intersection(r, Rect{0, 0, cx_, cy_});
  if (c.IsEmpty()) return;
  for (int y = c.top; y < c.bottom; ++y) FillRow(store_.Row(y), c.left, c.right, value);
  Touch(c);
}

void OverlayPixels::FillSplit(const Rect& r, const Rect& inside) {
  const Rect c = Intersection(r, Rect{0, 0, cx_, cy_});
  if (c.IsEmpty()) return;
  const int a = std::max(c.left, inside.left), b = std::min(c.right, inside.right);
  for (int y = c.top; y < c.bottom; ++y) {
    uint32_t* row = store_.Row(y);
    if (a < b && y >= inside.top && y < inside.bottom) {
      FillRow(row, c.left, a, kOverlayDim);
      FillRow(row, a, b, kOverlayHole);
      FillRow(row, b, c.right, kOverlayDim);
    } else {
      FillRow(row, c.left, c.right, kOverlayDim);
    }
  }
  Touch(c);
}

// The frame is the outline of the selection grown by 1, after that rectangle has been limited
// to left, top >= 0 and right <= cx - 1, bottom <= cy - 1 (so it is always on screen and may lie
// on the selection's own border pixels at the screen edges).
void OverlayPixels::FrameLines(const Rect& s, uint32_t value) {
  const Rect f{std::max(s.left - 1, 0), std::max(s.top - 1, 0), std::min(s.right + 1, cx_ - 1),
               std::min(s.bottom + 1, cy_ - 1)};
  if (f.IsEmpty()) return;
  FillRow(store_.Row(f.top), f.left, f.right, value);
  FillRow(store_.Row(f.bottom - 1), f.left, f.right, value);
  for (int y = f.top; y < f.bottom; ++y) {
    uint32_t* row = store_.Row(y);
    row[f.left] = value;
    row[f.right - 1] = value;
  }
  Touch(f);
}

void OverlayPixels::DrawFrameAndHandles(const Rect& s) {
  FrameLines(s, kFrameColour);
  const std::array<Point, kHandleCount> origins = HandleOrigins(s, cx_, cy_);
  const Rect shown_area{0, 0, cx_, cy_};
  for (int i = 0; i < kHandleCount; ++i) {
    const Point o = origins[i];
    for (int dy = 0; dy < kHandleSize; ++dy) {
      for (int dx = 0; dx < kHandleSize; ++dx) {
        handles_[(i * kHandleSize + dy) * kHandleSize + dx] = Point{o.x + dx, o.y + dy};
      }
    }
    // Squares at the right and bottom screen edges reach into the spare area; only the shown
    // part is painted so that the spare area keeps one known value.
    const Rect square =
        Intersection(Rect{o.x, o.y, o.x + kHandleSize, o.y + kHandleSize}, shown_area);
    if (square.IsEmpty()) continue;
    for (int y = square.top; y < square.bottom; ++y) {
      FillRow(store_.Row(y), square.left, square.right, kFrameColour);
    }
    Touch(square);
  }
  has_handles_ = true;
}

void OverlayPixels::EraseHandles(const Rect& inside) {
  if (!has_handles_) return;
  for (int i = 0; i < kHandleCount; ++i) {
    const Point o = handles_[i * kHandleSize * kHandleSize];
    const Rect square =
        Intersection(Rect{o.x, o.y, o.x + kHandleSize, o.y + kHandleSize}, Rect{0, 0, cx_, cy_});
    if (square.IsEmpty()) continue;
    for (int y = square.top; y < square.bottom; ++y) {
      uint32_t* row = store_.Row(y);
      for (int x = square.left; x < square.right; ++x) {
        row[x] = inside.Contains(Point{x, y}) ? kOverlayHole : kOverlayDim;
      }
    }
    Touch(square);
  }
  has_handles_ = false;
}

void OverlayPixels::RemoveNow() {
  Fill(Inflated(selection_, 3), kOverlayDim);
  // A handle square pushed right or down at the left or top screen edge reaches column or row 4,
  // beyond the grown rectangle when the selection ends before column or row 2.
  EraseHandles(Rect{});
  selection_ = Rect{};
}

Rect OverlayPixels::FillDimmed() {
  dirty_ = Rect{};
  selection_ = Rect{};
  has_handles_ = false;
  if (!usable()) return Rect{};
  for (int y = 0; y < store_.height; ++y) FillRow(store_.Row(y), 0, store_.width, kOverlayDim);
  return Rect{0, 0, cx_, cy_};
}

Rect OverlayPixels::Dim(const Rect& r) {
  dirty_ = Rect{};
  if (usable()) Fill(r, kOverlayDim);
  return dirty_;
}

Rect OverlayPixels::Punch(const Rect& r) {
  dirty_ = Rect{};
  if (usable()) Fill(r, kOverlayHole);
  return dirty_;
}

Rect OverlayPixels::RemoveSelection() {
  dirty_ = Rect{};
  if (usable() && !selection_.IsEmpty()) RemoveNow();
  return dirty_;
}

Rect OverlayPixels::RedrawAll() {
  const Rect s = selection_;
  FillDimmed();
  if (usable() && !s.IsEmpty()) {
    Fill(s, kOverlayHole);
    DrawFrameAndHandles(s);
    selection_ = s;
  }
  return usable() ? Rect{0, 0, cx_, cy_} : Rect{};
}

Rect OverlayPixels::ApplySelection(const Rect& requested, bool is_move) {
  dirty_ = Rect{};
  if (!usable()) return Rect{};
  const Rect n = Intersection(requested, Rect{0, 0, cx_, cy_});
  const Rect s = selection_;
  if (s.IsEmpty()) {
    if (!n.IsEmpty()) {
      Fill(n, kOverlayHole);
      DrawFrameAndHandles(n);
      selection_ = n;
    }
    return dirty_;
  }
  if (n.IsEmpty()) {
    RemoveNow();
    return dirty_;
  }
  if (n == s) return Rect{};

  const bool shares_edges =
      (n.left == s.left || n.right == s.right) && (n.top == s.top || n.bottom == s.bottom);
  if (!is_move && !shares_edges) {
    RemoveNow();
    Fill(n, kOverlayHole);
    DrawFrameAndHandles(n);
    selection_ = n;
    return dirty_;
  }

  // Incremental: the old frame goes back to dimmed and the old handle pixels to what they cover
  // in the old selection; then every pixel whose side of the edge changed is rewritten.
  FrameLines(s, kOverlayDim);
  EraseHandles(s);
  if (!Intersects(s, n)) {
    Fill(s, kOverlayDim);
    Fill(n, kOverlayHole);
  } else {
    // Every pixel inside one rectangle but not the other lies between an old and a new edge:
    // in a column band between the left (or right) edges or a row band between the top (or
    // bottom) edges, each band spanning both rectangles.
    const int top = std::min(s.top, n.top), bottom = std::max(s.bottom, n.bottom);
    const int left = std::min(s.left, n.left), right = std::max(s.right, n.right);
    FillSplit(Rect{std::min(s.left, n.left), top, std::max(s.left, n.left), bottom}, n);
    FillSplit(Rect{std::min(s.right, n.right), top, std::max(s.right, n.right), bottom}, n);
    FillSplit(Rect{left, std::min(s.top, n.top), right, std::max(s.top, n.top)}, n);
    FillSplit(Rect{left, std::min(s.bottom, n.bottom), right, std::max(s.bottom, n.bottom)}, n);
  }
  // The old frame, where the screen edges pushed it onto the selection's own border, may lie
  // inside both rectangles and off every band; it is redrawn by the new frame, which sits on
  // the same line whenever that happens.
  DrawFrameAndHandles(n);
  selection_ = n;
  return dirty_;
}

Rect OverlayPixels::DimWindowHighlight(const Rect& window) {
  dirty_ = Rect{};
  if (usable()) Fill(Grown(window, 5, 5, 4, 4), kOverlayDim);
  return dirty_;
}

Rect OverlayPixels::HighlightWindow(const Rect& window) {
  dirty_ = Rect{};
  // A rectangle off the capture would still get frame bands along the screen border, outside
  // what DimWindowHighlight takes back.
  if (!usable() || !Intersects(window, Rect{0, 0, cx_, cy_})) return Rect{};
  Fill(window, kOverlayHole);
  const int l = std::max(window.left, 1), t = std::max(window.top, 1);
  const int r = std::min(window.right, cx_ - 2), b = std::min(window.bottom, cy_ - 2);
  // Bands are clipped to the shown area: at the left and top screen edges they would start
  // before the store.
  Fill(Rect{l - 3, t - 3, r + 4, t + 1}, kFrameColour);
  Fill(Rect{l - 3, b, r + 4, b + 4}, kFrameColour);
  Fill(Rect{l - 3, t - 3, l + 1, b + 4}, kFrameColour);
  Fill(Rect{r, t - 3, r + 4, b + 4}, kFrameColour);
  return dirty_;
}
