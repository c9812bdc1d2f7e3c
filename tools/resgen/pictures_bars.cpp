// Colour bar, text bar, drop lists and the drop lists' scroll bar.
#include <algorithm>

#include "glyphs.h"
#include "pictures.h"

namespace resgen {

namespace {

// Frame states of the four-frame strips: normal, hot, pressed, disabled.
enum State { Normal, Hot, Pressed, Disabled };

Color stateInk(State s) {
  switch (s) {
    case Hot:
      return palette::inkSoft;
    case Pressed:
      return palette::accentDark;
    case Disabled:
      return rgb(0xD2, 0xD7, 0xDC);
    default:
      return rgb(0x98, 0xA1, 0xAB);
  }
}

// Colour bar background, nine-grid margins 3.
Canvas bmp1030() { return roundPanel(34, 32, 3, 3, 3, 3, 3); }

// Pen width buttons: hover, pressed.
Canvas bmp1031() { return hstack({highlightFrame(22, 22, false), highlightFrame(22, 22, true)}); }

Canvas widthDot(double diameter) {
  Canvas c(21, 22);
  c.fill(circle(10.5, 11, diameter / 2), palette::accentDark);
  return c;
}
Canvas bmp1032() { return widthDot(4); }
Canvas bmp1033() { return widthDot(7); }
Canvas bmp1034() { return widthDot(10); }

// Line styles, one 38 x 18 cell each from the top: solid, dash, dot, dash-dot.
Canvas dashCell(const std::vector<int>& pattern) {
  Canvas c(38, 18);
  double x = 5;
  size_t i = 0;
  while (x < 33) {
    double len = pattern[i % pattern.size()];
    double end = std::min(33.0, x + len);
    if (i % 2 == 0) c.fill(rect(x, 8, end, 10), palette::ink);
    x = end;
    ++i;
  }
  return c;
}
Canvas bmp1035() {
  return vstack({dashCell({28}), dashCell({6, 3}), dashCell({2, 2}), dashCell({6, 2, 2, 2})});
}

// Drop button of the text bar: 35 x 22, the right 22 pixels hold the drop arrow.
Canvas dropButton(State s) {
  const int w = 65;  // drawn wide, collapsed to 35 (nine-grid left 3, right 22)
  Canvas big(w, 22);
  Color fill = s == Normal ? palette::white
               : s == Hot  ? mix(palette::white, palette::accent, 0.10)
                           : mix(palette::white, palette::accent, 0.24);
  Color line = s == Normal ? palette::border : s == Hot ? palette::accent : palette::accentDark;
  big.fill(roundRect(0, 0, w, 22, 2.5), fill);
  big.fill(strokeRoundRect(0.5, 0.5, w - 0.5, 21.5, 2, 1.0), line);
  big.fill(rect(w - 16, 5, w - 15, 17), withAlpha(line, 0.8));
  big.fill(polygon({{w - 11.5, 9.5}, {w - 4.5, 9.5}, {w - 8.0, 13.5}}), stateInk(s));
  return collapseNineGrid(big, 3, 11, 22, 11, 35, 22);
}
Canvas bmp1043() { return hstack({dropButton(Normal), dropButton(Hot), dropButton(Pressed)}); }

// Drop list rows: normal (clear), hot, pressed, disabled.
Canvas listRow(State s) {
  if (s == Hot || s == Pressed) return highlightFrame(21, 20, s == Pressed, 2.5);
  Canvas c(21, 20);
  if (s == Disabled) c.fill(rect(0, 0, 21, 20), withAlpha(palette::shadow, 0.04));
  return c;
}
Canvas bmp1045() {
  return hstack({listRow(Normal), listRow(Hot), listRow(Pressed), listRow(Disabled)});
}

// Drop list background, nine-grid margins 3.
Canvas bmp1046() { return roundPanel(16, 16, 3, 3, 3, 3, 2.5); }

// Scroll bar arrows, 12 x 12 per state.
Canvas scrollArrow(State s, bool up) {
  Canvas c(12, 12);
  if (s == Hot || s == Pressed)
    c.fill(roundRect(0.5, 0.5, 11.5, 11.5, 2.5),
           withAlpha(palette::accent, s == Hot ? 0.12 : 0.25));
  double tip = up ? 3.5 : 8.5, base = up ? 8 : 4;
  c.fill(polygon({{6, tip}, {9.5, base}, {2.5, base}}), stateInk(s));
  return c;
}
Canvas arrowStrip(bool up) {
  return hstack({scrollArrow(Normal, up), scrollArrow(Hot, up), scrollArrow(Pressed, up),
                 scrollArrow(Disabled, up)});
}
Canvas bmp1039() { return arrowStrip(true); }
Canvas bmp1041() { return arrowStrip(false); }

// Thumb, 12 x 9 per state, stretched lengthwise (nine-grid margins 3).
Canvas scrollThumb(State s) {
  const Color fill[] = {rgb(0xC3, 0xC9, 0xD0), rgb(0xA3, 0xAB, 0xB4), palette::accent,
                        rgb(0xE3, 0xE6, 0xE9)};
  Canvas big(12, 46);
  big.fill(roundRect(2.5, 0, 9.5, 46, 3), fill[s]);
  return collapseNineGrid(big, 6, 3, 6, 3, 12, 9);
}
Canvas bmp1040() {
  return hstack(
      {scrollThumb(Normal), scrollThumb(Hot), scrollThumb(Pressed), scrollThumb(Disabled)});
}

// Track, 12 x 5 per state; every row is the same so it stretches cleanly.
Canvas scrollTrack(State s) {
  const Color fill[] = {rgb(0xE4, 0xE7, 0xEA), rgb(0xD5, 0xDA, 0xDF), rgb(0xC8, 0xD0, 0xD8),
                        rgb(0xF1, 0xF3, 0xF5)};
  Canvas c(12, 5);
  c.fill(rect(4.5, 0, 7.5, 5), fill[s]);
  return c;
}
Canvas bmp1042() {
  return hstack(
      {scrollTrack(Normal), scrollTrack(Hot), scrollTrack(Pressed), scrollTrack(Disabled)});
}

// Text bar: background (nine-grid margins 3), toggle frames (hot, pressed or on), glyphs.
Canvas bmp1048() { return roundPanel(34, 32, 3, 3, 3, 3, 3); }
Canvas bmp1049() { return hstack({highlightFrame(22, 22, false), highlightFrame(22, 22, true)}); }

Canvas fontGlyph() {
  Canvas c(24, 16);
  c.fill(latinWord("A", 1.5, 2, 11.5, 1.6), palette::ink);
  c.fill(latinWord("a", 11.5, 2, 11.5, 1.5), palette::ink);
  c.fill(rect(1, 14, 22, 15), palette::accent);
  return c;
}
Canvas boldGlyph() {
  Canvas c(16, 16);
  c.fill(latinWord("B", 4.5, 2.25, 11.5, 2.6), palette::ink);
  return c;
}
Canvas italicGlyph() {
  Canvas c(16, 16);
  c.fill(segment({9.6, 2.5}, {6.4, 13.5}, 1.5), palette::ink);
  c.fill(segment({7.4, 2.5}, {12, 2.5}, 1.3), palette::ink);
  c.fill(segment({4, 13.5}, {8.6, 13.5}, 1.3), palette::ink);
  return c;
}
Canvas bmp1050() { return fontGlyph(); }
Canvas bmp1051() { return boldGlyph(); }
Canvas bmp1052() { return italicGlyph(); }

}  // namespace

std::vector<Picture> barPictures() {
  return {
      {1030, bmp1030}, {1031, bmp1031}, {1032, bmp1032}, {1033, bmp1033}, {1034, bmp1034},
      {1035, bmp1035}, {1039, bmp1039}, {1040, bmp1040}, {1041, bmp1041}, {1042, bmp1042},
      {1043, bmp1043}, {1045, bmp1045}, {1046, bmp1046}, {1048, bmp1048}, {1049, bmp1049},
      {1050, bmp1050}, {1051, bmp1051}, {1052, bmp1052},
  };
}

}  // namespace resgen
