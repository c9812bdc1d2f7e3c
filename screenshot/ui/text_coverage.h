// Coloured text on layered surfaces from a white-on-black rendering.
//
// GDI text on a 32-bit surface leaves the alpha bytes undefined, so the popups draw their texts
// white on black and read the glyph coverage back from the red byte: that becomes the pixel's
// alpha, and the colour is the text colour scaled by it (premultiplied), ready for AlphaBlend.
#pragma once

#include <cstddef>
#include <cstdint>

struct TextColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Tooltip text, RGB(114, 122, 134).
constexpr TextColour kToolTipTextColour = {0x72, 0x7A, 0x86};
// Context menu texts: enabled RGB(48, 48, 48), disabled RGB(143, 143, 143).
constexpr TextColour kMenuTextColour = {48, 48, 48};
constexpr TextColour kMenuDisabledTextColour = {143, 143, 143};

// Turns |pixel_count| blue-green-red-alpha pixels of white-on-black text into premultiplied
// |colour|: alpha = the red byte, each channel = colour channel * alpha / 256 (rounded down).
void CoverageToPremultiplied(std::uint8_t* bgra, std::size_t pixel_count, TextColour colour);
