// Choosing one image from the bytes of a Windows icon file (.ico).
#include "launcher/icon_file.h"

#include <cstdint>

namespace launcher {
namespace {

std::uint32_t Read(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

// Is a better than b for a wanted size: exact first, then the smallest that is larger, then
// the largest of those that are smaller.
bool Better(int a, int b, int want) {
  if ((a >= want) != (b >= want)) return a >= want;
  return a >= want ? a < b : a > b;
}

}  // namespace

std::optional<IconImage> PickIconImage(const unsigned char* file, std::size_t size, int pixels) {
  // ICONDIR: reserved 0, type 1, count; then 16-byte entries: width, height (0 meaning 256),
  // colours, reserved, planes, bit count, byte size, offset.
  if (!file || size < 6 || Read(file, 2) != 0 || Read(file + 2, 2) != 1) return std::nullopt;
  const std::size_t count = Read(file + 4, 2);
  if (count == 0 || size < 6 + 16 * count) return std::nullopt;
  std::optional<IconImage> best;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* e = file + 6 + 16 * i;
    IconImage image;
    image.width = e[0] ? e[0] : 256;
    image.height = e[1] ? e[1] : 256;
    image.size = Read(e + 8, 4);
    image.offset = Read(e + 12, 4);
    if (image.size == 0 || image.offset > size || image.size > size - image.offset)
      return std::nullopt;
    if (!best || Better(image.width, best->width, pixels)) best = image;
  }
  return best;
}

}  // namespace launcher
