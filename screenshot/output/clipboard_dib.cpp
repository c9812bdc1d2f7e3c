// The clipboard's packed 24-bit picture: header and rows.
#include "screenshot/output/clipboard_dib.h"

#include <cstring>
#include <limits>

namespace {

void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

size_t DibRowBytes(int width) {
  if (width <= 0) return 0;
  // In 64 bits: the 32-bit engine's size_t would wrap width * 3 for the widest rows, and a
  // wrapped row would make a block far too small for the pixels written into it.
  const uint64_t bytes = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
  return bytes > std::numeric_limits<uint32_t>::max() ? 0 : static_cast<size_t>(bytes);
}

size_t DibBlockBytes(int width, int height) {
  const size_t row_bytes = DibRowBytes(width);
  if (row_bytes == 0 || height <= 0) return 0;
  const uint64_t bytes =
      kDibHeaderBytes + static_cast<uint64_t>(row_bytes) * static_cast<uint64_t>(height);
  // The clipboard block and the header's fields are 32-bit.
  if (bytes > std::numeric_limits<uint32_t>::max() || bytes > std::numeric_limits<size_t>::max())
    return 0;
  return static_cast<size_t>(bytes);
}

bool PackDib24(const PixelView& source, uint8_t* out) {
  const size_t block = DibBlockBytes(source.width, source.height);
  if (!block || !source.top_row || !out) return false;
  std::memset(out, 0, kDibHeaderBytes);
  Put32(out + 0, static_cast<uint32_t>(kDibHeaderBytes));  // biSize
  Put32(out + 4, static_cast<uint32_t>(source.width));     // biWidth
  Put32(out + 8, static_cast<uint32_t>(source.height));    // biHeight > 0: bottom-up rows
  Put16(out + 12, 1);                                      // biPlanes
  Put16(out + 14, 24);                                     // biBitCount
  // biCompression (BI_RGB), biSizeImage, resolutions and colour counts stay 0.

  const size_t row_bytes = DibRowBytes(source.width);
  for (int y = 0; y < source.height; ++y) {
    // The block's first row is the picture's bottom row.
    uint8_t* dst = out + kDibHeaderBytes + static_cast<size_t>(source.height - 1 - y) * row_bytes;
    const uint32_t* src = source.Row(y);
    for (int x = 0; x < source.width; ++x) {
      const uint32_t p = src[x];
      *dst++ = static_cast<uint8_t>(p);        // blue
      *dst++ = static_cast<uint8_t>(p >> 8);   // green
      *dst++ = static_cast<uint8_t>(p >> 16);  // red
    }
    for (size_t pad = static_cast<size_t>(source.width) * 3; pad < row_bytes; ++pad) *dst++ = 0;
  }
  return true;
}
