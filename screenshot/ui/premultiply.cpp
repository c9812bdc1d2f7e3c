// Conversion of straight-alpha 32-bit pixels to premultiplied alpha.
#include "screenshot/ui/premultiply.h"

void PremultiplyPixels(std::uint8_t* bgra, std::size_t pixel_count) {
  if (!bgra) return;
  for (std::size_t i = 0; i < pixel_count; ++i, bgra += 4) {
    const unsigned alpha = bgra[3];
    if (alpha == 255) continue;  // opaque pixels are unchanged, the common case
    bgra[0] = static_cast<std::uint8_t>(bgra[0] * alpha / 255);
    bgra[1] = static_cast<std::uint8_t>(bgra[1] * alpha / 255);
    bgra[2] = static_cast<std::uint8_t>(bgra[2] * alpha / 255);
  }
}
