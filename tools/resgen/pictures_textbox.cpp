// Pieces of the in-place text box frame and the arrow end knob.
#include "pictures.h"

namespace resgen {

namespace {

// A round white knob with an accent ring, centred in a size x size square.
Canvas knob(int size, double radius) {
  Canvas c(size, size);
  double m = size / 2.0;
  c.shadow(circle(m, m, radius), 0, 0.6, 0.7, withAlpha(palette::shadow, 0.25));
  c.fill(circle(m, m, radius), palette::white);
  c.fill(strokeEllipse(m, m, radius - 0.6, radius - 0.6, 1.2), palette::accent);
  return c;
}

Canvas bmp1061() { return knob(11, 4.6); }  // corner knob
Canvas bmp1062() { return knob(9, 3.6); }   // edge-middle knob

// Move grip: a round handle with a four-way mark on a stalk that stands on the frame's top edge.
Canvas bmp1063() {
  Canvas c(11, 28);
  c.fill(rect(5, 10, 6, 28), palette::accent);
  c.shadow(circle(5.5, 5.5, 5), 0, 0.5, 0.6, withAlpha(palette::shadow, 0.25));
  c.fill(circle(5.5, 5.5, 5), palette::accent);
  c.fill(segment({2.8, 5.5}, {8.2, 5.5}, 1.1), palette::white);
  c.fill(segment({5.5, 2.8}, {5.5, 8.2}, 1.1), palette::white);
  return c;
}

// Frame tiles, repeated along the edges: an accent dash and a white gap on the centre line,
// with a faint accent glow either side.
Canvas frameTile(bool vertical) {
  Canvas c(vertical ? 3 : 13, vertical ? 13 : 3);
  for (int i = 0; i < 13; ++i) {
    Color centre = i < 8 ? palette::accent : palette::white;
    Color glow = withAlpha(palette::accent, 0.18);
    for (int k = 0; k < 3; ++k) {
      Color p = k == 1 ? centre : glow;
      if (vertical)
        c.set(k, i, p);
      else
        c.set(i, k, p);
    }
  }
  return c;
}
Canvas bmp1064() { return frameTile(false); }
Canvas bmp1065() { return frameTile(true); }

// Arrow end knob (left half), and its active look (right half).
Canvas endKnob(bool active) {
  Canvas c(13, 13);
  c.shadow(circle(6.5, 6.5, 5.2), 0, 0.6, 0.7, withAlpha(palette::shadow, 0.25));
  c.fill(circle(6.5, 6.5, 5.2), active ? palette::accent : palette::white);
  c.fill(strokeEllipse(6.5, 6.5, 4.5, 4.5, 1.4), active ? palette::accentDark : palette::accent);
  c.fill(circle(6.5, 6.5, 1.7), active ? palette::white : palette::accent);
  return c;
}
Canvas bmp1066() { return hstack({endKnob(false), endKnob(true)}); }

}  // namespace

std::vector<Picture> textBoxPictures() {
  return {
      {1061, bmp1061}, {1062, bmp1062}, {1063, bmp1063},
      {1064, bmp1064}, {1065, bmp1065}, {1066, bmp1066},
  };
}

}  // namespace resgen
