// The annotation board's drawing layers and the GDI+ strokes of its shapes: the rectangle,
// ellipse, arrow and free-hand line, the marching outline of a selected free-hand line and the
// arrow's end knobs. Every stroke is drawn as the board's objects and previews are (smoothing,
// pen alignment, joins, dash), in the object's opaque colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "screenshot/base/geometry.h"
#include "screenshot/base/ScopedWin.h"

namespace Gdiplus {
class Bitmap;
class Graphics;
}  // namespace Gdiplus

// One drawing layer of the board: a top-down 32-bpp DIB section with premultiplied alpha, the
// size of the selection, and a GDI+ surface over the same pixels for the strokes. Pixels written
// directly (Clear, the outline's cut) and strokes meet in the same memory; Flush makes the
// strokes land before the pixels are read or the bitmap is handed on.
class BoardLayer {
 public:
  BoardLayer();
  ~BoardLayer();
  BoardLayer(const BoardLayer&) = delete;
  BoardLayer& operator=(const BoardLayer&) = delete;

  // A transparent layer of width x height; false (and no layer) when it cannot be made.
  bool Create(int width, int height);
  void Destroy();
  bool ok() const { return pixels_.top_row != nullptr; }
  HBITMAP bitmap() const { return bitmap_.get(); }
  const PixelView& pixels() const { return pixels_; }
  // Every pixel transparent (all four bytes 0).
  void Clear();
  // The GDI+ surface, made on first use; null without a layer or a GDI+ session.
  Gdiplus::Graphics* graphics();
  void Flush();

 private:
  ScopedBitmap bitmap_;
  PixelView pixels_;
  // Over bitmap_'s pixels: declared after it, so gone before it.
  std::unique_ptr<Gdiplus::Bitmap> surface_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

// A shape's pen: width in pixels, GDI+ dash style, colour 0xFFRRGGBB.
struct StrokeStyle {
  int width = 2;
  int dash = 0;
  uint32_t argb = 0xFFFF0000;
};

// High-quality smoothing, centred pen, bevel joins: the outline of (left, top) to (right,
// bottom) as one drawn rectangle of right - left by bottom - top.
void PaintRectangle(BoardLayer& layer, const Rect& r, const StrokeStyle& pen);
// The same pen round the ellipse in that box.
void PaintEllipse(BoardLayer& layer, const Rect& r, const StrokeStyle& pen);
// The arrow of ArrowShapeOf: the head filled as a closed curve of tension 0.3 (its sides bulge
// a little), the shaft an inset line with mitre joins. False, nothing drawn, for ends 2 pixels
// apart or less.
bool PaintArrow(BoardLayer& layer, Point tail, Point head, const StrokeStyle& pen);
// Anti-aliased, inset pen, round joins, through every point in order.
void PaintPolyline(BoardLayer& layer, const std::vector<Point>& points, const StrokeStyle& pen);
// A selected free-hand line: a white line 3 wider, black dashes over it (dash-dot under 4
// pixels, dots from 4), its grey core cut out again (every pixel whose red byte is exactly 0x80
// becomes transparent) so the outline runs on both sides, then the line itself.
void PaintMarchingPolyline(BoardLayer& layer, const std::vector<Point>& points,
                           const StrokeStyle& pen);
// Blends the left `knob_size` x `knob_size` part of a premultiplied bitmap centred on `at`.
void BlendKnob(BoardLayer& layer, HBITMAP knob, int knob_size, Point at);
