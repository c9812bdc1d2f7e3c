// Panels, separator lines, the logo and the tooltip background.
#include <algorithm>

#include "glyphs.h"
#include "pictures.h"

namespace resgen {

namespace {

// A line of the border colour whose two ends fade out over `fade` pixels, with a white
// highlight beside it; vertical lines are the same picture turned.
Canvas fadedLine(int length, int fade, bool vertical) {
  Canvas c(vertical ? 2 : length, vertical ? length : 2);
  for (int i = 0; i < length; ++i) {
    double a = std::min(1.0, std::min(i + 0.5, length - i - 0.5) / fade);
    Color line = withAlpha(palette::border, a);
    Color light = withAlpha(palette::white, a * 0.9);
    if (vertical) {
      c.set(0, i, line);
      c.set(1, i, light);
    } else {
      c.set(i, 0, line);
      c.set(i, 1, light);
    }
  }
  return c;
}

// Logo: the camera mark and the name.
Canvas bmp120() {
  Canvas c(190, 67);
  c.draw(launcherIcon(48), 8, 10);
  double width = 0;
  latinWord("Lumetta", 0, 0, 24, 3.0, &width);
  double x = 66 + (190 - 66 - 8 - width) / 2;
  c.fill(latinWord("Lumetta", x, 21.5, 24, 3.0), palette::ink);
  c.fill(segment({x, 54}, {x + 26, 54}, 2.5), palette::accent);
  return c;
}

// Small shadowed square.
Canvas bmp121() {
  Canvas c(20, 20);
  Shape square = roundRect(2, 2, 16, 16, 2);
  c.shadow(square, 1.2, 1.6, 1.3, withAlpha(palette::shadow, 0.35));
  c.fill(square, palette::white);
  c.fill(strokeRoundRect(2.5, 2.5, 15.5, 15.5, 1.5, 1.0), palette::border);
  return c;
}

// Main tool bar background, nine-grid margins 3.
Canvas bmp122() { return roundPanel(34, 32, 3, 3, 3, 3, 3); }

// Context menu background, nine-grid margins 5, 8, 5, 8.
Canvas bmp1080() { return roundPanel(44, 136, 5, 8, 5, 8, 4); }

// Context menu item highlight: hover, checked (nine-grid margins 3).
Canvas bmp1081() { return hstack({highlightFrame(26, 28, false), highlightFrame(26, 28, true)}); }

Canvas bmp1082() { return fadedLine(51, 6, false); }
Canvas bmp1083() { return fadedLine(30, 5, true); }

// Tooltip background with a shadow, nine-grid margins left 5, top 5, right 8, bottom 8.
Canvas bmp1047() { return roundPanel(35, 26, 5, 5, 8, 8, 3, 3.5); }

}  // namespace

std::vector<Picture> panelPictures() {
  return {
      {120, bmp120},   {121, bmp121},   {122, bmp122},   {1047, bmp1047},
      {1080, bmp1080}, {1081, bmp1081}, {1082, bmp1082}, {1083, bmp1083},
  };
}

}  // namespace resgen
