// Hand-drawn stroke glyphs for the few words the pictures carry. Each glyph is a set of
// polylines in a unit square (y downwards; for Latin letters 0 is the cap line and 1 the
// baseline), scaled into a box and stroked with round ends.
#pragma once

#include <string>

#include "raster.h"

namespace resgen {

struct GlyphBox {
  double x, y, w, h;
};

// The two characters of the finish button's word.
Shape glyphWan(GlyphBox box, double stroke);    // 完
Shape glyphCheng(GlyphBox box, double stroke);  // 成

// A word of lower-case letters (and capital L, B, I, T, A) set at cap height `height` with its
// cap line at (x, y); returns the stroked shape and stores the advance width in *advance.
Shape latinWord(const std::string& word, double x, double y, double height, double stroke,
                double* advance = nullptr);

}  // namespace resgen
