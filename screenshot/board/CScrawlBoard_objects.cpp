// The annotation board's drawn objects: what each kind draws, its hit tests, cursors and hit
// mask.
#include "screenshot/board/CScrawlBoard_objects.h"

#include "screenshot/board/shape_geometry.h"

namespace {

void SetSystemCursor(LPCWSTR id) { ::SetCursor(::LoadCursorW(nullptr, id)); }

// The cursor of a frame handle of a rectangle or an ellipse.
void SetFrameCursor(int code) {
  switch (code) {
    case kHitMove:
      SetSystemCursor(IDC_SIZEALL);
      break;
    case kHitLeft:
    case kHitRight:
      SetSystemCursor(IDC_SIZEWE);
      break;
    case kHitTop:
    case kHitBottom:
      SetSystemCursor(IDC_SIZENS);
      break;
    case kHitTopLeft:
    case kHitBottomRight:
      SetSystemCursor(IDC_SIZENWSE);
      break;
    case kHitTopRight:
    case kHitBottomLeft:
      SetSystemCursor(IDC_SIZENESW);
      break;
    default:
      break;
  }
}

// The shape drawn in its own colour, then again in its hover colour.
template <typename PaintFn>
void PaintHovered(const StrokeStyle& pen, PaintFn paint) {
  paint(pen);
  StrokeStyle hover = pen;
  hover.argb = HoverColor(pen.argb);
  paint(hover);
}

// A white pen (or brush) for a hit mask picture, selected for one scope.
struct MaskPen {
  ScopedGdiObject<HPEN> pen;
  ScopedSelectObject selected;
  MaskPen(HDC dc, int width) : pen(::CreatePen(PS_SOLID, width, RGB(255, 255, 255))) {
    selected.Select(dc, pen.get());
  }
};

}  // namespace

// ---- the base ----------------------------------------------------------------------------------

void CScrawlBoard::CObjectBase::Draw(CScrawlBoard*, BoardLayer&) {}
void CScrawlBoard::CObjectBase::DrawHover(CScrawlBoard*, BoardLayer&) {}
void CScrawlBoard::CObjectBase::DrawSelected(CScrawlBoard*, BoardLayer&) {}
int CScrawlBoard::CObjectBase::HitTestHandles(int, int) { return kHitNone; }
void CScrawlBoard::CObjectBase::SetCursorFor(int) {}
int CScrawlBoard::CObjectBase::HitTestBody(int, int, int) { return 0; }
CScrawlBoard::CObjectBase::~CObjectBase() { hit_mask.Clear(); }
int32_t CScrawlBoard::CObjectBase::AddRef() { return AddRefCount(); }

int32_t CScrawlBoard::CObjectBase::Release() {
  const int32_t left = ReleaseCount();
  if (left == 0) delete this;
  return left;
}

void CScrawlBoard::CObjectBase::RenderHitMask(HDC, const Rect&) {}

bool CScrawlBoard::CObjectBase::MaskHit(const Rect& box, Point p, bool wide) {
  if (box.IsEmpty()) return false;
  if (hit_mask.empty() || hit_mask.box() != box) {
    // The stroke painted white on a black 24-bit picture, packed into bits.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = HitMask::PictureWidth(box.Width());
    bi.bmiHeader.biHeight = -box.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    ScopedBitmap picture(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) return false;  // too large for this process: nothing is hit
    {
      ScopedDC dc(::CreateCompatibleDC(nullptr));
      ScopedSelectObject selected(dc.get(), picture.get());
      RenderHitMask(dc.get(), box);
    }
    ::GdiFlush();
    const std::ptrdiff_t stride = (bi.bmiHeader.biWidth * 3 + 3) & ~3;
    hit_mask.Pack(box, static_cast<const uint8_t*>(bits), stride);
  }
  return hit_mask.Hit(p, wide);
}

// ---- rectangle ---------------------------------------------------------------------------------

CScrawlBoard::CObjectRectangle::CObjectRectangle(ObjectList& list, const Rect& r,
                                                 const StrokeStyle& pen)
    : CPenObject(list, kObjectRectangle, pen) {
  rect = Normalized(r);
}

void CScrawlBoard::CObjectRectangle::Draw(CScrawlBoard*, BoardLayer& layer) {
  PaintRectangle(layer, rect, pen());
}

void CScrawlBoard::CObjectRectangle::DrawHover(CScrawlBoard*, BoardLayer& layer) {
  PaintHovered(pen(), [&](const StrokeStyle& p) { PaintRectangle(layer, rect, p); });
}

void CScrawlBoard::CObjectRectangle::DrawSelected(CScrawlBoard* board, BoardLayer& layer) {
  Draw(board, layer);
}

int CScrawlBoard::CObjectRectangle::HitTestHandles(int x, int y) {
  if (const HitCode code = FrameRingHit(rect, {x, y})) return code;
  return MoveGripHit(rect, {x, y}) ? kHitMove : kHitNone;
}

void CScrawlBoard::CObjectRectangle::SetCursorFor(int hit_code) { SetFrameCursor(hit_code); }

int CScrawlBoard::CObjectRectangle::HitTestBody(int x, int y, int wide) {
  return RectangleOutlineHit(rect, width, {x, y}, wide != 0);
}

// ---- ellipse -----------------------------------------------------------------------------------

CScrawlBoard::CObjectEllipse::CObjectEllipse(ObjectList& list, const Rect& r,
                                             const StrokeStyle& pen)
    : CPenObject(list, kObjectEllipse, pen) {
  rect = Normalized(r);
}

void CScrawlBoard::CObjectEllipse::Draw(CScrawlBoard*, BoardLayer& layer) {
  PaintEllipse(layer, rect, pen());
}

void CScrawlBoard::CObjectEllipse::DrawHover(CScrawlBoard*, BoardLayer& layer) {
  PaintHovered(pen(), [&](const StrokeStyle& p) { PaintEllipse(layer, rect, p); });
}

void CScrawlBoard::CObjectEllipse::DrawSelected(CScrawlBoard* board, BoardLayer& layer) {
  Draw(board, layer);
}

int CScrawlBoard::CObjectEllipse::HitTestHandles(int x, int y) {
  if (MoveGripHit(rect, {x, y})) return kHitMove;
  if (const HitCode code = FrameRingHit(rect, {x, y})) return code;
  return HitTestBody(x, y, 0) ? kHitMove : kHitNone;
}

void CScrawlBoard::CObjectEllipse::SetCursorFor(int hit_code) { SetFrameCursor(hit_code); }

int CScrawlBoard::CObjectEllipse::HitTestBody(int x, int y, int wide) {
  return MaskHit(EllipseMaskBox(rect, width), {x, y}, wide != 0);
}

void CScrawlBoard::CObjectEllipse::RenderHitMask(HDC dc, const Rect& box) {
  const int k = MaskInflation(width);
  ScopedSelectObject pen(dc, ::GetStockObject(NULL_PEN));
  ScopedSelectObject brush(dc, ::GetStockObject(WHITE_BRUSH));
  // NULL_PEN leaves the right and bottom edge: one pixel more each way.
  ::Ellipse(dc, 0, 0, box.Width() + 1, box.Height() + 1);
  ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
  ::Ellipse(dc, 2 * k, 2 * k, box.Width() - 2 * k + 1, box.Height() - 2 * k + 1);
}

// ---- arrow -------------------------------------------------------------------------------------

CScrawlBoard::CObjectArrow::CObjectArrow(ObjectList& list, Point tail, Point head,
                                         const StrokeStyle& pen)
    : CPenObject(list, kObjectArrow, pen) {
  rect = Rect{tail.x, tail.y, head.x, head.y};
}

void CScrawlBoard::CObjectArrow::Draw(CScrawlBoard*, BoardLayer& layer) {
  PaintArrow(layer, tail(), head(), pen());
}

void CScrawlBoard::CObjectArrow::DrawHover(CScrawlBoard*, BoardLayer& layer) {
  PaintHovered(pen(), [&](const StrokeStyle& p) { PaintArrow(layer, tail(), head(), p); });
}

void CScrawlBoard::CObjectArrow::DrawSelected(CScrawlBoard* board, BoardLayer& layer) {
  Draw(board, layer);
}

int CScrawlBoard::CObjectArrow::HitTestHandles(int x, int y) {
  if (const HitCode end = ArrowEndHit(tail(), head(), {x, y})) return end;
  return HitTestBody(x, y, 0) ? kHitMove : kHitNone;
}

void CScrawlBoard::CObjectArrow::SetCursorFor(int hit_code) {
  if (hit_code == kHitTopLeft || hit_code == kHitBottomRight)
    SetSystemCursor(IDC_HAND);
  else if (hit_code == kHitMove)
    SetSystemCursor(IDC_SIZEALL);
}

int CScrawlBoard::CObjectArrow::HitTestBody(int x, int y, int wide) {
  return MaskHit(ArrowMaskBox(tail(), head(), width), {x, y}, wide != 0);
}

void CScrawlBoard::CObjectArrow::RenderHitMask(HDC dc, const Rect& box) {
  MaskPen pen(dc, 2 * MaskInflation(width));
  ::MoveToEx(dc, rect.left - box.left, rect.top - box.top, nullptr);
  ::LineTo(dc, rect.right - box.left, rect.bottom - box.top);
}

// ---- free-hand line ----------------------------------------------------------------------------

CScrawlBoard::CObjectPolyline::CObjectPolyline(ObjectList& list, std::vector<Point> pts,
                                               const StrokeStyle& pen)
    : CPenObject(list, kObjectPolyline, pen), points(std::move(pts)) {
  rect = PointsBoundingBox(points);
}

void CScrawlBoard::CObjectPolyline::Draw(CScrawlBoard*, BoardLayer& layer) {
  PaintPolyline(layer, points, pen());
}

void CScrawlBoard::CObjectPolyline::DrawHover(CScrawlBoard*, BoardLayer& layer) {
  PaintHovered(pen(), [&](const StrokeStyle& p) { PaintPolyline(layer, points, p); });
}

void CScrawlBoard::CObjectPolyline::DrawSelected(CScrawlBoard*, BoardLayer& layer) {
  PaintMarchingPolyline(layer, points, pen());
}

int CScrawlBoard::CObjectPolyline::HitTestHandles(int x, int y) {
  return HitTestBody(x, y, 0) ? kHitMove : kHitNone;
}

void CScrawlBoard::CObjectPolyline::SetCursorFor(int hit_code) {
  if (hit_code == kHitMove) SetSystemCursor(IDC_SIZEALL);
}

int CScrawlBoard::CObjectPolyline::HitTestBody(int x, int y, int wide) {
  return MaskHit(rect, {x, y}, wide != 0);
}

void CScrawlBoard::CObjectPolyline::RenderHitMask(HDC dc, const Rect& box) {
  if (points.size() < 2) return;
  MaskPen pen(dc, 2 * MaskInflation(width) + 2);
  std::vector<POINT> pts;
  pts.reserve(points.size());
  for (const Point& p : points) pts.push_back(POINT{p.x - box.left, p.y - box.top});
  ::Polyline(dc, pts.data(), static_cast<int>(pts.size()));
}

void CScrawlBoard::CObjectPolyline::OffsetBy(int dx, int dy) {
  for (Point& p : points) p = Point{p.x + dx, p.y + dy};
  rect = Offset(rect, dx, dy);
  hit_mask.Clear();
}
