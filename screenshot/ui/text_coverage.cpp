// Coloured text on layered surfaces from a white-on-black rendering.
#include "screenshot/ui/text_coverage.h"

void CoverageToPremultiplied(std::uint8_t* bgra, std::size_t pixel_count, TextColour colour) {
  if (!bgra) return;
  for (std::size_t i = 0; i < pixel_count; ++i, bgra += 4) {
    const unsigned alpha = bgra[2];
    bgra[0] = static_cast<std::uint8_t>((alpha * colour.blue) >> 8);
    bgra[1] = static_cast<std::uint8_t>((alpha * colour.green) >> 8);
    bgra[2] = static_cast<std::uint8_t>((alpha * colour.red) >> 8);
    bgra[3] = static_cast<std::uint8_t>(alpha);
  }
}
