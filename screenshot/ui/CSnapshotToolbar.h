// CSnapshotToolbar: the floating row of image buttons shown next to the selected region.
//
// Four shape tools, mosaic, text, undo, save, exit and finish, on a rounded panel. The bar is a
// layered, topmost, non-activating pop-up owned by the capture window; it paints itself
// completely from the shared images, shows the tooltip of the button under the pointer, can be
// dragged by its background (kept on the monitor under the cursor) and reports every click
// through OnToolbarCommand, which the owner overrides.
//
// Setters never repaint: the owner changes the current tool, the enabled or the checked state
// and then calls Paint. The owner also positions, shows and hides the window.
#pragma once

#include <windows.h>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/BarDrag.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/toolbar_logic.h"

class ImageSet;
class LayeredSurface;

class CSnapshotToolbar : public CWindowBase {
 public:
  // The bar's buttons; any repaint request repaints the whole bar, follow-up notices are ignored
  // (the bar paints every button from its state at paint time).
  class CToolBtnMgr : public CInplaceButtonManager {
   public:
    explicit CToolBtnMgr(CSnapshotToolbar* bar) : bar_(bar) {}
    void DrawButton(DRAWITEMSTRUCT* dis) override;

   private:
    CSnapshotToolbar* bar_;
  };

  CSnapshotToolbar();
  // Destroys the window if the owner has not done so, so that no message reaches a dead object.
  ~CSnapshotToolbar() override;

  // Creates the hidden bar window (owned by |owner|) with its ten buttons, undo disabled.
  // FALSE when the window cannot be created or the bar already has one.
  BOOL Create(HWND owner);

  // Enables or disables the button that sends |id|, if there is one (there is none for redo).
  void EnableCommand(UINT id, BOOL enable);
  // Sets the checked flag of the button that sends |id|: on = 0 clears it; of the tools
  // (41001 to 41006, 41017) only mosaic can be checked, the others end unchecked; any other
  // button takes |on| as given.
  void SetToolChecked(UINT id, BOOL on);
  // The current tool (1 rectangle, 2 ellipse, 3 arrow, 4 brush, 5 text, 9 mosaic draw their
  // button pressed; other values show no tool). Returns the previous value.
  int SetCurrentTool(int tool);
  int GetCurrentTool() const { return current_tool_; }
  // Kept for the owner (the user hid the tool bars from the context menu); the bar never reads it.
  void SetHiddenByUser(BOOL hidden) { hidden_by_user_ = hidden ? 1 : 0; }
  BOOL IsHiddenByUser() const { return hidden_by_user_; }

  // Composes the whole bar and presents it on the window.
  void Paint();
  // What Paint presents: the bar composed into a new 32-bit surface of the window's size.
  // False when there is no window or the surface cannot be made.
  bool Compose(LayeredSurface& surface) const;

  // Called with the id of every command the bar receives (a completed click on a button).
  virtual void OnToolbarCommand(UINT id);

  bool dragging() const { return drag_.active(); }
  const CToolBtnMgr& button_manager() const { return btn_mgr_; }

  BEGIN_MSG_MAP(CSnapshotToolbar)
  // While dragging: the moves, the release and a loss of the capture.
  CHAIN_MSG_MAP_MEMBER(drag_)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
  MESSAGE_HANDLER(WM_COMMAND, OnCommand)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_NCDESTROY, OnNcDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  // Reached only when the press was on no button.
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  END_MSG_MAP()

 private:
  LRESULT OnLButtonDblClk(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnNcDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  void ShowTooltipAt(POINT point);
  // Painting step: the buttons over the panel, from |images|; false when a blend failed.
  bool BlendButtons(HDC dc, const ImageSet& images) const;

  int current_tool_ = 0;
  CToolBtnMgr btn_mgr_;
  // Indexed by toolbar::Button; null before Create and after the window is gone.
  InplaceButton* buttons_[toolbar::kButtonCount] = {};
  BarDrag drag_;
  int hidden_by_user_ = 0;
};
