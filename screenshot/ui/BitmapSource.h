// BitmapSource: a bitmap selected into its own memory device context, as a blit source.
//
// A bitmap can be selected into only one device context at a time. The shared images may already
// be selected elsewhere when a bar paints (for example while another surface holds them), so when
// the selection fails a private copy is selected instead and deleted with the source.
#pragma once

#include <windows.h>

class BitmapSource {
 public:
  explicit BitmapSource(HBITMAP bitmap);
  ~BitmapSource();
  BitmapSource(const BitmapSource&) = delete;
  BitmapSource& operator=(const BitmapSource&) = delete;

  // The device context to blit from; null when neither the bitmap nor a copy could be selected.
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ != nullptr; }
  // Size of the bitmap in pixels (0 when it could not be read).
  int width() const { return width_; }
  int height() const { return height_; }
  // True when a copy, not the bitmap itself, is selected.
  bool using_copy() const { return copy_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  HBITMAP copy_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
