// CScreenSnapshotTool: the commands of the tool bar, the context menu and the hot keys, and how
// a capture run ends.
#include "resource.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/capture/bar_placement.h"
#include "screenshot/ui/CContextToolMenu.h"

namespace {

const int kHotKeyEsc = 1000;
const int kHotKeyDelete = 1001;

// ToolKind values.
const int kToolRectangle = 1, kToolEllipse = 2, kToolArrow = 3, kToolBrush = 4, kToolText = 5,
          kToolSelect = 6, kToolMosaic = 9;

void HideWindow(HWND w) {
  if (w && ::IsWindowVisible(w))
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

}  // namespace

void CScreenSnapshotTool::OnToolbarCommand(UINT id) {
  switch (id) {
    case ID_TOOLBAR_RECTANGLE:
      ChooseTool(kToolRectangle, false);
      break;
    case ID_TOOLBAR_ELLIPSE:
      ChooseTool(kToolEllipse, false);
      break;
    case ID_TOOLBAR_ARROW:
      ChooseTool(kToolArrow, false);
      break;
    case ID_TOOLBAR_BRUSH:
      ChooseTool(kToolBrush, false);
      break;
    case ID_TOOLBAR_TEXT:
      ChooseTool(kToolText, false);
      break;
    case ID_TOOLBAR_SELECT:
      ChooseTool(kToolSelect, false);
      break;
    case ID_TOOLBAR_MOSAIC:
      ChooseTool(kToolMosaic, false);
      break;
    case ID_TOOLBAR_UNDO:
      Undo(false);
      break;
    case ID_TOOLBAR_REDO:
      Undo(true);
      break;
    case ID_TOOLBAR_COPY:
      FinishAndCopy();
      break;
    case ID_TOOLBAR_SAVE:
      break;  // the save dialog joins here
    case ID_TOOLBAR_EXIT:
      Leave();
      break;
    default:
      break;
  }
  // The button that was clicked drew its own release before the command ran; the bar as a
  // whole (the newly pressed tool, the old one released, undo's state) is drawn now.
  toolbar_.Paint();
}

void CScreenSnapshotTool::OnMenuCommand(UINT id) {
  switch (id) {
    case ID_MENU_RECTANGLE:
      ChooseTool(kToolRectangle, true);
      break;
    case ID_MENU_ELLIPSE:
      ChooseTool(kToolEllipse, true);
      break;
    case ID_MENU_ARROW:
      ChooseTool(kToolArrow, true);
      break;
    case ID_MENU_BRUSH:
      ChooseTool(kToolBrush, true);
      break;
    case ID_MENU_MOSAIC:
      ChooseTool(kToolMosaic, true);
      break;
    case ID_MENU_TEXT:
      ChooseTool(kToolText, true);
      break;
    case ID_MENU_DELETE:
      DeleteBoardTarget();
      break;
    case ID_MENU_UNDO:
      Undo(false);
      break;
    case ID_MENU_FINISH:
      FinishAndCopy();
      break;
    case ID_MENU_SAVE:
      break;  // the save dialog joins here
    case ID_MENU_RESELECT:
      Reselect();
      break;
    case ID_MENU_TOOLBAR:
      ToggleToolBars();
      break;
    case ID_MENU_EXIT:
      Leave();
      break;
    default:
      break;  // dismissed: the board refreshes its display
  }
}

void CScreenSnapshotTool::ChooseTool(int tool, bool from_menu) {
  // The colour and text bars, with each tool's remembered style, and the board's tool join here.
  toolbar_.SetCurrentTool(tool);
  if (from_menu) toolbar_.Paint();  // drawn pressed on the bar as well
}

void CScreenSnapshotTool::DeleteBoardTarget() {
  // The annotation board deletes its delete target here.
}

void CScreenSnapshotTool::Undo(bool /*redo*/) {
  // The annotation board's undo and redo, with the tool bar's buttons following them.
}

void CScreenSnapshotTool::ToggleToolBars() {
  if (toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd())) {
    toolbar_.SetHiddenByUser(TRUE);
    HideToolBars();
  } else {
    toolbar_.SetHiddenByUser(FALSE);
    PlaceMainToolbar();  // the style bar of a drawing tool comes back with it
  }
}

void CScreenSnapshotTool::PlaceMainToolbar() {
  const Rect sel = overlay_.selection();
  if (!toolbar_.hwnd() || sel.IsEmpty()) return;
  RECT bar = {};
  ::GetWindowRect(toolbar_.hwnd(), &bar);
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  MONITORINFO mi = {sizeof(mi)};
  ::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mi);
  const Point at = MainToolbarPosition(
      Offset(sel, origin_.x, origin_.y), bar.right - bar.left, bar.bottom - bar.top,
      Rect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom});
  ::SetWindowPos(toolbar_.hwnd(), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (toolbar_.IsHiddenByUser()) return;
  toolbar_.Paint();
  ::SetWindowPos(toolbar_.hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScreenSnapshotTool::HideToolBars() {
  // The colour bar and the text bar join the main tool bar here.
  HideWindow(toolbar_.hwnd());
}

void CScreenSnapshotTool::RestoreStackingOrder() {
  // Each window raised to the top of the topmost band in turn, from the lowest up.
  for (HWND w : {m_hWnd, magnifier_, toolbar_.hwnd()})
    if (w) ::SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CScreenSnapshotTool::ShowContextMenu(POINT screen) {
  CContextToolMenu menu;
  if (!menu.Create()) return;
  menu.SetItemCheck(ID_MENU_TOOLBAR, toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd()));
  // Delete, undo and redo follow the board while it is attached.
  const bool can_delete = false, can_undo = false, can_redo = false;
  menu.EnableItem(ID_MENU_DELETE, board_attached_ && can_delete);
  menu.EnableItem(ID_MENU_UNDO, board_attached_ && can_undo);
  menu.EnableItem(ID_MENU_REDO, board_attached_ && can_redo);
  static const struct {
    int tool;
    UINT item;
  } kToolItems[] = {{kToolRectangle, ID_MENU_RECTANGLE}, {kToolEllipse, ID_MENU_ELLIPSE},
                    {kToolArrow, ID_MENU_ARROW},         {kToolBrush, ID_MENU_BRUSH},
                    {kToolText, ID_MENU_TEXT},           {kToolMosaic, ID_MENU_MOSAIC}};
  for (const auto& t : kToolItems)
    if (toolbar_.GetCurrentTool() == t.tool) menu.SetItemCheck(t.item, true);
  const UINT chosen = menu.TrackPopup(screen.x, screen.y);
  ::DestroyWindow(menu.hwnd());
  OnMenuCommand(chosen);
}

LRESULT CScreenSnapshotTool::OnHotKey(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  if (wParam == kHotKeyEsc) {
    // Esc leaves at any moment with nothing copied or saved; Finish reports the 0 as leave.
    ::PostQuitMessage(0);
    return 0;
  }
  if (wParam == kHotKeyDelete) {
    DeleteBoardTarget();
    return 0;
  }
  bHandled = FALSE;
  return 0;
}

void CScreenSnapshotTool::RegisterHotKeys() {
  if (!m_hWnd) return;
  // System-wide and without modifiers; a key another program holds simply does nothing here.
  ::RegisterHotKey(m_hWnd, kHotKeyEsc, 0, VK_ESCAPE);
  ::RegisterHotKey(m_hWnd, kHotKeyDelete, 0, VK_DELETE);
  hot_keys_ = true;
}

void CScreenSnapshotTool::ReleaseHotKeys() {
  if (hot_keys_ && m_hWnd) {
    ::UnregisterHotKey(m_hWnd, kHotKeyEsc);
    ::UnregisterHotKey(m_hWnd, kHotKeyDelete);
  }
  hot_keys_ = false;
}

void CScreenSnapshotTool::Leave() {
  outcome_ = kOutcomeLeave;
  ::PostQuitMessage(0);
}

void CScreenSnapshotTool::HideCaptureWindows() {
  HideToolBars();
  HideWindow(magnifier_);
  HideWindow(m_hWnd);
  HideWindow(backdrop_);
}

void CScreenSnapshotTool::FinishAndCopy() {
  ::PostQuitMessage(0);
  outcome_ = kOutcomeCopy;
  if (composed_) ::DeleteObject(composed_);
  composed_ = nullptr;
  if (overlay_.selection().IsEmpty() && highlighted_) {
    // The highlighted window as it is now. Only its part on the virtual screen: beyond it the
    // frozen picture has no pixels to copy.
    RECT now = {};
    if (::GetWindowRect(highlighted_, &now)) {
      const Rect r = Intersection(Rect{now.left - origin_.x, now.top - origin_.y,
                                       now.right - origin_.x, now.bottom - origin_.y},
                                  Rect{0, 0, cx_, cy_});
      if (!r.IsEmpty()) overlay_.ApplySelection(r, false);  // not presented: the run is ending
    }
  }
  HideCaptureWindows();
  // Nothing is drawn over the selection, so the frozen pixels are the final picture: the
  // clipboard block is packed straight from them (FinalPixels).
}

int CScreenSnapshotTool::Finish() {
  // 1, 2. Hot keys first: Esc and Delete go back to the other programs at once.
  ReleaseHotKeys();
  HideToolBars();
  DestroyWindows();
  clip_cx_ = clip_cy_ = 0;
  if (overlay_.selection().IsEmpty()) outcome_ = 0;
  if (outcome_ == kOutcomeSave && save_path_.empty()) outcome_ = 0;
  return outcome_ == 0 ? kOutcomeLeave : outcome_;
}
