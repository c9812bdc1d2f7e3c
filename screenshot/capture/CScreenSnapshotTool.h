// CScreenSnapshotTool: the capture window. Freezes the virtual screen, dims it with a layered
// overlay that takes all mouse input, highlights the window under the pointer, lets the user drag,
// move and resize a selection with a 4x magnifier, hands the selection to the annotation board
// at the first stroke of a drawing tool, shows the colour bar of the shape tools with each
// tool's remembered pen, and composes the final image.
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
#include "screenshot/board/CScrawlBoard.h"
#include "screenshot/capture/CBackdropWindow.h"
#include "screenshot/capture/CMagnifierWindow.h"
#include "screenshot/capture/overlay_pixels.h"
#include "screenshot/capture/selection_geometry.h"
#include "screenshot/capture/tool_styles.h"
#include "screenshot/capture/window_tree.h"
#include "screenshot/ui/CColorToolBar.h"
#include "screenshot/ui/CSnapshotToolbar.h"
#include "screenshot/ui/CTextToolBar.h"

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
  // The two system-wide hot keys of a capture.
  static constexpr int kHotKeyEsc = 1000;
  static constexpr int kHotKeyDelete = 1001;

  // The main tool bar, reporting its commands to the capture window.
  class CInternalToolBar : public CSnapshotToolbar {
   public:
    explicit CInternalToolBar(CScreenSnapshotTool* owner) : owner_(owner) {}
    void OnToolbarCommand(UINT id) override { owner_->OnToolbarCommand(id); }

   private:
    CScreenSnapshotTool* owner_;
  };

  // The colour and pen bar, reporting the chosen width and colour to the capture window, which
  // applies them to the board and the settings; it also tells when the bar was moved, so that
  // the other style bars follow it.
  class CInternalColorToolBar : public CColorToolBar {
   public:
    explicit CInternalColorToolBar(CScreenSnapshotTool* owner) : owner_(owner) {}
    // Each forwards to the capture window's handler of the same name.
    void OnPenWidthChanged(int width_index) override { owner_->OnPenWidthChanged(width_index); }
    void OnPenColorChanged(int color_index) override { owner_->OnPenColorChanged(color_index); }
    void OnDashStyleChanged(int dash_style) override { owner_->OnDashStyleChanged(dash_style); }
    // The bar's own message map, after reporting every completed move to OnStyleBarMoved.
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID) override;

   private:
    CScreenSnapshotTool* owner_;
  };

  // The text bar, reporting the chosen colour, face, size, bold and italic to the capture window,
  // which applies them to the board and the settings; its moves take the other style bars along.
  class CInternalTextToolBar : public CTextToolBar {
   public:
    explicit CInternalTextToolBar(CScreenSnapshotTool* owner) : owner_(owner) {}
    // Each forwards to the capture window's handler of the same name.
    void OnTextColorChanged(int color_index) override { owner_->OnTextColorChanged(color_index); }
    void OnFontFaceChanged(const LOGFONTW& font) override { owner_->OnFontFaceChanged(font); }
    void OnFontHeightChanged(const LOGFONTW& font) override { owner_->OnFontHeightChanged(font); }
    void OnBoldChanged(const LOGFONTW& font) override { owner_->OnBoldChanged(font); }
    void OnItalicChanged(const LOGFONTW& font) override { owner_->OnItalicChanged(font); }
    // The bar's own message map, after reporting every completed move to OnStyleBarMoved.
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID) override;

   private:
    CScreenSnapshotTool* owner_;
  };

  // The annotation board, answering its notifications through the capture window.
  class CMyBoard : public CScrawlBoard {
   public:
    explicit CMyBoard(CScreenSnapshotTool* owner) : owner_(owner) {}
    // Presents the layers over the selection.
    void OnLayersChanged(HBITMAP background, HBITMAP overlay, HBITMAP hover) override;
    // Shows the caret at the board's origin plus `caret`.
    void OnCaretChanged(const RECT* caret, BOOL visible) override;
    // Undo or redo availability: the tool bar's buttons follow.
    void OnBoardEvent(int event) override;
    // The style bars follow the selected object's kind.
    void OnStyleTarget(int kind) override;
    // Runs the context menu at `screen`.
    void OnContextMenu(POINT screen) override;
    // Gives the Delete key to the text box while it is open.
    void OnTextEditing(BOOL active) override;
    ~CMyBoard() override;
    // Gives the Esc key to the input method while a composition is in progress.
    void OnComposing(BOOL active) override;

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
  // The selection's frozen pixels with the board's live objects drawn over them: a 32-bpp
  // top-down bitmap the caller owns, or null with no selection.
  HBITMAP ComposeImage();

  // Commands of the main tool bar (41001-41017) and of the context menu (40001-40017).
  void OnToolbarCommand(UINT id);
  void OnMenuCommand(UINT id);

  // The colour bar's notifications: the board's pen takes the change at once (the selected
  // shape too, in select mode, as one undo step); the tool it belongs to (the current one, or
  // the selected shape's kind) keeps it and the settings store records it.
  void OnPenWidthChanged(int width_index);
  void OnPenColorChanged(int color_index);
  void OnDashStyleChanged(int dash_style);
  // The text bar's notifications (CScreenSnapshotTool_text.cpp): the board's text (and the open
  // text box, as one undo step) takes the change at once and the settings store records it; the
  // colour only while the text tool (or a selected text) is what the bar shows.
  void OnTextColorChanged(int color_index);
  void OnFontFaceChanged(const LOGFONTW& font);
  void OnFontHeightChanged(const LOGFONTW& font);
  void OnBoldChanged(const LOGFONTW& font);
  void OnItalicChanged(const LOGFONTW& font);
  // A style bar moved (|moved| is its window, |pos| the new position): the other style bars go
  // to the same place, so that switching tools shows the next bar where the user left the last.
  void OnStyleBarMoved(HWND moved, const WINDOWPOS& pos);

  // Board presentation. Each layer is a 32-bpp top-down DIB section of the selection's size, or
  // null: the base copied into the overlay at the selection, the two upper layers blended over
  // it; presented.
  void OnLayersChanged(HBITMAP base, HBITMAP upper1, HBITMAP upper2);
  // The text caret (board coordinates) shown as contrast pixels until the next presentation;
  // only while the board is attached.
  void OnCaretChanged(const RECT* caret, bool light);
  // The board's notifications (see CMyBoard).
  void OnBoardEvent(int event);
  void OnStyleTarget(int kind);
  void OnTextEditing(bool active);
  void OnComposing(bool active);
  bool board_attached() const { return !board_.IsDetached(); }
  CScrawlBoard& board() { return board_; }
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
  const CColorToolBar& color_bar() const { return color_bar_; }
  CTextToolBar& text_bar() { return text_bar_; }
  // The text style the text tool keeps for this capture: its font and its palette colour.
  const LOGFONTW& text_font() const { return text_font_; }
  int text_color_index() const { return text_color_index_; }
  // The pen style a shape tool keeps for this capture (what the colour bar shows for it).
  const PenSlot& pen_style(int tool) const { return pen_styles_.Of(tool); }
  Point virtual_origin() const { return origin_; }
  HWND overlay_window() const { return m_hWnd; }
  HWND backdrop_window() const { return backdrop_.hwnd(); }
  HWND magnifier_window() const { return magnifier_.hwnd(); }

  BEGIN_MSG_MAP(CScreenSnapshotTool)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursorForFirstStroke)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnFirstStroke)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
  MESSAGE_HANDLER(WM_HOTKEY, OnHotKey)
  // Attached, the board takes the mouse inside the selection (and every left press).
  CHAIN_MSG_MAP_MEMBER(board_)
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

  // A drawing tool's first stroke (CScreenSnapshotTool_board.cpp): cursor 175 over the
  // selection, and a press inside it attaches the board and is left to it.
  LRESULT OnSetCursorForFirstStroke(UINT, WPARAM, LPARAM, BOOL& bHandled);
  LRESULT OnFirstStroke(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  bool WaitingForFirstStroke() const;
  LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
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

  // The steps of Create, in order: the virtual screen's size and frozen picture; the backdrop
  // showing it (and the desktop's window tree); the dimming overlay window (null on failure);
  // the overlay attached in the hunting state; the magnifier, the bars and the board's pictures.
  bool FreezeVirtualScreen();
  bool ShowBackdrop(HINSTANCE instance);
  HWND CreateOverlayWindow(HINSTANCE instance);
  void StartHunting(HWND overlay);
  void CreateToolWindows(HINSTANCE instance);
  bool CaptureDesktop();
  // The shape tools' pen slots from the settings store.
  void LoadToolStyles();
  // The text tool's font and colour from the settings store, given to the text bar and the
  // board (CScreenSnapshotTool_text.cpp).
  void LoadTextStyle();
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
  // The save command (CScreenSnapshotTool_save.cpp): the capture hides while the save dialog
  // asks for a path; OK ends the run with the composed image and the path, Cancel brings the
  // capture back as it was.
  void Save();
  // Puts the overlay and the visible bars on screen again; after a cancelled save once more a
  // moment after the windows were shown again (the timer's procedure).
  void PresentAll();
  static void CALLBACK OnSaveCancelledTimer(HWND overlay, UINT, UINT_PTR id, DWORD);
  // Tool choice and the colour bar (CScreenSnapshotTool_styles.cpp).
  void ChooseTool(int tool, bool from_menu);
  void ChoosePenTool(int tool, bool from_menu);
  // Puts a shape tool's pen into the colour bar (and repaints it) or into the board.
  void LoadColorBar(const PenSlot& slot);
  void LoadBoardPen(const PenSlot& slot);
  // Places the colour bar (or another style bar) next to the main tool bar, or by the context
  // menu's rule.
  void PlaceColorBar(BarPlacement placement);
  void PlaceStyleBar(HWND bar, BarPlacement placement);
  // The text tool and its bar (CScreenSnapshotTool_text.cpp): choosing it, the text style into
  // the bar (repainted) or into the board, and the bar shown.
  void ChooseTextTool(bool from_menu);
  void LoadTextBar();
  void LoadBoardText();
  void ShowTextBar();
  bool TextBarVisible() const;
  void ShowColorBar();
  bool ColorBarVisible() const;
  // A selection drag ended: while the colour bar has never been shown it is kept next to the
  // main tool bar, ready for the first tool.
  void KeepStyleBarPlaced();
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

  // The pen style of each shape tool (1 rectangle .. 4 brush), from the settings store; the
  // colour bar shows and changes them.
  PenStyleSlots pen_styles_;
  // Set until the colour bar is first shown: a selection drag then places it.
  bool style_bar_placement_pending_ = true;
  // Set while one style bar moves the others (each move reports itself again).
  bool moving_style_bars_ = false;
  // The text tool's style: the font the board and the text bar are given (weight 700 when bold)
  // and the palette index of its colour.
  LOGFONTW text_font_ = {};
  int text_color_index_ = 10;

  unsigned present_count_ = 0;
  Rect last_present_;
  Rect caret_shown_;  // where the screen shows the caret's contrast pixels, capture coordinates
  int outcome_ = 0;
  std::wstring save_path_;
  ScopedBitmap composed_;
  CInternalToolBar toolbar_{this};
  CInternalColorToolBar color_bar_{this};
  CInternalTextToolBar text_bar_{this};
  CMyBoard board_{this};
  HINSTANCE instance_ = nullptr;
};
