// CColorToolBar: composing the bar (panel, width buttons, colour box, swatches) and presenting it.
#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/CColorToolBar.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace {

constexpr wchar_t kName[] = L"colour bar";  // in the log

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

bool CColorToolBar::Compose(LayeredSurface& surface) const {
  if (!floatingbar::Compose(m_hWnd, surface, panel_.get(), colorbar::kBackgroundMargin, kName,
                            [this](HDC dc) { return BlendWidthButtons(dc); }))
    return false;
  floatingbar::PaintPalette(surface, FromRECT(current_color_rect_), swatches_, color_index_,
                            btn_mgr_);
  return true;
}

void CColorToolBar::Paint() {
  LayeredSurface surface;
  if (Compose(surface)) floatingbar::Present(m_hWnd, surface, kName);
}
