// Presenting the annotation board: its layers composed into the overlay store over the
// selection. The base layer is copied as it is; each upper layer is blended source-over with its
// per-pixel (premultiplied) alpha.
#pragma once

#include "screenshot/base/geometry.h"

// Composes into `store` at `at` (capture coordinates): `base` copied, then `upper1` and `upper2`
// blended, each optional (null) and clipped to the store. Returns the rectangle written.
Rect ComposeBoardLayers(const PixelView& store, Point at, const PixelView* base,
                        const PixelView* upper1, const PixelView* upper2);

// Source-over of one premultiplied pixel onto another: d = s + d * (255 - sa) / 255 per byte.
uint32_t BlendPremultiplied(uint32_t dst, uint32_t src);
