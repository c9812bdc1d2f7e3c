// Where the capture window puts its bars next to the selection: the main tool bar, and a style
// bar (the colour bar or the text bar) next to the main tool bar or where the context menu was
// used. Screen coordinates throughout.
#pragma once

#include "screenshot/base/geometry.h"

// Top-left corner of a bar_width x bar_height tool bar for |selection| on |monitor| (the monitor
// nearest the pointer): right-aligned under the selection, 5 pixels below it; above it when
// there is no room below; when there is no room either way, inside the monitor's bottom edge
// (over the selection). Kept within the monitor's left and right edges.
Point MainToolbarPosition(const Rect& selection, int bar_width, int bar_height,
                          const Rect& monitor);

// Top-left corner of a style bar of |bar| size chosen from the main tool bar |toolbar|, for
// |selection| (empty: none), |monitor| (nearest the pointer) and |virtual_screen| (every
// monitor). Left-aligned with the tool bar, 3 pixels under it, or above it when it would cover
// the selection or find no room below, kept on the monitor. When the selection is covered even
// so, a second rule keeps the bar off it where it can: under or above the tool bar within the
// virtual screen, pushed back inside the monitor (from its bottom edge, far enough up to clear
// the tool bar's height and a margin).
Point StyleBarPosition(Size bar, const Rect& toolbar, const Rect& selection, const Rect& monitor,
                       const Rect& virtual_screen);

// Where a style bar chosen from the context menu starts: under the main tool bar when it is
// shown (|visible_toolbar| non-null), else right-aligned under the selection, 3 pixels below.
Point MenuBarAnchor(Size bar, const Rect* visible_toolbar, const Rect& selection);
// The style bar's top-left corner from its anchor, on |monitor| (the monitor nearest the
// anchor): pulled back from the monitor's right edge, lifted well above its bottom edge, and
// kept 2 pixels inside its left and top edges.
Point MenuBarPosition(Point anchor, Size bar, const Rect& monitor, const Rect& virtual_screen);
