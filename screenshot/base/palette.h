// The engine's fixed 16-colour palette and the pen widths: what the colour bar offers, the
// settings file stores as indexes and the annotation board draws with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace palette {

constexpr int kColorCount = 16;
// Returned by ColorOf for an index outside the palette.
constexpr uint32_t kNoColor = 0xFFFFFFFFu;

// The colours as COLORREF values (0x00BBGGRR), in swatch order: the top row of the bar holds
// 0-7, the bottom row 8-15.
extern const std::array<uint32_t, kColorCount> kColors;

// The colour of a palette index; kNoColor for anything but 0..15.
uint32_t ColorOf(int index);
// The first index holding exactly `colorref` (its top byte included); 0 when none does, so a
// colour from outside the palette shows as black.
int IndexOf(uint32_t colorref);
// Black when red, green and blue are all 230 or more, else white: what stays readable over the
// colour (the frame of a white swatch, text over a colour box).
uint32_t ContrastOf(uint32_t colorref);

constexpr int kPenWidthCount = 3;
// The pen width in pixels of a width index (0, 1, 2 -> 2, 5, 8); an index outside 0..2 counts
// as 0.
int PenWidthPixels(int index);
// The nearest width index of a width in pixels: below 3 -> 0, below 6 -> 1, otherwise 2.
int PenWidthIndex(int pixels);

}  // namespace palette
