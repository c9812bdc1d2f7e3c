// Writers for the picture formats the engine and the launcher embed (BMP, CUR, ICO).
#include "bmpio.h"

#include <fstream>
#include <stdexcept>

namespace resgen {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// BITMAPINFOHEADER for a 32-bit BI_RGB image; heightField is the stored height (doubled for
// icon images, which carry their AND mask below the colour rows).
void putInfoHeader(std::vector<uint8_t>& out, int w, int heightField, uint32_t imageBytes) {
  put32(out, 40);                        // biSize
  put32(out, static_cast<uint32_t>(w));  // biWidth
  put32(out, static_cast<uint32_t>(heightField));
  put16(out, 1);           // biPlanes
  put16(out, 32);          // biBitCount
  put32(out, 0);           // biCompression = BI_RGB
  put32(out, imageBytes);  // biSizeImage
  put32(out, 2835);        // 72 dpi
  put32(out, 2835);
  put32(out, 0);  // biClrUsed
  put32(out, 0);  // biClrImportant
}

// Colour rows bottom-up.
void putPixelsBottomUp(std::vector<uint8_t>& out, const Canvas& c) {
  std::vector<uint8_t> bgra = c.toBGRA();
  size_t row = static_cast<size_t>(c.width()) * 4;
  for (int y = c.height() - 1; y >= 0; --y)
    out.insert(out.end(), bgra.begin() + static_cast<long>(row * y),
               bgra.begin() + static_cast<long>(row * (y + 1)));
}

// Icon/cursor image data: header, colour rows, then the 1-bit AND mask (set = transparent),
// rows padded to 32 bits, bottom-up.
std::vector<uint8_t> iconImage(const Canvas& c) {
  int w = c.width(), h = c.height();
  size_t maskRow = static_cast<size_t>((w + 31) / 32) * 4;
  uint32_t bytes = static_cast<uint32_t>(w * h * 4 + maskRow * h);
  std::vector<uint8_t> out;
  putInfoHeader(out, w, h * 2, bytes);
  putPixelsBottomUp(out, c);
  std::vector<uint8_t> bgra = c.toBGRA();
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskRow, 0);
    for (int x = 0; x < w; ++x)
      if (bgra[(static_cast<size_t>(y) * w + x) * 4 + 3] == 0)
        row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// ICONDIR + entries; for cursors (type 2) the planes and bit-count fields hold the hotspot.
std::vector<uint8_t> iconFile(uint16_t type, const std::vector<Canvas>& images, int hotX,
                              int hotY) {
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, type);
  put16(out, static_cast<uint32_t>(images.size()));
  std::vector<std::vector<uint8_t>> data;
  for (const Canvas& c : images) {
    if (c.width() != c.height() || c.width() > 256)
      throw std::invalid_argument("icon images must be square, at most 256 pixels");
    data.push_back(iconImage(c));
  }
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    int s = images[i].width();
    out.push_back(static_cast<uint8_t>(s == 256 ? 0 : s));  // width
    out.push_back(static_cast<uint8_t>(s == 256 ? 0 : s));  // height
    out.push_back(0);                                       // colour count
    out.push_back(0);                                       // reserved
    put16(out, type == 2 ? static_cast<uint32_t>(hotX) : 1);
    put16(out, type == 2 ? static_cast<uint32_t>(hotY) : 32);
    put32(out, static_cast<uint32_t>(data[i].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(data[i].size());
  }
  for (const auto& d : data) out.insert(out.end(), d.begin(), d.end());
  return out;
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Canvas& c) {
  uint32_t pixelBytes = static_cast<uint32_t>(c.width() * c.height() * 4);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, 14 + 40 + pixelBytes);  // bfSize
  put32(out, 0);                     // reserved
  put32(out, 14 + 40);               // bfOffBits
  putInfoHeader(out, c.width(), c.height(), pixelBytes);
  putPixelsBottomUp(out, c);
  return out;
}

std::vector<uint8_t> encodeIco(const std::vector<Canvas>& images) {
  return iconFile(1, images, 0, 0);
}

std::vector<uint8_t> encodeCur(const Canvas& image, int hotX, int hotY) {
  return iconFile(2, {image}, hotX, hotY);
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot open " + path);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace resgen
