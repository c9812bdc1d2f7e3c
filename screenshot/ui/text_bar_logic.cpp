// The text bar's window-free rules.
#include "screenshot/ui/text_bar_logic.h"

namespace textbar {

std::vector<Rect> ButtonRects(const Layout& layout) {
  std::vector<Rect> rects;
  for (const Rect* r : {&layout.size_button, &layout.font_button, &layout.bold, &layout.italic})
    if (!r->IsEmpty()) rects.push_back(*r);
  for (const Rect& r : layout.swatches)
    if (!r.IsEmpty()) rects.push_back(r);
  return rects;
}

colorbar::PointClass Classify(Point client_point, const Rect& client, const Layout& layout,
                              bool screen_point_in_window) {
  const Rect& first = layout.swatches[0];
  const Rect& last = layout.swatches[colorbar::kSwatchCount - 1];
  // Without both ends of the block there is no block to keep presses off.
  const Rect palette =
      first.IsEmpty() || last.IsEmpty() ? Rect{} : colorbar::PaletteArea(first, last);
  return colorbar::ClassifyPoint(client_point, client, palette, ButtonRects(layout),
                                 screen_point_in_window);
}

DropFrame DropButtonFrame(unsigned state) {
  if (state & colorbar::kStatePressed) return DropFrame::kPressed;
  if (state & colorbar::kStateHot) return DropFrame::kHot;
  return DropFrame::kNormal;
}

ToggleFrame ToggleButtonFrame(unsigned state, bool on) {
  if (state & colorbar::kStateHot) return ToggleFrame::kHot;
  if ((state & colorbar::kStatePressed) || on) return ToggleFrame::kPressedOrOn;
  return ToggleFrame::kNone;
}

TipTarget TooltipTargetAt(const Layout& layout, Point p) {
  if (layout.size_button.Contains(p)) return TipTarget::kSize;
  if (layout.bold.Contains(p)) return TipTarget::kBold;
  if (layout.italic.Contains(p)) return TipTarget::kItalic;
  if (layout.font_button.Contains(p)) return TipTarget::kFont;
  return TipTarget::kNone;
}

Rect SizeLabelRect(const Rect& size_button) {
  return Rect{size_button.left + kLabelInset, size_button.top, size_button.right,
              size_button.bottom};
}

}  // namespace textbar
