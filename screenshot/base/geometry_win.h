// Conversions between the plain geometry types and the system's, and the monitor at a point.
#pragma once

#include <windows.h>

#include "screenshot/base/geometry.h"

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline POINT ToPOINT(Point p) { return POINT{p.x, p.y}; }
inline Point FromPOINT(POINT p) { return Point{p.x, p.y}; }

// The virtual screen (every monitor) in screen coordinates.
inline Rect VirtualScreenRect() {
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Rect{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
              y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The screen rectangle of the monitor at |screen_point|, or of the nearest one when the point is
// on none; the virtual screen stands in when the system cannot tell.
inline Rect MonitorRectAt(Point screen_point) {
  MONITORINFO mi = {sizeof(mi)};
  if (!::GetMonitorInfoW(::MonitorFromPoint(ToPOINT(screen_point), MONITOR_DEFAULTTONEAREST), &mi))
    return VirtualScreenRect();
  return FromRECT(mi.rcMonitor);
}

// The monitor under the cursor (nearest to it).
inline Rect MonitorRectAtCursor() {
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  return MonitorRectAt(FromPOINT(cursor));
}
