// The annotation board's drawing layers and the GDI+ strokes of its shapes.
#include "screenshot/board/board_paint_win.h"

#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include <cstring>

#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/board/shape_geometry.h"

namespace {

using Gdiplus::Color;
using Gdiplus::Graphics;
using Gdiplus::Pen;

// A pen as every shape of the board makes it: the object's colour, opaque, its width in world
// units and its dash style.
std::unique_ptr<Pen> MakePen(const StrokeStyle& stroke, Gdiplus::PenAlignment alignment,
                             Gdiplus::LineJoin join) {
  auto pen =
      std::make_unique<Pen>(Color(0xFF000000u | stroke.argb), static_cast<float>(stroke.width));
  pen->SetAlignment(alignment);
  pen->SetDashStyle(static_cast<Gdiplus::DashStyle>(ClampDashStyle(stroke.dash)));
  pen->SetLineJoin(join);
  return pen;
}

void DrawPoints(Graphics* g, const std::vector<Point>& points, const StrokeStyle& stroke) {
  if (points.size() < 2) return;
  std::vector<Gdiplus::Point> pts;
  pts.reserve(points.size());
  for (const Point& p : points) pts.emplace_back(p.x, p.y);
  g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  auto pen = MakePen(stroke, Gdiplus::PenAlignmentInset, Gdiplus::LineJoinRound);
  g->DrawLines(pen.get(), pts.data(), static_cast<INT>(pts.size()));
}

}  // namespace

BoardLayer::BoardLayer() = default;

BoardLayer::~BoardLayer() { Destroy(); }

bool BoardLayer::Create(int width, int height) {
  Destroy();
  bitmap_.Reset(CreateTopDownDib(width, height, &pixels_));
  if (!bitmap_) {
    pixels_ = PixelView{};
    return false;
  }
  Clear();  // a fresh section is zeroed already; a layer's contract says so anyway
  return true;
}

void BoardLayer::Destroy() {
  graphics_.reset();
  surface_.reset();
  bitmap_.Reset();
  pixels_ = PixelView{};
}

void BoardLayer::Clear() {
  if (!ok()) return;
  Flush();
  std::memset(pixels_.top_row, 0, static_cast<size_t>(pixels_.width) * pixels_.height * 4);
}

Gdiplus::Graphics* BoardLayer::graphics() {
  if (graphics_ || !ok()) return graphics_.get();
  auto surface = std::make_unique<Gdiplus::Bitmap>(pixels_.width, pixels_.height, pixels_.width * 4,
                                                   PixelFormat32bppPARGB,
                                                   reinterpret_cast<BYTE*>(pixels_.top_row));
  if (surface->GetLastStatus() != Gdiplus::Ok) return nullptr;
  auto graphics = std::make_unique<Graphics>(surface.get());
  if (graphics->GetLastStatus() != Gdiplus::Ok) return nullptr;
  surface_ = std::move(surface);
  graphics_ = std::move(graphics);
  return graphics_.get();
}

void BoardLayer::Flush() {
  if (graphics_) graphics_->Flush(Gdiplus::FlushIntentionSync);
}

void PaintRectangle(BoardLayer& layer, const Rect& r, const StrokeStyle& stroke) {
  Graphics* g = layer.graphics();
  if (!g) return;
  g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  auto pen = MakePen(stroke, Gdiplus::PenAlignmentCenter, Gdiplus::LineJoinBevel);
  g->DrawRectangle(pen.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void PaintEllipse(BoardLayer& layer, const Rect& r, const StrokeStyle& stroke) {
  Graphics* g = layer.graphics();
  if (!g) return;
  g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  auto pen = MakePen(stroke, Gdiplus::PenAlignmentCenter, Gdiplus::LineJoinBevel);
  g->DrawEllipse(pen.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool PaintArrow(BoardLayer& layer, Point tail, Point head, const StrokeStyle& stroke) {
  const ArrowShape s = ArrowShapeOf(tail, head, stroke.width);
  if (!s.drawable) return false;
  Graphics* g = layer.graphics();
  if (!g) return true;
  g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  Gdiplus::SolidBrush brush(Color(0xFF000000u | stroke.argb));
  const Gdiplus::PointF tri[3] = {
      {s.head[0].x, s.head[0].y}, {s.head[1].x, s.head[1].y}, {s.head[2].x, s.head[2].y}};
  g->FillClosedCurve(&brush, tri, 3, Gdiplus::FillModeWinding, 0.3f);
  if (s.has_shaft) {
    const Gdiplus::PointF shaft[2] = {{s.shaft_from.x, s.shaft_from.y},
                                      {s.shaft_to.x, s.shaft_to.y}};
    auto pen = MakePen(stroke, Gdiplus::PenAlignmentInset, Gdiplus::LineJoinMiter);
    g->DrawLines(pen.get(), shaft, 2);
  }
  return true;
}

void PaintPolyline(BoardLayer& layer, const std::vector<Point>& points, const StrokeStyle& stroke) {
  if (Graphics* g = layer.graphics()) DrawPoints(g, points, stroke);
}

void PaintMarchingPolyline(BoardLayer& layer, const std::vector<Point>& points,
                           const StrokeStyle& stroke) {
  Graphics* g = layer.graphics();
  if (!g || points.size() < 2) return;
  const int outline = stroke.width + 3;
  DrawPoints(g, points, StrokeStyle{outline, 0, 0xFFFFFFFF});
  DrawPoints(g, points, StrokeStyle{outline, stroke.width < 4 ? 3 : 2, 0xFF000000});
  DrawPoints(g, points, StrokeStyle{stroke.width, 0, 0xFF808080});
  layer.Flush();
  // The grey core goes, leaving the outline on both sides of the line. Only the stroke's
  // neighbourhood can hold it: the layer is cleared before a selected object is drawn on it.
  const Rect reach =
      Intersection(Inflated(PointsBoundingBox(points), outline + 2), layer.pixels().Bounds());
  for (int y = reach.top; y < reach.bottom; ++y) {
    uint32_t* row = layer.pixels().Row(y);
    for (int x = reach.left; x < reach.right; ++x)
      if (((row[x] >> 16) & 0xFF) == 0x80) row[x] = 0;
  }
  DrawPoints(g, points, stroke);
}

void BlendKnob(BoardLayer& layer, HBITMAP knob, int knob_size, Point at) {
  if (!knob || !layer.ok()) return;
  layer.Flush();
  ScopedDC dst(::CreateCompatibleDC(nullptr));
  ScopedDC src(::CreateCompatibleDC(nullptr));
  ScopedSelectObject dst_selected(dst.get(), layer.bitmap());
  ScopedSelectObject src_selected(src.get(), knob);
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dst.get(), at.x - knob_size / 2, at.y - knob_size / 2, knob_size, knob_size,
               src.get(), 0, 0, knob_size, knob_size, blend);
  ::GdiFlush();
}
