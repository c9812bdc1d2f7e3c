// CTextToolBar: composing the bar (panel, drop buttons, toggles, colour box, swatches) and
// presenting it.
#include <cwchar>

#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/CTextToolBar.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace {

// The size label's colour, RGB(34, 142, 230).
constexpr TextColour kLabelColour = {34, 142, 230};
constexpr int kDropFrames = 3;
constexpr int kToggleFrames = 2;

constexpr wchar_t kName[] = L"text bar";  // in the log

// Blends the whole of |picture| at (x, y), its own size.
bool BlendPicture(HDC dc, const BitmapSource& picture, int x, int y) {
  if (!picture.ok() || picture.width() <= 0 || picture.height() <= 0) return true;
  return ::AlphaBlend(dc, x, y, picture.width(), picture.height(), picture.dc(), 0, 0,
                      picture.width(), picture.height(), kPremultipliedBlend) != FALSE;
}

}  // namespace

bool CTextToolBar::BlendDropButtons(HDC dc) const {
  bool ok = true;
  BitmapSource frames(SharedImages().bitmap(ImageSet::kDropButton));
  const int frame_width = frames.width() / kDropFrames;
  for (const InplaceButton* button : {size_button_, font_button_}) {
    if (!button || !frames.ok() || frame_width <= 0) continue;
    const RECT& r = button->rect;
    const int frame = static_cast<int>(textbar::DropButtonFrame(btn_mgr_.GetButtonState(button)));
    ok &= DrawNineGrid(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frames.dc(),
                       frame * frame_width, 0, textbar::kDropBorderLeft, textbar::kDropBorderTop,
                       textbar::kDropBorderRight, textbar::kDropBorderBottom, frame_width,
                       frames.height());
  }
  if (size_button_) {
    // The size in points, as the size list offers it.
    wchar_t label[16];
    std::swprintf(label, 16, L"%d", ShownPointSize());
    const Rect text = textbar::SizeLabelRect(layout_.size_button);
    ok &= BlendText(dc, text.left, text.top, text.Width(), text.Height(), label_font_.get(), label,
                    -1, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, kLabelColour);
  }
  if (font_button_) {
    BitmapSource glyph(font_glyph_.get());
    const RECT& r = font_button_->rect;
    ok &= BlendPicture(dc, glyph, r.left + textbar::kGlyphInset,
                       r.top + (r.bottom - r.top - glyph.height()) / 2);
  }
  return ok;
}

bool CTextToolBar::BlendToggles(HDC dc) const {
  bool ok = true;
  BitmapSource frames(toggle_frames_.get());
  const int frame_width = frames.width() / kToggleFrames;
  const struct {
    const InplaceButton* button;
    bool on;
    HBITMAP glyph;
  } toggles[] = {{bold_button_, bold_ != 0, bold_glyph_.get()},
                 {italic_button_, italic_ != 0, italic_glyph_.get()}};
  for (const auto& t : toggles) {
    if (!t.button) continue;
    const RECT& r = t.button->rect;
    const textbar::ToggleFrame look =
        textbar::ToggleButtonFrame(btn_mgr_.GetButtonState(t.button), t.on);
    if (look != textbar::ToggleFrame::kNone && frames.ok() && frame_width > 0)
      ok &= ::AlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frames.dc(),
                         static_cast<int>(look) * frame_width, 0, frame_width, frames.height(),
                         kPremultipliedBlend) != FALSE;
    BitmapSource glyph(t.glyph);
    const Point at = colorbar::CentredIn(FromRECT(r), Size{glyph.width(), glyph.height()});
    ok &= BlendPicture(dc, glyph, at.x, at.y);
  }
  return ok;
}

bool CTextToolBar::Compose(LayeredSurface& surface) const {
  if (!floatingbar::Compose(m_hWnd, surface, panel_.get(), colorbar::kBackgroundMargin, kName,
                            [this](HDC dc) {
                              const bool drops = BlendDropButtons(dc);
                              return BlendToggles(dc) && drops;
                            }))
    return false;
  floatingbar::PaintPalette(surface, layout_.current_color, swatches_, color_index_, btn_mgr_);
  return true;
}

void CTextToolBar::Paint() {
  LayeredSurface surface;
  if (Compose(surface)) floatingbar::Present(m_hWnd, surface, kName);
}
