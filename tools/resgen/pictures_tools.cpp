// Main tool bar and context menu icons: 24 x 26 frames (enabled, greyed) unless noted.
#include <cmath>

#include "glyphs.h"
#include "pictures.h"

namespace resgen {

namespace {

const double kStroke = 1.5;

// A stroke of half-width hw along p -> q as a polygon (for filled tool bodies).
std::vector<Pt> quad(Pt p, Pt q, double hw) {
  double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
  double nx = -dy / len * hw, ny = dx / len * hw;
  return {{p.x + nx, p.y + ny}, {q.x + nx, q.y + ny}, {q.x - nx, q.y - ny}, {p.x - nx, p.y - ny}};
}

// Triangular arrow head with its tip at `tip`, pointing away from `from`.
Shape arrowHead(Pt from, Pt tip, double length, double halfWidth) {
  double dx = tip.x - from.x, dy = tip.y - from.y, len = std::hypot(dx, dy);
  double ux = dx / len, uy = dy / len;
  Pt base{tip.x - ux * length, tip.y - uy * length};
  return polygon({tip,
                  {base.x - uy * halfWidth, base.y + ux * halfWidth},
                  {base.x + uy * halfWidth, base.y - ux * halfWidth}});
}

Canvas rectangleIcon() {
  Canvas c(24, 26);
  c.fill(roundRect(6, 8, 18, 18, 1.5), withAlpha(palette::accent, 0.18));
  c.fill(strokeRoundRect(5.75, 7.75, 18.25, 18.25, 1.5, kStroke), palette::ink);
  return c;
}

Canvas ellipseIcon() {
  Canvas c(24, 26);
  c.fill(ellipse(12, 13, 6.5, 5.25), withAlpha(palette::accent, 0.18));
  c.fill(strokeEllipse(12, 13, 6.75, 5.5, kStroke), palette::ink);
  return c;
}

Canvas arrowIcon() {
  Canvas c(24, 26);
  Pt tail{6.5, 19.5}, tip{18.5, 7.5};
  c.fill(segment(tail, {15.5, 10.5}, kStroke + 0.25), palette::ink);
  c.fill(arrowHead(tail, tip, 6.5, 3.6), palette::ink);
  return c;
}

// A pencil lying from the lower left (point) to the upper right (cap).
Canvas brushIcon() {
  Canvas c(24, 26);
  Pt tip{5.5, 20.5}, woodEnd{9.0, 17.0}, capStart{15.5, 10.5}, end{18.5, 7.5};
  std::vector<Pt> body = quad(woodEnd, end, 2.6);
  c.fill(polygon(body), palette::accent);
  c.fill(polygon(quad(capStart, end, 2.6)), palette::accentDark);
  c.fill(polygon({tip, body[0], body[3]}), rgb(0xF4, 0xDD, 0xB0));
  c.fill(polygon({tip, {tip.x + 2.2, tip.y - 0.6}, {tip.x + 0.6, tip.y - 2.2}}), palette::ink);
  body.push_back(body[0]);
  c.fill(polyline(body, 1.1), palette::ink);
  c.fill(polyline({body[0], tip, body[3]}, 1.1), palette::ink);
  return c;
}

Canvas mosaicIcon() {
  Canvas c(24, 26);
  // 4 x 4 tiles of 3 pixels in three tones, like a pixelated patch.
  const int tones[4][4] = {{0, 1, 2, 1}, {1, 3, 1, 2}, {2, 1, 0, 1}, {1, 2, 1, 3}};
  const Color tone[4] = {palette::ink, rgb(0x8C, 0x93, 0x9B), rgb(0xCF, 0xD4, 0xDA),
                         palette::accent};
  Shape clip = roundRect(6, 7, 18, 19, 2);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i)
      c.fill(intersect(clip, rect(6 + 3 * i, 7 + 3 * j, 9 + 3 * i, 10 + 3 * j)), tone[tones[j][i]]);
  c.fill(strokeRoundRect(5.5, 6.5, 18.5, 19.5, 2.5, 1.0), withAlpha(palette::ink, 0.55));
  return c;
}

Canvas textIcon() {
  Canvas c(24, 26);
  c.fill(rect(6, 6, 18, 8), palette::ink);
  c.fill(rect(11, 6, 13, 19), palette::ink);
  c.fill(rect(9, 18, 15, 19.5), palette::ink);
  c.fill(rect(6, 6, 7.5, 10), palette::ink);
  c.fill(rect(16.5, 6, 18, 10), palette::ink);
  return c;
}

// Curved arrow bending back to the left; `mirror` turns it into redo.
Canvas turnArrow(int w, int h, bool mirror, double scale) {
  Canvas c(w, h);
  double cx = w / 2.0, cy = h / 2.0;
  auto P = [&](double x, double y) {  // design space is centred on (12, 13)
    double px = (x - 12) * scale, py = (y - 13) * scale;
    return Pt{cx + (mirror ? -px : px), cy + py};
  };
  std::vector<Pt> path = {P(9, 10), P(14, 10)};
  for (const Pt& p : arc(14, 14.5, 4.5, 4.5, -90, 90, 16)) path.push_back(P(p.x, p.y));
  path.push_back(P(8, 19));
  c.fill(polyline(path, kStroke * scale), palette::ink);
  c.fill(arrowHead(P(10, 10), P(4.5, 10), 5 * scale, 4 * scale), palette::ink);
  return c;
}

Canvas undoIcon() { return turnArrow(24, 26, false, 1.0); }
Canvas redoIcon() { return turnArrow(25, 20, true, 0.85); }

Canvas saveIcon() {
  Canvas c(24, 26);
  std::vector<Pt> outline = {{6, 6.75},   {15.5, 6.75}, {18, 9.25},
                             {18, 19.25}, {6, 19.25},   {6, 6.75}};
  c.fill(polygon(outline), palette::white);
  c.fill(rect(8.5, 13, 15.5, 19.25), withAlpha(palette::accent, 0.85));
  c.fill(rect(9, 6.75, 14.5, 10.25), palette::inkSoft);
  c.fill(rect(12.5, 7.5, 13.75, 9.5), palette::white);
  c.fill(polyline(outline, kStroke), palette::ink);
  return c;
}

Canvas exitIcon() {
  Canvas c(24, 26);
  c.fill(segment({7.5, 8.5}, {16.5, 17.5}, 2.0), palette::danger);
  c.fill(segment({16.5, 8.5}, {7.5, 17.5}, 2.0), palette::danger);
  return c;
}

Canvas deleteIcon() {
  Canvas c(24, 26);
  c.fill(polygon({{7.5, 9.5}, {16.5, 9.5}, {15.6, 20}, {8.4, 20}}), palette::white);
  c.fill(polyline({{7.5, 9.5}, {8.4, 20}, {15.6, 20}, {16.5, 9.5}}, 1.3), palette::ink);
  c.fill(segment({5.75, 8.5}, {18.25, 8.5}, 1.5), palette::ink);
  c.fill(polyline({{10, 8}, {10, 6.25}, {14, 6.25}, {14, 8}}, 1.3), palette::ink);
  c.fill(segment({10.5, 12}, {10.7, 17.5}, 1.1), palette::inkSoft);
  c.fill(segment({13.5, 12}, {13.3, 17.5}, 1.1), palette::inkSoft);
  return c;
}

Shape checkMark(double x, double y, double size, double stroke) {
  return polyline({{x, y + size * 0.5}, {x + size * 0.36, y + size * 0.86}, {x + size, y}}, stroke);
}

Canvas checkIcon() {
  Canvas c(24, 26);
  c.fill(checkMark(6, 8, 12, 2.0), palette::accentDark);
  return c;
}

Canvas finishIcon() {
  Canvas c(52, 26);
  c.fill(checkMark(6, 8.5, 10.5, 2.0), palette::accentDark);
  c.fill(glyphWan({20.5, 7, 12, 12}, 1.25), palette::ink);
  c.fill(glyphCheng({34, 7, 12, 12}, 1.25), palette::ink);
  return c;
}

// Mouse pointer: the select-object tool.
Canvas selectIcon() {
  Canvas c(25, 20);
  std::vector<Pt> arrow = {{8.5, 3},     {8.5, 16},    {11.5, 13.2}, {13.6, 17.6},
                           {15.5, 16.7}, {13.4, 12.4}, {17.3, 12.2}, {8.5, 3}};
  c.fill(polygon(arrow), palette::white);
  c.fill(polyline(arrow, 1.2), palette::ink);
  return c;
}

Canvas bmp124() { return enabledAndGreyed(rectangleIcon()); }
Canvas bmp125() { return enabledAndGreyed(ellipseIcon()); }
Canvas bmp126() { return enabledAndGreyed(arrowIcon()); }
Canvas bmp105() { return enabledAndGreyed(brushIcon()); }
Canvas bmp127() { return enabledAndGreyed(textIcon()); }
Canvas bmp128() { return enabledAndGreyed(selectIcon()); }
Canvas bmp129() { return enabledAndGreyed(undoIcon()); }
Canvas bmp130() { return enabledAndGreyed(redoIcon()); }
Canvas bmp131() { return enabledAndGreyed(deleteIcon()); }
Canvas bmp132() { return enabledAndGreyed(finishIcon()); }
Canvas bmp133() { return enabledAndGreyed(saveIcon()); }
Canvas bmp134() { return enabledAndGreyed(exitIcon()); }
Canvas bmp135() { return enabledAndGreyed(checkIcon()); }
Canvas bmp174() { return enabledAndGreyed(mosaicIcon()); }
// Button highlights: hover, pressed.
Canvas bmp123() { return hstack({highlightFrame(24, 26, false), highlightFrame(24, 26, true)}); }
Canvas bmp1068() { return hstack({highlightFrame(52, 26, false), highlightFrame(52, 26, true)}); }

}  // namespace

std::vector<Picture> toolPictures() {
  return {
      {105, bmp105}, {123, bmp123}, {124, bmp124}, {125, bmp125},   {126, bmp126}, {127, bmp127},
      {128, bmp128}, {129, bmp129}, {130, bmp130}, {131, bmp131},   {132, bmp132}, {133, bmp133},
      {134, bmp134}, {135, bmp135}, {174, bmp174}, {1068, bmp1068},
  };
}

}  // namespace resgen
