// CScrawlBoard: the mosaic tool: the blur of a rectangle with its preview frame, the mosaic
// region object and its creation record.
#include "screenshot/board/CScrawlBoard_mosaic.h"

#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include <algorithm>

#include "screenshot/board/mosaic_pixels.h"
#include "screenshot/diagnostics/debug_log_win.h"

const char CScrawlBoard::CRecordMasaiKe::kTag = 0;

namespace {

// The dashed frame round a mosaic being dragged out: opaque light blue, 2 pixels wide, on the
// area grown by one pixel, so that it runs just outside the blocks.
constexpr uint32_t kPreviewFrameArgb = 0xFF02D8FF;
constexpr float kPreviewFrameWidth = 2.0f;

void PaintPreviewFrame(BoardLayer& layer, const Rect& area) {
  Gdiplus::Graphics* g = layer.graphics();
  if (!g) return;
  g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  Gdiplus::Pen pen(Gdiplus::Color(kPreviewFrameArgb), kPreviewFrameWidth);
  pen.SetAlignment(Gdiplus::PenAlignmentCenter);
  pen.SetLineJoin(Gdiplus::LineJoinBevel);
  pen.SetDashStyle(Gdiplus::DashStyleDash);
  const Rect f = Inflated(area, 1);
  g->DrawRectangle(&pen, f.left, f.top, f.Width(), f.Height());
}

}  // namespace

// ---- the region --------------------------------------------------------------------------------

CScrawlBoard::CObjectMasaiKe::CObjectMasaiKe(ObjectList& list, const Rect& r)
    : CObjectBase(list, kObjectMasaiKe) {
  rect = Normalized(r);
}

void CScrawlBoard::CObjectMasaiKe::Draw(CScrawlBoard* board, BoardLayer& layer) {
  board->Pixelate(layer, rect, false);
}

void CScrawlBoard::CObjectMasaiKe::DrawHover(CScrawlBoard* board, BoardLayer& layer) {
  board->DrawSettledMosaic(layer, rect);
}

void CScrawlBoard::CObjectMasaiKe::DrawSelected(CScrawlBoard* board, BoardLayer& layer) {
  board->DrawSettledMosaic(layer, rect);
}

int CScrawlBoard::CObjectMasaiKe::HitTestBody(int x, int y, int) {
  return rect.Contains(Point{x, y}) ? 1 : 0;
}

// ---- the board's side --------------------------------------------------------------------------

bool CScrawlBoard::Pixelate(BoardLayer& target, const Rect& r, bool frame) {
  if (r.Width() < 1 || r.Height() < 1) return false;
  // The blocks are worked out from the pixels themselves: every stroke drawn so far has to have
  // landed in them first.
  BoardLayer& source = mosaic_source_ ? *mosaic_source_ : background_;
  source.Flush();
  if (frame) PaintPreviewFrame(target, r);
  target.Flush();
  return PixelateBlocks(source.pixels(), target.pixels(), r);
}

void CScrawlBoard::DrawSettledMosaic(BoardLayer& target, const Rect& r) {
  const Rect area = Intersection(Normalized(r), Rect{0, 0, width_, height_});
  if (area.IsEmpty()) return;
  // The layers above the background cover it: blurring the background there would smear the
  // newer objects into the blocks (and while selected the background lacks the mosaic). So the
  // objects are drawn in order on a layer of their own, as the background is rebuilt.
  BoardLayer settled;
  if (!settled.Create(width_, height_)) {
    diag::Log(diag::kLogError, L"CreateDIBSection [mosaic look %dx%d] Failed [%08X]", width_,
              height_, ::GetLastError());
    Pixelate(target, area, false);
    return;
  }
  CopyScreenInto(settled);
  BoardLayer* const outer = mosaic_source_;
  mosaic_source_ = &settled;
  for (ObjectCore* c = objects_.head(); c; c = c->next)
    if (c->IsLive()) static_cast<CObjectBase*>(c)->Draw(this, settled);
  mosaic_source_ = outer;
  settled.Flush();
  target.Flush();
  const PixelView& from = settled.pixels();
  const PixelView& to = target.pixels();
  for (int y = area.top; y < area.bottom; ++y)
    std::copy(from.Row(y) + area.left, from.Row(y) + area.right, to.Row(y) + area.left);
}

bool CScrawlBoard::PreviewMosaic(Point p) {
  const Rect area = MosaicArea(press_, p, width_, height_);
  return !area.IsEmpty() && Pixelate(overlay_, area, true);
}

CScrawlBoard::CBaseRecord* CScrawlBoard::CreateMosaic(Point p) {
  const Rect area = MosaicArea(press_, p, width_, height_);
  if (area.IsEmpty()) return nullptr;
  Pixelate(background_, area, false);
  return new CRecordMasaiKe(new CObjectMasaiKe(objects_, area));
}

BoardLayer* CScrawlBoard::PrepareMosaicSource(BoardLayer& under) {
  const bool mosaic =
      objects_.TopmostLive([](ObjectCore* o) { return o->kind == kObjectMasaiKe; }) != nullptr;
  if (!mosaic) return nullptr;
  if (!under.Create(width_, height_)) {
    // The mosaics then blur the background as it is.
    diag::Log(diag::kLogError, L"CreateDIBSection [mosaic source %dx%d] Failed [%08X]", width_,
              height_, ::GetLastError());
    return nullptr;
  }
  CopyScreenInto(under);
  return &under;
}
