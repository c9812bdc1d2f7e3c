// Conversion of straight-alpha 32-bit pixels to the premultiplied form that AlphaBlend expects.
//
// The engine's bitmaps are stored with straight alpha (colour independent of coverage). Every
// blend the bars do uses AC_SRC_ALPHA, which takes the source colour as already multiplied by its
// alpha, so each bitmap is converted once when it is loaded instead of on every paint.
#pragma once

#include <cstddef>
#include <cstdint>

// Pixels are 4 bytes each, blue-green-red-alpha. Blue, green and red become byte * alpha / 255
// (integer division, so the result never exceeds alpha); alpha is kept.
void PremultiplyPixels(std::uint8_t* bgra, std::size_t pixel_count);
