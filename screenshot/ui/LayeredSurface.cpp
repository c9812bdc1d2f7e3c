// LayeredSurface: an off-screen DIB section with a shared memory device context.
#include "screenshot/ui/LayeredSurface.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// BITMAPINFO with room for the largest colour table (256 entries, or three masks).
struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

LayeredSurface::~LayeredSurface() { Destroy(); }

bool LayeredSurface::Create(int width, int height, int bits_per_pixel, const DWORD* colors,
                            int color_count) {
  Destroy();
  if (width <= 0 || height == 0 || height == INT_MIN) return false;
  switch (bits_per_pixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 32:
      break;
    case 24:
      if (colors) return false;  // 24-bit sections have no masks
      break;
    default:
      return false;
  }
  const long long rows = std::llabs(static_cast<long long>(height));
  const long long row_bytes = (static_cast<long long>(width) * bits_per_pixel + 31) / 32 * 4;
  if (row_bytes * rows > INT_MAX) return false;

  BitmapInfo256 info;
  std::memset(&info, 0, sizeof(info));
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits_per_pixel);
  info.header.biCompression = BI_RGB;
  if (colors && (bits_per_pixel == 16 || bits_per_pixel == 32)) {
    info.header.biCompression = BI_BITFIELDS;
    std::memcpy(info.colors, colors, 3 * sizeof(DWORD));
  } else if (colors && bits_per_pixel <= 8 && color_count > 0) {
    const int max_colors = 1 << bits_per_pixel;
    const int count = color_count < max_colors ? color_count : max_colors;
    std::memcpy(info.colors, colors, count * sizeof(RGBQUAD));
    info.header.biClrUsed = count;
  }

  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) ::DeleteObject(bitmap);
    return false;
  }
  bitmap_ = bitmap;
  width_ = width;
  height_ = static_cast<int>(rows);
  bpp_ = bits_per_pixel;
  auto* first = static_cast<std::uint8_t*>(bits);
  if (height > 0) {  // bottom-up: the top row is the last one in memory
    top_row_ = first + (rows - 1) * row_bytes;
    row_step_ = -static_cast<int>(row_bytes);
  } else {
    top_row_ = first;
    row_step_ = static_cast<int>(row_bytes);
  }
  return true;
}

void LayeredSurface::Destroy() {
  if (dc_) {
    ::SelectObject(dc_, dc_old_bitmap_);
    ::DeleteDC(dc_);
  }
  dc_ = nullptr;
  dc_old_bitmap_ = nullptr;
  dc_refs_ = 0;
  if (bitmap_) ::DeleteObject(bitmap_);
  bitmap_ = nullptr;
  top_row_ = nullptr;
  width_ = height_ = bpp_ = row_step_ = 0;
}

HDC LayeredSurface::GetDC() {
  if (!bitmap_) return nullptr;
  if (!dc_) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    HGDIOBJ old = ::SelectObject(dc, bitmap_);
    if (!old || old == HGDI_ERROR) {
      ::DeleteDC(dc);
      return nullptr;
    }
    dc_ = dc;
    dc_old_bitmap_ = old;
  }
  ++dc_refs_;
  return dc_;
}

void LayeredSurface::ReleaseDC() {
  if (dc_refs_ <= 0 || --dc_refs_ > 0) return;
  ::SelectObject(dc_, dc_old_bitmap_);
  ::DeleteDC(dc_);
  dc_ = nullptr;
  dc_old_bitmap_ = nullptr;
}
