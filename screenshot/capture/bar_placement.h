// Where the capture window puts its main tool bar next to the selection. Screen coordinates.
#pragma once

#include "screenshot/base/geometry.h"

// Top-left corner of a bar_width x bar_height tool bar for |selection| on |monitor| (the monitor
// nearest the pointer): right-aligned under the selection, 5 pixels below it; above it when
// there is no room below; when there is no room either way, inside the monitor's bottom edge
// (over the selection). Kept within the monitor's left and right edges.
Point MainToolbarPosition(const Rect& selection, int bar_width, int bar_height,
                          const Rect& monitor);
