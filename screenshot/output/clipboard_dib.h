// The clipboard's picture format: a packed 24-bit device-independent bitmap (CF_DIB), that is a
// 40-byte BITMAPINFOHEADER followed at once by the rows, bottom row first, each row's blue,
// green and red bytes padded to a multiple of 4 bytes. No colour table; the alpha is dropped.
#pragma once

#include <cstddef>
#include <cstdint>

#include "screenshot/base/geometry.h"

constexpr size_t kDibHeaderBytes = 40;

// Bytes of one row of |width| pixels: width * 3 rounded up to a multiple of 4; 0 when the width
// is not positive or the row would not fit 32 bits (the same answer on 32- and 64-bit builds).
size_t DibRowBytes(int width);
// Header plus rows; 0 when either side is not positive or the size would not fit 32 bits.
size_t DibBlockBytes(int width, int height);

// Writes the header and the rows of |source| (32-bit pixels, any row order the view describes)
// into |out|, which holds DibBlockBytes(source.width, source.height) bytes. Padding bytes are 0.
// False (nothing written) when the picture is empty or too large.
bool PackDib24(const PixelView& source, uint8_t* out);
