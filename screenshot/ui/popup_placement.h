// Where the tooltip and the context menu open: next to the pointer, but on the screen.
//
// The tooltip opens below-right of the pointer and flips above it near the bottom of the virtual
// screen; the context menu opens below-right of the click and flips up and/or left when it would
// cross the edge of the monitor the click is on.
#pragma once

#include "screenshot/ui/geometry.h"

// Top-left corner of a width x height tooltip for the pointer at |pointer| (screen coordinates):
// 3 pixels right of and 19 below the pointer; above the pointer (19 pixels) when it would reach
// past |screen_height|, and shifted left by what would stick out past |screen_width|.
Point PlaceToolTip(Point pointer, int width, int height, int screen_width, int screen_height);

// Top-left corner of a width x height menu asked for at |at| on |monitor|: at the point when the
// menu ends left of the monitor's right edge and above its bottom edge; otherwise it opens to the
// left of the point when only the width does not fit, above it when only the height does not fit,
// and up and to the left when neither fits.
Point PlaceContextMenu(Point at, int width, int height, const Rect& monitor);
