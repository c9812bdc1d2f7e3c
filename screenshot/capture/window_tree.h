// The snapshot of the desktop's window hierarchy taken at start, the lookup of the window under
// a point, and the windows that are never highlighted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot/base/geometry.h"

// One window of the snapshot: an opaque window id (the window handle), its rectangle in screen
// coordinates when the snapshot was made, and its child windows topmost first.
struct WindowNode {
  uintptr_t window = 0;
  Rect rect;
  std::vector<WindowNode> children;
};

// Live questions about a window, answered by the window side at lookup time.
class WindowLiveState {
 public:
  virtual ~WindowLiveState() = default;
  virtual bool Exists(uintptr_t window) const = 0;
  virtual bool IsVisible(uintptr_t window) const = 0;
  // Extended style "transparent": mouse input passes through it.
  virtual bool IsMouseTransparent(uintptr_t window) const = 0;
};

// The window at a screen point: each node's children are searched in order, each child's own
// subtree before the child itself, then the node itself, so the deepest qualifying window of the
// topmost qualifying branch wins and the root comes last. A node qualifies when its recorded
// rectangle is not empty and contains the point and the window still exists, is visible and is
// not transparent to the mouse. Null when none does.
const WindowNode* FindWindowAt(const WindowNode& root, Point screen_point,
                               const WindowLiveState& live);

// Class names and parents, answered by the window side (empty name / 0 for no window).
class WindowClassInfo {
 public:
  virtual ~WindowClassInfo() = default;
  virtual std::wstring ClassName(uintptr_t window) const = 0;
  virtual uintptr_t Parent(uintptr_t window) const = 0;
};

// True for windows the highlight skips: the desktop window itself and the desktop's icon view
// (class "SysListView32" under "SHELLDLL_DefView" under "Progman", ignoring case).
bool IsExcludedFromHighlight(uintptr_t window, uintptr_t desktop_window,
                             const WindowClassInfo& info);

// What a pointer move while hunting does to the window highlight, given the highlighted window
// (0 for none) and the window found under the pointer (0 for none).
enum class HighlightStep {
  Keep,   // nothing on screen changes: the same window, an excluded one, or none under the pointer
  Clear,  // detection is off: the old highlight goes
  Move,   // another window: the old highlight goes and the found window is highlighted
};
HighlightStep NextHighlight(bool detection_on, uintptr_t highlighted, uintptr_t found,
                            bool found_excluded);
