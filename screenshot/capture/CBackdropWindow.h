// CBackdropWindow: the window that shows the frozen desktop under the capture's overlay.
#pragma once

#include <windows.h>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"

// The backdrop: a topmost dialog (template 303) over the whole virtual screen, under the overlay.
// It paints the frozen picture and holds the keyboard focus, but the overlay does the work: keys,
// the cursor and clicks that reach the backdrop are handed on to the overlay.
class CBackdropWindow : public CWindowBase {
 public:
  // The picture painted from now on (its top-left corner at the window's); owned by the caller
  // and alive as long as the window. Painted straight from the one copy the capture keeps.
  void set_picture(HBITMAP picture) { picture_ = picture; }
  // Creates the dialog, attached and shown topmost over |screen| (screen coordinates) without
  // activating it. False when the dialog cannot be created.
  bool Create(HINSTANCE instance, const Rect& screen);
  // The window input is handed on to (null: none yet).
  void set_overlay(HWND overlay) { overlay_ = overlay; }

  BEGIN_MSG_MAP(CBackdropWindow)
  MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnButton)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnButton)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, OnButton)
  MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
  MESSAGE_HANDLER(WM_PAINT, OnPaint)
  END_MSG_MAP()

 private:
  LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled);
  LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL& bHandled);
  LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }
  // A press converted from the backdrop's client coordinates to the overlay's.
  LRESULT OnButton(UINT, WPARAM, LPARAM, BOOL& bHandled);
  LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }  // the paint covers all
  LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);

  HBITMAP picture_ = nullptr;
  HWND overlay_ = nullptr;
};
