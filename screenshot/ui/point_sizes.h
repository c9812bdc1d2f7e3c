// The size list's point sizes and their heights in screen pixels, and the rule that names the
// point size of a pixel height (the text bar's size button shows it).
#pragma once

constexpr int kPointSizeCount = 16;
// 8 to 72 points, as the size list offers them.
extern const int kPointSizes[kPointSizeCount];

// points x dpi / 72, rounded to the nearest pixel (halves away from zero), for every point size.
void ComputePixelHeights(int dots_per_inch, int pixel_heights[kPointSizeCount]);

// The point size shown for a text |pixel_height|: the first point size whose pixel height is at
// least that high; 72 when the height exceeds them all.
int PointSizeForPixelHeight(int pixel_height, const int pixel_heights[kPointSizeCount]);

// The index of |points| among the point sizes, or -1.
int PointSizeIndex(int points);
