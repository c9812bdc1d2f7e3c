// Choosing one image from the bytes of a Windows icon file (.ico).
#pragma once

#include <cstddef>
#include <optional>

namespace launcher {

struct IconImage {
  std::size_t offset;  // where the image's bytes (bitmap header or PNG) start in the file
  std::size_t size;
  int width, height;
};

// The image to show at pixels × pixels: that size if the file has it, else the smallest larger
// one, else the largest. Nothing when the bytes are not an icon file or an entry points outside
// them.
std::optional<IconImage> PickIconImage(const unsigned char* file, std::size_t size, int pixels);

}  // namespace launcher
