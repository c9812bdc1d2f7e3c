// CScreenSnapshotTool: the commands of the tool bar, the context menu and the hot keys, and how
// a capture run ends.
#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/capture/bar_placement.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/ui/CContextToolMenu.h"

namespace {

void HideWindow(HWND w) {
  if (w && ::IsWindowVisible(w))
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

}  // namespace

void CScreenSnapshotTool::OnToolbarCommand(UINT id) {
  if (const ToolKind tool = ToolOfToolbarCommand(id)) {
    ChooseTool(tool, false);
  } else {
    switch (id) {
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
        Save();
        break;
      case ID_TOOLBAR_EXIT:
        Leave();
        break;
      default:
        break;
    }
  }
  // The button that was clicked drew its own release before the command ran; the bar as a
  // whole (the newly pressed tool, the old one released, undo's state) is drawn now.
  toolbar_.Paint();
}

void CScreenSnapshotTool::OnMenuCommand(UINT id) {
  if (const ToolKind tool = ToolOfMenuCommand(id)) {
    ChooseTool(tool, true);
    return;
  }
  switch (id) {
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
      Save();
      break;
    case ID_MENU_RESELECT:
      Reselect();
      break;
    case ID_MENU_TOOLBAR:
      ToggleToolBars();
      board_.Refresh();  // the object the menu was opened on is shown plainly again
      break;
    case ID_MENU_EXIT:
      Leave();
      break;
    default:
      board_.Refresh();  // dismissed (or redo, which has no item)
      break;
  }
}

void CScreenSnapshotTool::ToggleToolBars() {
  if (toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd())) {
    toolbar_.SetHiddenByUser(TRUE);
    HideToolBars();
  } else {
    toolbar_.SetHiddenByUser(FALSE);
    PlaceMainToolbar();
    // The current tool's style bar comes back with it, next to it.
    if (IsPenTool(toolbar_.GetCurrentTool())) {
      PlaceColorBar(BarPlacement::kStyleBar);
      ShowColorBar();
    } else if (toolbar_.GetCurrentTool() == kToolText) {
      PlaceStyleBar(text_bar_.hwnd(), BarPlacement::kStyleBar);
      ShowTextBar();
    }
  }
}

void CScreenSnapshotTool::PlaceMainToolbar() {
  const Rect sel = overlay_.selection();
  if (!toolbar_.hwnd() || sel.IsEmpty()) return;
  RECT bar = {};
  ::GetWindowRect(toolbar_.hwnd(), &bar);
  const Point at = MainToolbarPosition(Offset(sel, origin_.x, origin_.y), bar.right - bar.left,
                                       bar.bottom - bar.top, MonitorRectAtCursor());
  ::SetWindowPos(toolbar_.hwnd(), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (toolbar_.IsHiddenByUser()) return;
  toolbar_.Paint();
  ::SetWindowPos(toolbar_.hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScreenSnapshotTool::HideToolBars() {
  HideWindow(toolbar_.hwnd());
  HideWindow(color_bar_.hwnd());
  HideWindow(text_bar_.hwnd());
}

void CScreenSnapshotTool::RestoreStackingOrder() {
  // Each window raised to the top of the topmost band in turn, from the lowest up.
  for (HWND w : {m_hWnd, magnifier_.hwnd(), toolbar_.hwnd(), color_bar_.hwnd(), text_bar_.hwnd()})
    if (w) ::SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CScreenSnapshotTool::ShowContextMenu(POINT screen) {
  CContextToolMenu menu;
  if (!menu.Create()) return;
  menu.SetItemCheck(ID_MENU_TOOLBAR, toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd()));
  // Delete, undo and redo as the board says (a detached board says no to all three).
  menu.EnableItem(ID_MENU_DELETE, board_.CanDelete());
  menu.EnableItem(ID_MENU_UNDO, board_.CanUndo());
  menu.EnableItem(ID_MENU_REDO, board_.CanRedo());
  // The current tool's item is checked.
  if (const unsigned item = MenuCommandOfTool(toolbar_.GetCurrentTool()))
    menu.SetItemCheck(item, true);
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
  magnifier_.Hide();
  HideWindow(m_hWnd);
  HideWindow(backdrop_.hwnd());
}

void CScreenSnapshotTool::FinishAndCopy() {
  ::PostQuitMessage(0);
  outcome_ = kOutcomeCopy;
  composed_.Reset();
  if (overlay_.selection().IsEmpty() && highlighted_) {
    // The highlighted window as it is now. Only its part on the virtual screen: beyond it the
    // frozen picture has no pixels to copy.
    RECT now = {};
    if (::GetWindowRect(highlighted_, &now)) {
      const Rect r =
          Intersection(Offset(FromRECT(now), -origin_.x, -origin_.y), Rect{0, 0, cx_, cy_});
      if (!r.IsEmpty()) overlay_.ApplySelection(r, false);  // not presented: the run is ending
    }
  }
  HideCaptureWindows();
  // With drawings, the final picture is composed; without, it is the frozen pixels themselves
  // and the clipboard block is packed straight from them (FinalPixels), with no copy between.
  if (board_.HasLiveObjects()) composed_.Reset(ComposeImage());
}

int CScreenSnapshotTool::Finish() {
  // Hot keys first: Esc and Delete go back to the other programs at once.
  ReleaseHotKeys();
  HideToolBars();
  DestroyWindows();
  clip_cx_ = clip_cy_ = 0;
  if (overlay_.selection().IsEmpty()) outcome_ = 0;
  if (outcome_ == kOutcomeSave && save_path_.empty()) outcome_ = 0;
  return outcome_ == 0 ? kOutcomeLeave : outcome_;
}
