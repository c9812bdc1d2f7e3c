// Fuzz target: the clipboard picture's sizes and packing. For any width, height and row step a
// size is either exact and within 32 bits (the 32-bit engine's size_t, and the header's fields)
// or refused; an accepted block holds every pixel written, and a refused one is left untouched.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "screenshot/output/clipboard_dib.h"

namespace {

int32_t Int(const uint8_t*& p, const uint8_t* end) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(p < end ? *p++ : 0) << (8 * i);
  return static_cast<int32_t>(v);
}

constexpr uint64_t kMax32 = std::numeric_limits<uint32_t>::max();

uint64_t ExactRowBytes(int width) { return (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4; }

uint32_t Get32(const uint8_t* p) {
  return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Packs a small picture laid out with |step| pixels from one row to the next (negative for
// bottom-up memory) into a block of exactly the reported size, and checks every byte of it.
void PackAndCheck(int width, int height, int step, uint32_t seed) {
  const std::size_t block = DibBlockBytes(width, height);
  const std::size_t span = static_cast<std::size_t>(std::abs(step)) * (height - 1) + width;
  std::vector<uint32_t> pixels(span);
  for (std::size_t i = 0; i < span; ++i) pixels[i] = seed * 2654435761u + static_cast<uint32_t>(i);
  PixelView view;
  view.top_row = step >= 0 ? pixels.data() : pixels.data() + span - width;
  view.row_step_pixels = step;
  view.width = width;
  view.height = height;

  std::vector<uint8_t> out(block, 0xA5);
  if (!PackDib24(view, out.data())) std::abort();
  if (Get32(&out[0]) != kDibHeaderBytes || Get32(&out[4]) != static_cast<uint32_t>(width) ||
      Get32(&out[8]) != static_cast<uint32_t>(height) || out[12] != 1 || out[13] != 0 ||
      out[14] != 24 || out[15] != 0)
    std::abort();
  for (std::size_t i = 16; i < kDibHeaderBytes; ++i)
    if (out[i] != 0) std::abort();
  const std::size_t row_bytes = DibRowBytes(width);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = &out[kDibHeaderBytes + (height - 1 - y) * row_bytes];
    for (int x = 0; x < width; ++x) {
      const uint32_t p = view.At(x, y);
      if (row[3 * x] != (p & 0xFF) || row[3 * x + 1] != (p >> 8 & 0xFF) ||
          row[3 * x + 2] != (p >> 16 & 0xFF))
        std::abort();
    }
    for (std::size_t pad = 3 * static_cast<std::size_t>(width); pad < row_bytes; ++pad)
      if (row[pad] != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* p = data;
  const uint8_t* end = data + size;
  const int width = Int(p, end);
  const int height = Int(p, end);
  const int step = Int(p, end);

  // A row is width * 3 rounded up to 4 bytes, refused (0) when it does not fit 32 bits.
  const std::size_t row = DibRowBytes(width);
  if (width <= 0) {
    if (row != 0) std::abort();
  } else {
    const uint64_t exact = ExactRowBytes(width);
    if (exact <= kMax32 ? row != exact : row != 0) std::abort();
  }

  // The block is the header and the rows, exactly, or 0 when it is empty or too large.
  const std::size_t block = DibBlockBytes(width, height);
  if (width <= 0 || height <= 0) {
    if (block != 0) std::abort();
  } else {
    const unsigned __int128 exact =
        kDibHeaderBytes +
        static_cast<unsigned __int128>(ExactRowBytes(width)) * static_cast<uint64_t>(height);
    if (exact <= kMax32 ? block != exact : block != 0) std::abort();
    if (block && (row < 3 * static_cast<uint64_t>(width) ||
                  block < kDibHeaderBytes + static_cast<uint64_t>(row) * height))
      std::abort();
  }

  if (block == 0) {
    // A refused picture writes nothing, whatever memory the view points at.
    uint32_t pixel = 0x00123456;
    PixelView view;
    view.top_row = &pixel;
    view.row_step_pixels = 0;
    view.width = width;
    view.height = height;
    uint8_t out[kDibHeaderBytes + 8];
    std::memset(out, 0x5A, sizeof out);
    if (PackDib24(view, out)) std::abort();
    for (uint8_t b : out)
      if (b != 0x5A) std::abort();
    return 0;
  }

  // Small pictures are packed for real, with a row step of the width or more, up or down, or 0
  // (every row the same memory).
  const int small_width = 1 + static_cast<int>(static_cast<uint32_t>(width) % 67);
  const int small_height = 1 + static_cast<int>(static_cast<uint32_t>(height) % 33);
  const int extra = static_cast<int>(static_cast<uint32_t>(step) % 9);
  int small_step = small_width + extra;
  if (step < 0) small_step = -small_step;
  if ((static_cast<uint32_t>(step) >> 8 & 7) == 0) small_step = 0;
  PackAndCheck(small_width, small_height, small_step, static_cast<uint32_t>(step));
  if (block <= (1u << 16)) PackAndCheck(width, height, width, static_cast<uint32_t>(step));
  return 0;
}
