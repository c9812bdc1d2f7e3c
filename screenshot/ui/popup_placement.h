// Where the tooltip and the context menu open: next to the pointer, but on the screen.
//
// The tooltip opens below-right of the pointer and flips above it near the bottom of the monitor
// the pointer is on; the context menu opens below-right of the click and flips up and/or left when
// it would cross the edge of the monitor the click is on.
#pragma once

#include "screenshot/base/geometry.h"

// Top-left corner of a width x height tooltip for the pointer at |pointer| on |monitor| (screen
// coordinates): 3 pixels right of and 19 below the pointer; above the pointer (19 pixels) when it
// would reach past the monitor's bottom edge, and shifted left by what would stick out past its
// right edge. Judged by the pointer's monitor, not the virtual screen's size: with a monitor left
// of or above the primary one the screen coordinates do not start at 0, and a tip on another
// monitor than the bottom-right one would be cut off at that monitor's edge.
Point PlaceToolTip(Point pointer, int width, int height, const Rect& monitor);

// Top-left corner of a width x height menu asked for at |at| on |monitor|: at the point when the
// menu ends left of the monitor's right edge and above its bottom edge; otherwise it opens to the
// left of the point when only the width does not fit, above it when only the height does not fit,
// and up and to the left when neither fits.
Point PlaceContextMenu(Point at, int width, int height, const Rect& monitor);
