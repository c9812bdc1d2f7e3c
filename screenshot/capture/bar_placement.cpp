// Where the capture window puts its main tool bar next to the selection.
#include "screenshot/capture/bar_placement.h"

Point MainToolbarPosition(const Rect& selection, int bar_width, int bar_height,
                          const Rect& monitor) {
  Point p;
  p.x = selection.right - bar_width;
  if (selection.bottom + bar_height <= monitor.bottom)
    p.y = selection.bottom + 5;
  else if (selection.top - monitor.top >= bar_height)
    p.y = selection.top - bar_height - 5;
  else
    p.y = monitor.bottom - bar_height - 5;  // a whole bar on screen, 5 pixels above the edge
  if (p.x < monitor.left) p.x = monitor.left;
  if (selection.right > monitor.right) p.x = monitor.right - bar_width;
  return p;
}
