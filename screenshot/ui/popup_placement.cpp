// Where the tooltip and the context menu open.
#include "screenshot/ui/popup_placement.h"

namespace {

// The tooltip sits clear of the arrow cursor's 19-pixel-high picture, on either side.
constexpr int kTipOffsetX = 3;
constexpr int kTipOffsetY = 19;

}  // namespace

Point PlaceToolTip(Point pointer, int width, int height, const Rect& monitor) {
  Point p{pointer.x + kTipOffsetX, pointer.y + kTipOffsetY};
  if (p.y + height > monitor.bottom) p.y = pointer.y - kTipOffsetY - height;
  if (p.x + width > monitor.right) p.x -= p.x + width - monitor.right;
  return p;
}

Point PlaceContextMenu(Point at, int width, int height, const Rect& monitor) {
  const bool fits_right = at.x + width < monitor.right;
  const bool fits_below = at.y + height < monitor.bottom;
  Point p = at;
  if (!fits_right) p.x -= width;
  if (!fits_below) p.y -= height;
  return p;
}
