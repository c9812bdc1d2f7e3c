// The mosaic's pixel arithmetic: the area a mosaic drag covers and the square blocks of averaged
// colour it is blurred into, over plain 32-bit pixel stores.
#pragma once

#include "screenshot/base/geometry.h"

// The side of a mosaic block in pixels; the blocks at the area's right and bottom edges are
// narrower or lower where the area ends inside them.
constexpr int kMosaicBlock = 10;

// The area a mosaic drag from `press` to `p` covers on a board of width x height: `p` clamped
// into [0, width] x [0, height] and the rectangle between the two normalised. Empty (nothing is
// made or previewed) when the clamped point shares a row or a column with the press point.
Rect MosaicArea(Point press, Point p, int width, int height);

// Blurs `area` of `source` into the same place of `target`: the area is cut into blocks of
// kMosaicBlock x kMosaicBlock from its top-left corner, and every target pixel of a block gets
// that block's colour: the integer average of the blue, green and red bytes of the block's own
// source pixels, each channel apart, opaque. The area is clipped to both stores (they share
// their coordinates); `source` and `target` may be the same store, as blocks never overlap.
// False when nothing is left of the area to draw.
bool PixelateBlocks(const PixelView& source, const PixelView& target, const Rect& area);
