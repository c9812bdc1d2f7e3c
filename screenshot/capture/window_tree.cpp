// The snapshot of the desktop's window hierarchy taken at start, the lookup of the window under
// a point, and the windows that are never highlighted.
#include "screenshot/capture/window_tree.h"

namespace {

bool Qualifies(const WindowNode& node, Point p, const WindowLiveState& live) {
  // The recorded rectangle is checked first: it costs nothing, while the live questions go to
  // the system (the outcome is the same in any order).
  return !node.rect.IsEmpty() && node.rect.Contains(p) && live.Exists(node.window) &&
         live.IsVisible(node.window) && !live.IsMouseTransparent(node.window);
}

// Class names are ASCII; other characters compare exactly.
bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == 0;
}

}  // namespace

const WindowNode* FindWindowAt(const WindowNode& root, Point screen_point,
                               const WindowLiveState& live) {
  for (const WindowNode& child : root.children) {
    if (const WindowNode* found = FindWindowAt(child, screen_point, live)) return found;
  }
  return Qualifies(root, screen_point, live) ? &root : nullptr;
}

bool IsExcludedFromHighlight(uintptr_t window, uintptr_t desktop_window,
                             const WindowClassInfo& info) {
  if (window == desktop_window) return true;
  if (!EqualsIgnoringCase(info.ClassName(window), L"SysListView32")) return false;
  const uintptr_t parent = info.Parent(window);
  if (parent == 0 || !EqualsIgnoringCase(info.ClassName(parent), L"SHELLDLL_DefView")) {
    return false;
  }
  const uintptr_t grandparent = info.Parent(parent);
  return grandparent != 0 && EqualsIgnoringCase(info.ClassName(grandparent), L"Progman");
}

HighlightStep NextHighlight(bool detection_on, uintptr_t highlighted, uintptr_t found,
                            bool found_excluded) {
  if (!detection_on) return highlighted ? HighlightStep::Clear : HighlightStep::Keep;
  if (found && !found_excluded && found != highlighted) return HighlightStep::Move;
  return HighlightStep::Keep;
}
