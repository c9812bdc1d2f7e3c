// CScreenSnapshotTool: the capture window. Freezes the virtual screen, dims it with a layered
// overlay that takes all mouse input, highlights the window under the pointer, lets the user drag,
// move and resize a selection with a 4x magnifier, and composes the final image.
//
// Capture coordinates are pixels from the virtual screen's top-left corner; the overlay window is
// presented at the virtual origin, so its client coordinates are capture coordinates.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/capture/CBackdropWindow.h"
#include "screenshot/capture/CMagnifierWindow.h"
#include "screenshot/capture/overlay_pixels.h"
#include "screenshot/capture/selection_geometry.h"
#include "screenshot/capture/window_tree.h"
#include "screenshot/ui/CSnapshotToolbar.h"

// The capture window's reference-counting face: the run function holds the one reference.
class ISnapshotUnknown {
 public:
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;  // never answers anything
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;  // deletes the object at zero

 protected:
  virtual ~ISnapshotUnknown() = default;
};

class CScreenSnapshotTool : public ISnapshotUnknown, public CWindowBase {
 public:
  // Outcomes of a run.
  static constexpr int kOutcomeCopy = 41010;
  static constexpr int kOutcomeSave = 41011;
  static constexpr int kOutcomeLeave = 41015;

  // The main tool bar, reporting its commands to the capture window.
  class CInternalToolBar : public CSnapshotToolbar {
   public:
    explicit CInternalToolBar(CScreenSnapshotTool* owner) : owner_(owner) {}
    void OnToolbarCommand(UINT id) override { owner_->OnToolbarCommand(id); }

   private:
    CScreenSnapshotTool* owner_;
  };

  CScreenSnapshotTool();

  HRESULT QueryInterface(REFIID iid, void** out) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // Captures the desktop and builds every window; false leaves nothing shown.
  bool Create(HINSTANCE instance);
  // Called after every mouse move of the thread: the window highlight and the magnifier.
  void UpdateMagnifier();
  // Ends the run: tears the windows down and answers the outcome.
  int Finish();
  // The selection's frozen pixels (with the annotations, once the board draws them): a 32-bpp
  // top-down bitmap the caller owns, or null with no selection.
  HBITMAP ComposeImage() const;

  // Commands of the main tool bar (41001-41017) and of the context menu (40001-40017).
  void OnToolbarCommand(UINT id);
  void OnMenuCommand(UINT id);

  // Board presentation. Each layer is a 32-bpp top-down DIB section of the selection's size, or
  // null: the base copied into the overlay at the selection, the two upper layers blended over
  // it; presented.
  void OnLayersChanged(HBITMAP base, HBITMAP upper1, HBITMAP upper2);
  // The text caret (board coordinates) shown as contrast pixels until the next presentation;
  // only while the board is attached.
  void OnCaretChanged(const RECT* caret, bool light);
  void set_board_attached(bool attached) { board_attached_ = attached; }
  // The overlay's shown pixels (capture coordinates), as last composed.
  PixelView overlay_pixels() const { return overlay_.shown(); }
  // How many times the overlay has been put on screen (whole or in part) since creation, and
  // the part the last time (capture coordinates).
  unsigned present_count() const { return present_count_; }
  Rect last_present() const { return last_present_; }

  const Rect& GetSelection() const { return overlay_.selection(); }
  // The image made by save; owned by the capture window.
  HBITMAP GetComposedImage() const { return composed_.get(); }
  // The final picture's pixels after finish or save: the composed image when one was made, else
  // the frozen pixels of the selection themselves (nothing drawn over them: no copy is needed to
  // put them on the clipboard). Empty with no selection. Valid while the capture window lives.
  PixelView FinalPixels() const;
  const std::wstring& GetSavePath() const { return save_path_; }
  int current_tool() const { return toolbar_.GetCurrentTool(); }
  const CSnapshotToolbar& main_toolbar() const { return toolbar_; }
  Point virtual_origin() const { return origin_; }
  HWND overlay_window() const { return m_hWnd; }
  HWND backdrop_window() const { return backdrop_.hwnd(); }
  HWND magnifier_window() const { return magnifier_.hwnd(); }

  BEGIN_MSG_MAP(CScreenSnapshotTool)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
  MESSAGE_HANDLER(WM_HOTKEY, OnHotKey)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRButtonDown)
  MESSAGE_HANDLER(WM_RBUTTONUP, OnRButtonUp)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
  END_MSG_MAP()

 private:
  ~CScreenSnapshotTool() override;

  LRESULT OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }
  LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }
  LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM, BOOL&) {
    FinishAndCopy();
    return 0;
  }
  LRESULT OnHotKey(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
  LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnRButtonDown(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
  LRESULT OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  // Ends a drag whose mouse capture was taken away: the selection stays as the last move left it.
  void AbandonDrag();

  bool CaptureDesktop();
  void TakeWindowTree();
  bool DecideCovered() const;
  bool CreateOverlayBuffer();
  void DestroyWindows();
  // Puts the overlay on screen: the whole of it, or only the dirty part.
  void Present();
  void PresentDirty(const Rect& dirty);
  void ApplyRect(const Rect& n, bool is_move);
  void Reselect();
  void Leave();
  // Finishing: copy ends the run with the composed selection (or the highlighted window).
  void FinishAndCopy();
  void ChooseTool(int tool, bool from_menu);
  void DeleteBoardTarget();
  void Undo(bool redo);
  void ToggleToolBars();
  // Puts the main tool bar under the selection and shows it, unless the user hid the bars.
  void PlaceMainToolbar();
  void HideToolBars();
  // From the top: tool bars, magnifier, overlay (over the backdrop).
  void RestoreStackingOrder();
  void ShowContextMenu(POINT screen);
  // Hides every capture window that is shown, without moving, activating or restacking it.
  void HideCaptureWindows();
  void RegisterHotKeys();
  void ReleaseHotKeys();
  void UpdateHighlight(Point pointer_capture);
  Point CursorInCapture() const;

  volatile LONG refs_ = 1;
  Point origin_;
  int cx_ = 0, cy_ = 0;
  int clip_cx_ = 0, clip_cy_ = 0;  // zeroed at teardown

  // The frozen desktop, never changed after the grab: painted by the backdrop, sampled by the
  // magnifier, composed into the final image.
  ScopedBitmap frozen_;
  PixelView frozen_view_;
  // The overlay's pixel store: a bottom-up section over an anonymous mapping, selected into a
  // memory DC for presenting (declared in the order they are made; freed in reverse).
  ScopedHandle overlay_mapping_;
  ScopedBitmap overlay_bitmap_;
  ScopedDC overlay_dc_;
  ScopedSelectObject overlay_selected_;
  OverlayPixels overlay_;

  CBackdropWindow backdrop_;
  CMagnifierWindow magnifier_;

  // Dragging.
  SelectionHit drag_mode_ = HitOutside;
  Rect drag_start_;
  Point press_point_, current_point_;
  bool not_moved_yet_ = false;
  bool started_from_empty_ = false;

  // Hunting.
  bool magnifier_on_ = true;
  bool detection_on_ = true;
  HWND highlighted_ = nullptr;
  Rect highlighted_rect_;  // capture coordinates, as recorded
  bool covered_ = false;
  WindowNode window_tree_;
  bool hot_keys_ = false;
  bool board_attached_ = false;

  unsigned present_count_ = 0;
  Rect last_present_;
  Rect caret_shown_;  // where the screen shows the caret's contrast pixels, capture coordinates
  int outcome_ = 0;
  std::wstring save_path_;
  ScopedBitmap composed_;
  CInternalToolBar toolbar_{this};
  HINSTANCE instance_ = nullptr;
};
