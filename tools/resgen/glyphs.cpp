// Hand-drawn stroke glyphs for the few words the pictures carry.
#include "glyphs.h"

#include <stdexcept>
#include <vector>

namespace resgen {

namespace {

using Strokes = std::vector<std::vector<Pt>>;

Shape strokeInto(const Strokes& strokes, GlyphBox b, double stroke) {
  Shape all{{0, 0, 0, 0}, [](double, double) { return false; }};
  bool first = true;
  for (const auto& s : strokes) {
    std::vector<Pt> pts;
    for (const Pt& p : s) pts.push_back({b.x + p.x * b.w, b.y + p.y * b.h});
    Shape piece = polyline(pts, stroke);
    all = first ? piece : unite(all, piece);
    first = false;
  }
  return all;
}

struct Letter {
  Strokes strokes;
  double width;  // in units of the cap height
};

// Letters in a unit em: x from 0 to width, cap line 0, x-height 0.4, baseline 1.
Letter letter(char c) {
  switch (c) {
    case 'L':
      return {{{{0, 0}, {0, 1}, {0.52, 1}}}, 0.52};
    case 'T':
      return {{{{0, 0}, {0.64, 0}}, {{0.32, 0}, {0.32, 1}}}, 0.64};
    case 'I':
      return {{{{0, 0}, {0, 1}}}, 0.0};
    case 'A':
      return {{{{0, 1}, {0.33, 0}, {0.66, 1}}, {{0.12, 0.66}, {0.54, 0.66}}}, 0.66};
    case 'B':
      return {{join(join({{0, 0.5}, {0, 0}, {0.3, 0}}, arc(0.3, 0.25, 0.24, 0.25, -90, 90, 12)),
                    join(arc(0.32, 0.75, 0.27, 0.25, -90, 90, 12), {{0, 1}, {0, 0.5}}))},
              0.59};
    case 'u':
      return {{join({{0, 0.4}, {0, 0.76}}, arc(0.24, 0.76, 0.24, 0.24, 180, 0, 12)),
               {{0.48, 0.4}, {0.48, 1}}},
              0.48};
    case 'm':
      return {{{{0, 0.4}, {0, 1}},
               join(arc(0.2, 0.6, 0.2, 0.2, 180, 360, 10), {{0.4, 1}}),
               join(arc(0.6, 0.6, 0.2, 0.2, 180, 360, 10), {{0.8, 1}})},
              0.8};
    case 'e':
      return {{join({{0.02, 0.7}, {0.5, 0.7}}, arc(0.26, 0.7, 0.25, 0.3, 0, -315, 28))}, 0.52};
    case 't':
      return {{join({{0.14, 0.1}, {0.14, 0.84}}, arc(0.3, 0.84, 0.16, 0.16, 180, 90, 6)),
               {{0, 0.4}, {0.36, 0.4}}},
              0.36};
    case 'a':
      return {{arc(0.24, 0.7, 0.24, 0.3, 0, 360, 28), {{0.48, 0.4}, {0.48, 1}}}, 0.48};
    default:
      throw std::invalid_argument(std::string("no glyph for ") + c);
  }
}

}  // namespace

// 完: the roof (dot, hood), then 元 (two bars over two legs; the right leg hooks up).
Shape glyphWan(GlyphBox box, double stroke) {
  Strokes s = {
      {{0.50, 0.03}, {0.53, 0.13}},
      {{0.10, 0.32}, {0.10, 0.20}, {0.90, 0.20}, {0.86, 0.32}},
      {{0.28, 0.42}, {0.72, 0.42}},
      {{0.06, 0.60}, {0.94, 0.60}},
      {{0.40, 0.60}, {0.38, 0.78}, {0.28, 0.90}, {0.10, 0.98}},
      {{0.60, 0.60}, {0.60, 0.92}, {0.64, 0.96}, {0.92, 0.96}, {0.94, 0.84}},
  };
  return strokeInto(s, box, stroke);
}

// 成: the bar and falling left stroke, the inner hooked turn, the long hook, its slash and dot.
Shape glyphCheng(GlyphBox box, double stroke) {
  Strokes s = {
      {{0.10, 0.28}, {0.94, 0.28}},
      {{0.18, 0.28}, {0.18, 0.66}, {0.14, 0.82}, {0.04, 0.96}},
      {{0.18, 0.52}, {0.42, 0.52}, {0.40, 0.80}, {0.32, 0.76}},
      {{0.52, 0.04}, {0.56, 0.42}, {0.66, 0.70}, {0.80, 0.88}, {0.94, 0.96}, {0.95, 0.78}},
      {{0.88, 0.46}, {0.70, 0.70}, {0.46, 0.94}},
      {{0.70, 0.06}, {0.80, 0.14}},
  };
  return strokeInto(s, box, stroke);
}

Shape latinWord(const std::string& word, double x, double y, double height, double stroke,
                double* advance) {
  Shape all{{0, 0, 0, 0}, [](double, double) { return false; }};
  double pen = x;
  const double gap = 0.2;  // space between letters, in cap heights
  for (size_t i = 0; i < word.size(); ++i) {
    Letter l = letter(word[i]);
    Shape g = strokeInto(l.strokes, {pen, y, height, height}, stroke);
    all = i == 0 ? g : unite(all, g);
    pen += (l.width + gap) * height;
  }
  if (advance) *advance = pen - x - gap * height;
  return all;
}

}  // namespace resgen
