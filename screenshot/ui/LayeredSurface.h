// LayeredSurface: an off-screen DIB section that a bar composes itself into before presenting.
//
// Bars are layered windows: they never answer WM_PAINT, they draw everything into one 32-bit
// surface (all pixels start transparent) and hand it to UpdateLayeredWindow. The surface owns its
// bitmap and, while anyone holds it, a memory device context with the bitmap selected.
#pragma once

#include <windows.h>

#include <cstdint>

class LayeredSurface {
 public:
  LayeredSurface() = default;
  ~LayeredSurface();
  LayeredSurface(const LayeredSurface&) = delete;
  LayeredSurface& operator=(const LayeredSurface&) = delete;

  // Makes a DIB section of |width| x |height| (a positive height gives a bottom-up image, a
  // negative one a top-down image) at 1, 4, 8, 16, 24 or 32 bits per pixel.
  // |colors| is read as three DWORD masks (red, green, blue) for 16 and 32 bits, turning the
  // section into BI_BITFIELDS, and as |color_count| RGBQUAD palette entries (at most 2^bits are
  // used) for 8 bits or fewer. 24 bits takes no masks. Fails, leaving the surface empty, for a
  // zero height, a non-positive width, another bit count, masks with 24 bits, a size whose rows
  // do not fit in 32 bits, or when CreateDIBSection fails. An existing image is released first.
  bool Create(int width, int height, int bits_per_pixel = 32, const DWORD* colors = nullptr,
              int color_count = 0);
  // Releases the image (and the device context, even if still held).
  void Destroy();

  bool empty() const { return bitmap_ == nullptr; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }  // always positive
  int bits_per_pixel() const { return bpp_; }
  // First byte of the top row as seen on screen, and the signed distance in bytes from one row
  // to the one below it (negative for bottom-up images). Rows are padded to 4 bytes.
  std::uint8_t* top_row() const { return top_row_; }
  int row_step() const { return row_step_; }

  // The memory DC with the image selected, created on the first request and shared by later
  // ones; every GetDC needs a ReleaseDC, and the last release deletes the DC.
  HDC GetDC();
  void ReleaseDC();

 private:
  HBITMAP bitmap_ = nullptr;
  std::uint8_t* top_row_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bpp_ = 0;
  int row_step_ = 0;
  HDC dc_ = nullptr;
  HGDIOBJ dc_old_bitmap_ = nullptr;
  int dc_refs_ = 0;
};

// Holds a surface's device context for one scope.
class SurfaceDC {
 public:
  explicit SurfaceDC(LayeredSurface& surface) : surface_(surface), dc_(surface.GetDC()) {}
  ~SurfaceDC() {
    if (dc_) surface_.ReleaseDC();
  }
  SurfaceDC(const SurfaceDC&) = delete;
  SurfaceDC& operator=(const SurfaceDC&) = delete;
  HDC get() const { return dc_; }

 private:
  LayeredSurface& surface_;
  HDC dc_;
};
