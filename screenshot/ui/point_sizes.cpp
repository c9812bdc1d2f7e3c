// The size list's point sizes, their pixel heights and the pixel-to-point rule.
#include "screenshot/ui/point_sizes.h"

const int kPointSizes[kPointSizeCount] = {8,  9,  10, 11, 12, 14, 16, 18,
                                          20, 22, 24, 26, 28, 36, 48, 72};

namespace {

// a x b / c rounded half away from zero, as the system's MulDiv does; -1 when c is 0.
int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  const long long magnitude = (product < 0 ? -product : product);
  const long long divisor = c < 0 ? -static_cast<long long>(c) : c;
  const long long quotient = (magnitude + divisor / 2) / divisor;
  return static_cast<int>(((product < 0) != (c < 0)) ? -quotient : quotient);
}

}  // namespace

void ComputePixelHeights(int dots_per_inch, int pixel_heights[kPointSizeCount]) {
  for (int i = 0; i < kPointSizeCount; ++i)
    pixel_heights[i] = MulDivRounded(kPointSizes[i], dots_per_inch, 72);
}

int PointSizeForPixelHeight(int pixel_height, const int pixel_heights[kPointSizeCount]) {
  for (int i = 0; i < kPointSizeCount; ++i)
    if (pixel_heights[i] >= pixel_height) return kPointSizes[i];
  return kPointSizes[kPointSizeCount - 1];
}

int PointSizeIndex(int points) {
  for (int i = 0; i < kPointSizeCount; ++i)
    if (kPointSizes[i] == points) return i;
  return -1;
}
