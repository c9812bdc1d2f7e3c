// CColorToolBar: the colour and pen bar shown under the main tool bar while a shape tool is
// active.
//
// Three pen-width buttons, a box showing the current colour and the 16 swatches of the fixed
// palette, laid out by dialog template 301 (used as a pixel layout), on a rounded panel. The bar
// is a layered, topmost, non-activating pop-up owned by the capture window; it can be dragged by
// its background (never from the gaps between swatches), and reports a chosen width or colour
// through OnPenWidthChanged and OnPenColorChanged, which the owner overrides.
//
// Setters never repaint: the owner sets the colour, width and dash style and then calls Paint.
// The owner also positions, shows and hides the window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/ui/BarDrag.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/color_bar_logic.h"
#include "screenshot/ui/floating_bar_win.h"

class LayeredSurface;

class CColorToolBar : public CWindowBase {
 public:
  // The bar's buttons; every repaint request, full or follow-up, repaints the whole bar.
  using CBtnMgr = floatingbar::RepaintingButtons<CColorToolBar>;

  CColorToolBar();
  // Destroys the window if the owner has not done so, so that no message (and no pass of the
  // message loop's filters) reaches a dead object.
  ~CColorToolBar() override;

  // Builds the hidden bar window (owned by |owner|) from layout 301 with its 16 swatches and 3
  // width buttons, moves it to the screen point (x, y) on top of the topmost windows and
  // registers it with the message loop's filters. FALSE when the window cannot be made or the
  // bar already has one.
  BOOL Create(int x, int y, HWND owner);
  // Shows or hides the window where it is, without activating or restacking it.
  void Show();
  void Hide();

  // The chosen swatch (0..15); an index outside the palette is ignored. Returns the previous.
  int SetColorIndex(int index);
  int GetColorIndex() const { return color_index_; }
  // The chosen pen width (0..2, that is 2, 5 or 8 pixels); others are ignored. Returns the
  // previous.
  int SetWidthIndex(int index);
  int GetWidthIndex() const { return width_index_; }
  // The dash style, kept for the owner (no control of the bar changes it). Returns the previous.
  int SetDashStyle(int style);
  int GetDashStyle() const { return dash_style_; }

  // The palette: the COLORREF of an index (0xFFFFFFFF outside 0..15), the first index of a
  // colour (0 when it is none of them), and black or white to stand out against a colour.
  static uint32_t ColorOf(int index);
  static int IndexOf(uint32_t colorref);
  static uint32_t ContrastOf(uint32_t colorref);

  // Composes the whole bar and presents it on the window.
  void Paint();
  // What Paint presents: the bar composed into a new 32-bit surface of the window's size.
  // False when there is no window or the surface cannot be made.
  bool Compose(LayeredSurface& surface) const;

  // Where a screen point lies: on a control, on the drag handle, or off the bar.
  colorbar::PointClass Classify(POINT screen) const;

  // Never consumes a message: the bar's window handles its own input.
  int FilterMessage(MSG* msg) override;

  // ---- notifications for the owner; the bar's own versions do nothing ----
  // A width button was clicked: the bar shows |width_index| already; the owner applies it.
  virtual void OnPenWidthChanged(int width_index);
  // A swatch was clicked: the bar shows |color_index| already; the owner applies it.
  virtual void OnPenColorChanged(int color_index);
  // The dash style changed. No control of the bar sends it; the slot is the owner's for a
  // dash-style choice made elsewhere.
  virtual void OnDashStyleChanged(int dash_style);

  bool dragging() const { return drag_.active(); }
  const CBtnMgr& button_manager() const { return btn_mgr_; }
  const RECT& current_color_rect() const { return current_color_rect_; }

  BEGIN_MSG_MAP(CColorToolBar)
  // While dragging: the moves, the release and a loss of the capture.
  CHAIN_MSG_MAP_MEMBER(drag_)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
  MESSAGE_HANDLER(WM_COMMAND, OnSwatchCommand)
  MESSAGE_HANDLER(WM_COMMAND, OnWidthCommand)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  // Reached only when the press was on no button.
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  END_MSG_MAP()

 private:
  LRESULT OnLButtonDblClk(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSwatchCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnWidthCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  // Loads the panel, frame and dot pictures (the first call only; the module is known by then).
  void LoadBitmaps();
  void AddButtons();
  // Painting step (CColorToolBar_paint.cpp); false when a blend failed.
  bool BlendWidthButtons(HDC dc) const;

  int color_index_ = 0;
  int width_index_ = 0;
  int dash_style_ = 0;
  CBtnMgr btn_mgr_;
  // Null before Create and after the window is gone; the manager owns the records.
  InplaceButton* swatches_[colorbar::kSwatchCount] = {};
  InplaceButton* widths_[colorbar::kWidthCount] = {};
  RECT current_color_rect_ = {};
  // The bar's own pictures: 1030 panel, 1031 width-button frames (hover, pressed), 1032..1034
  // the width dots.
  ScopedBitmap panel_, width_frames_, dots_[colorbar::kWidthCount];
  bool bitmaps_loaded_ = false;
  BarDrag drag_;
};
