// The text caret's contrast pixels: what an overlay pixel under the caret turns into.
#pragma once

#include <cstdint>
#include <vector>

#include "screenshot/base/geometry.h"

// The contrast pixel of a premultiplied 0xAARRGGBB pixel. Alpha at most 0x80: opaque black, or
// opaque white in the light phase. Otherwise, in the light phase: each colour channel is
// un-premultiplied (v * 255 / alpha, at most 255) and inverted; when every inverted channel is
// within 32 of the stored channel (too close to be seen) black is used instead; the result is
// premultiplied by the pixel's alpha again. Outside the light phase such a pixel is unchanged.
uint32_t ContrastPixel(uint32_t pixel, bool light);

// Replaces the pixels of `r` (clipped to the view) by their contrast pixels, saving the
// originals row by row into `saved`; returns the clipped rectangle.
Rect ApplyContrast(const PixelView& view, const Rect& r, bool light, std::vector<uint32_t>* saved);

// Puts back the pixels saved by ApplyContrast for the clipped rectangle it returned.
void RestorePixels(const PixelView& view, const Rect& clipped, const std::vector<uint32_t>& saved);
