// CScreenSnapshotTool: region selection, window highlight and the magnifier.
#include <windowsx.h>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/capture/magnifier_picture.h"
#include "screenshot/ui/ImageSet.h"

namespace {

HCURSOR CursorFor(CursorKind kind) {
  switch (kind) {
    case CursorKind::SizeAll:
      return ::LoadCursorW(nullptr, IDC_SIZEALL);
    case CursorKind::SizeWE:
      return ::LoadCursorW(nullptr, IDC_SIZEWE);
    case CursorKind::SizeNS:
      return ::LoadCursorW(nullptr, IDC_SIZENS);
    case CursorKind::SizeNWSE:
      return ::LoadCursorW(nullptr, IDC_SIZENWSE);
    case CursorKind::SizeNESW:
      return ::LoadCursorW(nullptr, IDC_SIZENESW);
    case CursorKind::Capture:
      return SharedImages().normal_cursor();
    case CursorKind::Unchanged:
      break;
  }
  return nullptr;
}

Point PointOf(LPARAM lp) { return Point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

struct LiveWindows : WindowLiveState {
  bool Exists(uintptr_t w) const override { return ::IsWindow(reinterpret_cast<HWND>(w)); }
  bool IsVisible(uintptr_t w) const override {
    return ::IsWindowVisible(reinterpret_cast<HWND>(w));
  }
  bool IsMouseTransparent(uintptr_t w) const override {
    return (::GetWindowLongW(reinterpret_cast<HWND>(w), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
  }
};

struct WindowClasses : WindowClassInfo {
  std::wstring ClassName(uintptr_t w) const override {
    wchar_t name[256] = {};
    if (w) ::GetClassNameW(reinterpret_cast<HWND>(w), name, 256);
    return name;
  }
  uintptr_t Parent(uintptr_t w) const override {
    return w ? reinterpret_cast<uintptr_t>(::GetParent(reinterpret_cast<HWND>(w))) : 0;
  }
};

}  // namespace

Point CScreenSnapshotTool::CursorInCapture() const {
  POINT p = {};
  ::GetCursorPos(&p);
  return Point{p.x - origin_.x, p.y - origin_.y};
}

void CScreenSnapshotTool::ApplyRect(const Rect& n, bool is_move) {
  PresentDirty(overlay_.ApplySelection(n, is_move));
}

void CScreenSnapshotTool::Reselect() {
  // Every drawing goes with the selection.
  board_.Detach();
  // A drag in progress ends here too, and gives the mouse back.
  drag_mode_ = HitOutside;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  PresentDirty(overlay_.RemoveSelection());
  toolbar_.SetCurrentTool(0);
  toolbar_.EnableCommand(ID_TOOLBAR_UNDO, FALSE);
  toolbar_.EnableCommand(ID_TOOLBAR_REDO, FALSE);
  toolbar_.Paint();
  HideToolBars();
  drag_mode_ = HitOutside;
  magnifier_on_ = detection_on_ = true;
  highlighted_ = nullptr;
}

LRESULT CScreenSnapshotTool::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (drag_mode_ != HitOutside) {
    bHandled = FALSE;
    return 0;
  }
  const Point p = PointOf(lParam);
  const PressResult press = PressAt(overlay_.selection(), p);
  drag_mode_ = press.mode;
  started_from_empty_ = press.started_from_empty;
  if (press.magnifier_on) {
    magnifier_on_ = true;
    detection_on_ = false;
    UpdateMagnifier();
  }
  not_moved_yet_ = true;
  drag_start_ = overlay_.selection();
  press_point_ = current_point_ = p;
  ::SetCapture(m_hWnd);
  return 0;
}

LRESULT CScreenSnapshotTool::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (drag_mode_ == HitOutside) {
    bHandled = FALSE;
    return 0;
  }
  current_point_ = PointOf(lParam);
  if (not_moved_yet_) {
    not_moved_yet_ = false;
    HideToolBars();
    if (drag_mode_ == HitNew && !overlay_.selection().IsEmpty())
      PresentDirty(overlay_.RemoveSelection());
  }
  const Rect n = DragStep(drag_mode_, drag_start_, press_point_, current_point_, cx_, cy_);
  if (n != overlay_.selection()) ApplyRect(n, drag_mode_ == HitMove);
  return 0;
}

LRESULT CScreenSnapshotTool::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (drag_mode_ == HitOutside) {
    bHandled = FALSE;
    return 0;
  }
  const SelectionHit mode = drag_mode_;
  drag_mode_ = HitOutside;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  const Point p = PointOf(lParam);
  if (ReleaseAppliesLastStep(!not_moved_yet_, started_from_empty_)) {
    const Rect n = DragStep(mode, drag_start_, press_point_, p, cx_, cy_);
    if (n != overlay_.selection()) ApplyRect(n, mode == HitMove);
  } else {
    not_moved_yet_ = started_from_empty_ = false;
    if (overlay_.selection().IsEmpty() && !covered_) {
      LiveWindows live;
      const Point screen = {p.x + origin_.x, p.y + origin_.y};
      if (const WindowNode* node = FindWindowAt(window_tree_, screen, live)) {
        const Rect r = WindowRectToSelection(node->rect, origin_, cx_, cy_);
        if (!r.IsEmpty()) ApplyRect(r, false);
      }
    }
  }
  if (!overlay_.selection().IsEmpty()) {
    PlaceMainToolbar();
    KeepStyleBarPlaced();
  }
  magnifier_on_ = detection_on_ = false;
  UpdateMagnifier();
  return 0;
}

LRESULT CScreenSnapshotTool::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  // Our own release (end of a drag, reselect) clears the drag mode before it lets go.
  if (drag_mode_ == HitOutside || reinterpret_cast<HWND>(lParam) == m_hWnd) {
    bHandled = FALSE;
    return 0;
  }
  AbandonDrag();
  return 0;
}

void CScreenSnapshotTool::AbandonDrag() {
  // Another window took the mouse (a system dialog, a program grabbing the capture): no release
  // will come, so the drag ends where the last move left it, as if released there, without
  // picking a window under a press that never moved.
  drag_mode_ = HitOutside;
  not_moved_yet_ = started_from_empty_ = false;
  if (!overlay_.selection().IsEmpty()) {
    PlaceMainToolbar();
    KeepStyleBarPlaced();
    magnifier_on_ = detection_on_ = false;
  } else {
    magnifier_on_ = detection_on_ = true;  // back to hunting
  }
  UpdateMagnifier();
}

LRESULT CScreenSnapshotTool::OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
  // While annotating, the board answered the press with its menu already; the release that
  // ends that click must neither open a second menu nor, outside the selection, throw the
  // drawings away.
  if (board_attached()) return 0;
  const Point p = PointOf(lParam);
  const Rect sel = overlay_.selection();
  if (!sel.IsEmpty()) {
    if (!sel.Contains(p)) {
      Reselect();
    } else {
      magnifier_on_ = detection_on_ = false;
      UpdateMagnifier();  // hidden before the menu's modal loop starts
      ShowContextMenu(POINT{p.x + origin_.x, p.y + origin_.y});
    }
  } else if (highlighted_) {
    RECT now = {};
    const POINT screen = {p.x + origin_.x, p.y + origin_.y};
    if (::GetWindowRect(highlighted_, &now) && ::PtInRect(&now, screen)) Leave();
  }
  UpdateMagnifier();
  return 0;
}

LRESULT CScreenSnapshotTool::OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL&) {
  const bool about_overlay = reinterpret_cast<HWND>(wParam) == m_hWnd;
  const CursorKind kind =
      ChooseCursor(drag_mode_, about_overlay, overlay_.selection(), CursorInCapture());
  if (HCURSOR cursor = CursorFor(kind)) ::SetCursor(cursor);
  return TRUE;
}

// Moves the window highlight to the window under the pointer. Only a change of window touches
// the overlay: while the pointer stays over one window (or over none, or an excluded one) the
// screen already shows the right thing, and a present costs as much as the whole overlay.
void CScreenSnapshotTool::UpdateHighlight(Point pointer) {
  uintptr_t found = 0;
  bool excluded = false;
  const WindowNode* node = nullptr;
  if (detection_on_) {
    LiveWindows live;
    WindowClasses classes;
    node = FindWindowAt(window_tree_, Point{pointer.x + origin_.x, pointer.y + origin_.y}, live);
    found = node ? node->window : 0;
    excluded = found && IsExcludedFromHighlight(
                            found, reinterpret_cast<uintptr_t>(::GetDesktopWindow()), classes);
  }
  const HighlightStep step =
      NextHighlight(detection_on_, reinterpret_cast<uintptr_t>(highlighted_), found, excluded);
  if (step == HighlightStep::Keep) return;
  Rect dirty;
  if (highlighted_) dirty = overlay_.DimWindowHighlight(highlighted_rect_);
  highlighted_ = nullptr;
  if (step == HighlightStep::Move) {
    highlighted_ = reinterpret_cast<HWND>(found);
    highlighted_rect_ = Offset(node->rect, -origin_.x, -origin_.y);
    dirty = UnionOf(dirty, overlay_.Punch(highlighted_rect_));
    dirty = UnionOf(dirty, overlay_.HighlightWindow(highlighted_rect_));
  }
  PresentDirty(dirty);
}

void CScreenSnapshotTool::UpdateMagnifier() {
  if (!m_hWnd) return;
  if (!magnifier_on_) {
    magnifier_.Hide();
    return;
  }
  const Point pointer = CursorInCapture();
  if (!covered_) UpdateHighlight(pointer);
  // The magnifier: the selection's size, or the highlighted window's while hunting.
  Rect current_window;
  const Rect* window_rect = nullptr;
  RECT now = {};
  if (detection_on_ && highlighted_ && ::GetWindowRect(highlighted_, &now)) {
    current_window = FromRECT(now);
    window_rect = &current_window;
  }
  const MagnifierSize size = MagnifierSizeToShow(overlay_.selection(), detection_on_, window_rect);
  if (!size.Visible()) {
    magnifier_.Hide();
    return;
  }
  magnifier_.Show(frozen_view_, origin_, pointer, size.width, size.height);
}
