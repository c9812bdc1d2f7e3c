// The capture window's two cursors and the launcher's icon.
#include <algorithm>

#include "pictures.h"

namespace resgen {

namespace {

// Puts a white outline under the picture (every pixel next to ink gets white), so a cursor stays
// visible on dark and light screens alike.
Canvas withHalo(const Canvas& c) {
  Canvas halo(c.width(), c.height());
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      double a = 0;
      for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
          int sx = x + i, sy = y + j;
          if (sx >= 0 && sy >= 0 && sx < c.width() && sy < c.height())
            a = std::max(a, c.get(sx, sy).a);
        }
      halo.set(x, y, withAlpha(palette::white, a));
    }
  halo.draw(c, 0, 0);
  return halo;
}

// Crisp one-pixel cross centred on pixel (cx, cy): arms of `arm` pixels, a gap of `gap` pixels
// either side of the centre, and the centre pixel itself.
void cross(Canvas& c, int cx, int cy, int gap, int arm) {
  for (int d = gap + 1; d <= gap + arm; ++d) {
    c.set(cx - d, cy, palette::shadow);
    c.set(cx + d, cy, palette::shadow);
    c.set(cx, cy - d, palette::shadow);
    c.set(cx, cy + d, palette::shadow);
  }
  c.set(cx, cy, palette::shadow);
}

// Ordinary capture cursor: a precise cross, hotspot at its centre.
Canvas cursor103() {
  Canvas c(32, 32);
  cross(c, 15, 15, 2, 9);
  return withHalo(c);
}

// Drawing tool waiting for its first stroke: a smaller cross with a pen below right.
Canvas cursor175() {
  Canvas c(32, 32);
  cross(c, 10, 10, 2, 6);
  Pt tip{16.5, 29.5}, end{28.5, 17.5};
  double hw = 2.3;
  Pt wood{tip.x + 3.2, tip.y - 3.2};
  std::vector<Pt> body = {{wood.x - hw * 0.707, wood.y - hw * 0.707},
                          {end.x - hw * 0.707, end.y - hw * 0.707},
                          {end.x + hw * 0.707, end.y + hw * 0.707},
                          {wood.x + hw * 0.707, wood.y + hw * 0.707}};
  c.fill(polygon(body), palette::accent);
  c.fill(polygon({tip, body[0], body[3]}), rgb(0xF4, 0xDD, 0xB0));
  c.fill(polygon({tip, {tip.x + 1.8, tip.y - 0.4}, {tip.x + 0.4, tip.y - 1.8}}), palette::ink);
  std::vector<Pt> outline = {tip, body[0], body[1], body[2], body[3], tip};
  c.fill(polyline(outline, 1.0), palette::ink);
  return withHalo(c);
}

void fillVertical(Canvas& c, const Shape& s, Color top, Color bottom, double y0, double y1) {
  for (int y = 0; y < c.height(); ++y) {
    double t = std::clamp((y + 0.5 - y0) / (y1 - y0), 0.0, 1.0);
    c.fill(intersect(s, rect(0, y, c.width(), y + 1)), mix(top, bottom, t));
  }
}

}  // namespace

std::vector<CursorPicture> cursorPictures() {
  return {{103, 15, 15, cursor103}, {175, 10, 10, cursor175}};
}

// A blue tile with a white camera: the launcher's icon and the logo's mark.
Canvas launcherIcon(int size) {
  Canvas c(size, size);
  const double s = size;
  const double r = s * 0.2;
  Shape tile = roundRect(s * 0.03, s * 0.03, s * 0.97, s * 0.97, r);
  fillVertical(c, tile, mix(palette::accent, palette::white, 0.12), palette::accentDark, s * 0.03,
               s * 0.97);
  // Camera body with the viewfinder hump.
  Shape body = unite(roundRect(s * 0.16, s * 0.33, s * 0.84, s * 0.78, s * 0.09),
                     roundRect(s * 0.34, s * 0.22, s * 0.6, s * 0.4, s * 0.05));
  Shape lens = circle(s * 0.5, s * 0.555, s * 0.165);
  c.fill(subtract(body, lens), palette::white);
  c.fill(circle(s * 0.5, s * 0.555, s * 0.1), palette::white);
  if (size >= 32) c.fill(circle(s * 0.73, s * 0.43, s * 0.035), palette::accentDark);
  return c;
}

}  // namespace resgen
