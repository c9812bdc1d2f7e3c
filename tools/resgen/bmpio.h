// Writers for the Windows picture formats the engine and the launcher embed: 32-bit BMP with
// straight alpha, and 32-bit icon and cursor files (an XOR image with alpha plus an AND mask).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace resgen {

// A .bmp file: BITMAPFILEHEADER + BITMAPINFOHEADER (BI_RGB, 32 bpp, positive height, so rows
// are stored bottom-up), pixels B G R A with straight alpha.
std::vector<uint8_t> encodeBmp(const Canvas& c);

// An .ico file holding the given images (each square, at most 256 pixels), 32 bpp.
std::vector<uint8_t> encodeIco(const std::vector<Canvas>& images);

// A .cur file with one image and its hotspot.
std::vector<uint8_t> encodeCur(const Canvas& image, int hotX, int hotY);

// Writes bytes to path; throws std::runtime_error on failure.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace resgen
