// The engine's fixed 16-colour palette and the pen widths.
#include "screenshot/base/palette.h"

namespace palette {

const std::array<uint32_t, kColorCount> kColors = {{
    0x000000,  // black
    0x808080,  // grey
    0x000080,  // maroon
    0x008080,  // olive
    0x008000,  // green
    0x800000,  // navy
    0x800080,  // purple
    0x808000,  // teal
    0xFFFFFF,  // white
    0xC0C0C0,  // silver
    0x0000FF,  // red
    0x00FFFF,  // yellow
    0x00FF00,  // lime
    0xFF0000,  // blue
    0xFF00FF,  // magenta
    0xFFFF00,  // cyan
}};

uint32_t ColorOf(int index) {
  return index >= 0 && index < kColorCount ? kColors[static_cast<size_t>(index)] : kNoColor;
}

int IndexOf(uint32_t colorref) {
  for (int i = 0; i < kColorCount; ++i)
    if (kColors[static_cast<size_t>(i)] == colorref) return i;
  return 0;
}

uint32_t ContrastOf(uint32_t colorref) {
  const uint32_t r = colorref & 0xFF, g = (colorref >> 8) & 0xFF, b = (colorref >> 16) & 0xFF;
  return r >= 230 && g >= 230 && b >= 230 ? 0x000000u : 0xFFFFFFu;
}

int PenWidthPixels(int index) { return (index >= 0 && index < kPenWidthCount ? index : 0) * 3 + 2; }

int PenWidthIndex(int pixels) {
  if (pixels < 3) return 0;
  if (pixels < 6) return 1;
  return 2;
}

}  // namespace palette
