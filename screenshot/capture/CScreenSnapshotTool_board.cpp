// CScreenSnapshotTool: the annotation board in the capture window: its first stroke, its
// notifications, and undo, redo and delete.
#include <windowsx.h>

#include "resource.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/ImageSet.h"

namespace {

// The tools that wait for a first stroke inside the selection to start annotating.
bool IsDrawingTool(int tool) { return IsPenTool(tool) || tool == kToolText || tool == kToolMosaic; }

}  // namespace

// ---- CMyBoard ----------------------------------------------------------------------------------

void CScreenSnapshotTool::CMyBoard::OnLayersChanged(HBITMAP background, HBITMAP overlay,
                                                    HBITMAP hover) {
  owner_->OnLayersChanged(background, overlay, hover);
}

void CScreenSnapshotTool::CMyBoard::OnCaretChanged(const RECT* caret, BOOL visible) {
  owner_->OnCaretChanged(caret, visible != FALSE);
}

void CScreenSnapshotTool::CMyBoard::OnBoardEvent(int event) { owner_->OnBoardEvent(event); }

void CScreenSnapshotTool::CMyBoard::OnStyleTarget(int kind) { owner_->OnStyleTarget(kind); }

void CScreenSnapshotTool::CMyBoard::OnContextMenu(POINT screen) { owner_->ShowContextMenu(screen); }

void CScreenSnapshotTool::CMyBoard::OnTextEditing(BOOL active) {
  owner_->OnTextEditing(active != FALSE);
}

CScreenSnapshotTool::CMyBoard::~CMyBoard() = default;

void CScreenSnapshotTool::CMyBoard::OnComposing(BOOL active) {
  owner_->OnComposing(active != FALSE);
}

// ---- the first stroke --------------------------------------------------------------------------

bool CScreenSnapshotTool::WaitingForFirstStroke() const {
  return board_.IsDetached() && drag_mode_ == HitOutside &&
         IsDrawingTool(toolbar_.GetCurrentTool()) && !overlay_.selection().IsEmpty();
}

LRESULT CScreenSnapshotTool::OnSetCursorForFirstStroke(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  if (!WaitingForFirstStroke() || !overlay_.selection().Contains(CursorInCapture())) {
    bHandled = FALSE;
    return 0;
  }
  if (HCURSOR cursor = SharedImages().tool_cursor()) ::SetCursor(cursor);
  return TRUE;
}

LRESULT CScreenSnapshotTool::OnFirstStroke(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  // Never handled here: attached, the board takes this very press and starts the first object.
  bHandled = FALSE;
  const Point p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Rect sel = overlay_.selection();
  if (!WaitingForFirstStroke() || !sel.Contains(p)) return 0;
  // The tool keeps the style the colour bar shows: what the board draws this first shape with.
  const int tool = toolbar_.GetCurrentTool();
  if (IsPenTool(tool))
    pen_styles_.Store(tool, PenSlot{color_bar_.GetColorIndex(), color_bar_.GetWidthIndex(),
                                    color_bar_.GetDashStyle()});
  else if (tool == kToolText)
    text_color_index_ = text_bar_.GetColorIndex();
  if (!board_.Attach(sel.left, sel.top, sel.Width(), sel.Height(), m_hWnd, frozen_view_)) {
    diag::Log(diag::kLogError, L"Attach [board %dx%d] Failed", sel.Width(), sel.Height());
    return 0;  // the press goes on to the selection, as without a tool
  }
  board_.SetTool(tool);
  return 0;
}

LRESULT CScreenSnapshotTool::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  board_.Detach();
  bHandled = FALSE;
  return 0;
}

// ---- notifications -----------------------------------------------------------------------------

void CScreenSnapshotTool::OnBoardEvent(int event) {
  if (event == kBoardEventUndo)
    toolbar_.EnableCommand(ID_TOOLBAR_UNDO, board_.CanUndo());
  else if (event == kBoardEventRedo)
    toolbar_.EnableCommand(ID_TOOLBAR_REDO, board_.CanRedo());
  else
    return;
  toolbar_.Paint();
}

void CScreenSnapshotTool::OnTextEditing(bool active) {
  // While the text box is open the Delete key belongs to it.
  if (!hot_keys_ || !m_hWnd) return;
  if (active)
    ::UnregisterHotKey(m_hWnd, kHotKeyDelete);
  else
    ::RegisterHotKey(m_hWnd, kHotKeyDelete, 0, VK_DELETE);
}

void CScreenSnapshotTool::OnComposing(bool active) {
  // Esc during a composition cancels the half-typed word; as the capture's hot key it would end
  // the capture and lose every annotation. It is the capture's again once the composition ends.
  if (!hot_keys_ || !m_hWnd) return;
  if (active)
    ::UnregisterHotKey(m_hWnd, kHotKeyEsc);
  else
    ::RegisterHotKey(m_hWnd, kHotKeyEsc, 0, VK_ESCAPE);
}

// ---- commands ----------------------------------------------------------------------------------

void CScreenSnapshotTool::DeleteBoardTarget() {
  if (board_attached()) board_.Delete();
}

void CScreenSnapshotTool::Undo(bool redo) {
  if (!board_attached()) return;
  const bool could_undo = board_.CanUndo(), could_redo = board_.CanRedo();
  if (redo)
    board_.Redo();
  else
    board_.Undo();
  const bool can_undo = board_.CanUndo(), can_redo = board_.CanRedo();
  if (can_undo == could_undo && can_redo == could_redo) return;
  toolbar_.EnableCommand(ID_TOOLBAR_UNDO, can_undo);
  toolbar_.EnableCommand(ID_TOOLBAR_REDO, can_redo);
  toolbar_.Paint();
}
