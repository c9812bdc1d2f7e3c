// Where the capture window puts its bars next to the selection.
#include "screenshot/capture/bar_placement.h"

namespace {

constexpr int kStyleGap = 3;            // between the main tool bar and a style bar
constexpr int kStyleBottomMargin = 18;  // under a style bar pushed up from a monitor's bottom
constexpr int kMenuBottomMargin = 40;
constexpr int kMenuEdgeMargin = 2;

Rect BarAt(Point p, Size bar) { return Rect{p.x, p.y, p.x + bar.width, p.y + bar.height}; }

// Moves a bar at |p| inside |area| (its left and top edges win when it does not fit).
Point KeptInside(Point p, Size bar, const Rect& area) {
  if (p.x + bar.width > area.right) p.x = area.right - bar.width;
  if (p.y + bar.height > area.bottom) p.y = area.bottom - bar.height;
  if (p.x < area.left) p.x = area.left;
  if (p.y < area.top) p.y = area.top;
  return p;
}

// The first rule: next to the tool bar on the monitor, preferring not to cover the selection.
Point NextToToolbar(Size bar, const Rect& toolbar, const Rect& selection, const Rect& monitor,
                    const Rect& virtual_screen) {
  const bool room_above = toolbar.top - virtual_screen.top >= bar.height;
  const int above = toolbar.top - bar.height - kStyleGap;
  Point p = {toolbar.left, toolbar.bottom + kStyleGap};
  if (toolbar.bottom + bar.height + kStyleGap <= monitor.bottom) {
    if (room_above && !selection.IsEmpty() && Intersects(BarAt(p, bar), selection)) p.y = above;
  } else {
    p.y = room_above ? above : monitor.bottom - bar.height;
  }
  return KeptInside(p, bar, monitor);
}

// The second rule, for a bar that would cover the selection next to the tool bar.
Point AwayFromSelection(Size bar, const Rect& toolbar, const Rect& monitor,
                        const Rect& virtual_screen) {
  Point p = {toolbar.left, 0};
  if (toolbar.bottom + bar.height + kStyleGap <= virtual_screen.bottom)
    p.y = toolbar.bottom + kStyleGap;
  else if (toolbar.top - virtual_screen.top >= bar.height)
    p.y = toolbar.top - bar.height - kStyleGap;
  else
    p.y = virtual_screen.bottom - bar.height;
  p = KeptInside(p, bar, virtual_screen);
  if (p.x + bar.width >= virtual_screen.right || p.x + bar.width >= monitor.right)
    p.x = monitor.right - bar.width;
  if (p.y + bar.height >= virtual_screen.bottom || p.y + bar.height >= monitor.bottom)
    p.y = monitor.bottom - bar.height - toolbar.Height() - kStyleBottomMargin;
  if (p.x < monitor.left) p.x = monitor.left;
  if (p.y < monitor.top) p.y = monitor.top;
  return p;
}

}  // namespace

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

Point StyleBarPosition(Size bar, const Rect& toolbar, const Rect& selection, const Rect& monitor,
                       const Rect& virtual_screen) {
  const Point first = NextToToolbar(bar, toolbar, selection, monitor, virtual_screen);
  if (selection.IsEmpty() || !Intersects(BarAt(first, bar), selection)) return first;
  return AwayFromSelection(bar, toolbar, monitor, virtual_screen);
}

Point MenuBarAnchor(Size bar, const Rect* visible_toolbar, const Rect& selection) {
  if (visible_toolbar) return Point{visible_toolbar->left, visible_toolbar->bottom + kStyleGap};
  return Point{selection.right - bar.width, selection.bottom + kStyleGap};
}

Point MenuBarPosition(Point anchor, Size bar, const Rect& monitor, const Rect& virtual_screen) {
  Point p = anchor;
  if (p.x + bar.width >= virtual_screen.right || p.x + bar.width >= monitor.right)
    p.x = monitor.right - bar.width;
  if (p.y + bar.height >= virtual_screen.bottom || p.y + bar.height >= monitor.bottom)
    p.y = monitor.bottom - bar.height - kMenuBottomMargin;
  if (p.x < monitor.left) p.x = monitor.left + kMenuEdgeMargin;
  if (p.y < monitor.top) p.y = monitor.top + kMenuEdgeMargin;
  return p;
}
