// CColorToolBar: composing the bar (panel, width buttons, colour box, swatches) and presenting it.
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/palette.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/CColorToolBar.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace {

// The surface's pixels as the pixel routines address them.
PixelView ViewOf(const LayeredSurface& surface) {
  PixelView view;
  view.top_row = reinterpret_cast<uint32_t*>(surface.top_row());
  view.row_step_pixels = surface.row_step() / 4;
  view.width = surface.width();
  view.height = surface.height();
  return view;
}

}  // namespace

bool CColorToolBar::BlendWidthButtons(HDC dc) const {
  bool ok = true;
  BitmapSource frames(width_frames_.get());
  const int frame_width = frames.width() / 2;
  for (int i = 0; i < colorbar::kWidthCount; ++i) {
    const InplaceButton* button = widths_[i];
    if (!button) continue;
    const RECT& r = button->rect;
    const colorbar::WidthFrame look =
        colorbar::WidthButtonFrame(i, width_index_, btn_mgr_.GetButtonState(button));
    if (look != colorbar::WidthFrame::kNone && frames.ok() && frame_width > 0) {
      const int frame = look == colorbar::WidthFrame::kHover ? 0 : 1;
      ok &= ::AlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frames.dc(),
                         frame * frame_width, 0, frame_width, frames.height(),
                         kPremultipliedBlend) != FALSE;
    }
    // The dot at its own size, centred on the button.
    BitmapSource dot(dots_[i].get());
    if (!dot.ok() || dot.width() <= 0 || dot.height() <= 0) continue;
    const Point at = colorbar::CentredIn(FromRECT(r), Size{dot.width(), dot.height()});
    ok &= ::AlphaBlend(dc, at.x, at.y, dot.width(), dot.height(), dot.dc(), 0, 0, dot.width(),
                       dot.height(), kPremultipliedBlend) != FALSE;
  }
  return ok;
}

void CColorToolBar::PaintColors(LayeredSurface& surface) const {
  const PixelView view = ViewOf(surface);
  if (!view.top_row) return;
  ::GdiFlush();  // the blends above must land before the pixels are written directly
  const Rect box = FromRECT(current_color_rect_);
  if (!box.IsEmpty()) colorbar::PaintCurrentColor(view, box, palette::ColorOf(color_index_));
  for (int i = 0; i < colorbar::kSwatchCount; ++i) {
    if (const InplaceButton* swatch = swatches_[i])
      colorbar::PaintSwatch(view, FromRECT(swatch->rect), i, color_index_,
                            btn_mgr_.GetButtonState(swatch));
  }
}

bool CColorToolBar::Compose(LayeredSurface& surface) const {
  RECT window;
  if (!m_hWnd || !::GetWindowRect(m_hWnd, &window)) return false;
  if (!surface.Create(window.right - window.left, window.bottom - window.top, 32)) return false;
  bool ok = true;
  {
    SurfaceDC dc(surface);
    if (!dc.get()) return false;
    BitmapSource panel(panel_.get());
    const int m = colorbar::kBackgroundMargin;
    if (panel.ok())
      ok = DrawNineGrid(dc.get(), 0, 0, surface.width(), surface.height(), panel.dc(), 0, 0, m, m,
                        m, m, panel.width(), panel.height());
    ok &= BlendWidthButtons(dc.get());
  }
  if (!ok)
    diag::Log(diag::kLogError, L"AlphaBlend [%s] Failed [%08X]", L"colour bar", ::GetLastError());
  PaintColors(surface);
  return true;
}

void CColorToolBar::Paint() {
  LayeredSurface surface;
  if (!Compose(surface)) return;
  if (!PresentLayered(m_hWnd, surface))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [%s] Failed [%08X]", L"colour bar",
              ::GetLastError());
}
