// Drawing helpers shared by the picture sets: panels, frames and the common shapes.
#include "pictures.h"

#include <algorithm>

namespace resgen {

Canvas highlightFrame(int w, int h, bool pressed, double radius) {
  Canvas c(w, h);
  Color fill = pressed ? withAlpha(palette::accent, 0.30) : withAlpha(palette::accent, 0.13);
  Color line = pressed ? withAlpha(palette::accentDark, 0.75) : withAlpha(palette::accent, 0.55);
  c.fill(roundRect(0, 0, w, h, radius), fill);
  c.fill(strokeRoundRect(0.5, 0.5, w - 0.5, h - 0.5, radius - 0.5, 1.0), line);
  return c;
}

Canvas enabledAndGreyed(const Canvas& icon) { return hstack({icon, greyed(icon)}); }

Canvas roundPanel(int w, int h, int left, int top, int right, int bottom, double radius,
                  double shadowSize) {
  // Draw with a generous middle, then keep the margins and one middle column and row.
  const int bw = std::max(w, left + 40 + right), bh = std::max(h, top + 40 + bottom);
  Canvas big(bw, bh);
  double inset = shadowSize > 0 ? 1.0 : 0.0;
  double x0 = inset, y0 = inset;
  double x1 = bw - (shadowSize > 0 ? shadowSize + 1.0 : 0.0);
  double y1 = bh - (shadowSize > 0 ? shadowSize + 1.0 : 0.0);
  if (shadowSize > 0) {
    Shape body = roundRect(x0, y0, x1, y1, radius);
    big.shadow(body, shadowSize * 0.45, shadowSize * 0.6, shadowSize * 0.45,
               withAlpha(palette::shadow, 0.30));
    big.shadow(body, 0, 0.5, 0.6, withAlpha(palette::shadow, 0.12));
  }
  big.fill(roundRect(x0, y0, x1, y1, radius), palette::white);
  big.fill(strokeRoundRect(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, radius - 0.5, 1.0),
           palette::border);
  return collapseNineGrid(big, left, top, right, bottom, w, h);
}

}  // namespace resgen
