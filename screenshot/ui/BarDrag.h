// BarDrag: moving a floating bar by its background with the mouse.
//
// The bar's window takes the mouse capture at the press; every move puts the window where it
// keeps its offset to the cursor (no size, stacking or activation change), kept on the monitor
// nearest the cursor; the release or a loss of the capture ends the drag. Every bar holds one and
// offers its messages to it first (CHAIN_MSG_MAP_MEMBER); the bar's own press handler starts the
// drag, for the presses that are on its drag handle.
#pragma once

#include <windows.h>

class BarDrag {
 public:
  // Starts dragging |window| from the screen point |cursor|: remembers both the cursor and the
  // window's rectangle, and takes the mouse capture.
  void Begin(HWND window, POINT cursor);
  // Moves |window| for the cursor at the screen point |cursor|; nothing unless dragging.
  void MoveTo(HWND window, POINT cursor) const;
  // The button went up: ends the drag, releasing the capture if |window| still holds it. False
  // when there was no drag (the message is someone else's).
  bool End(HWND window);
  // The capture went elsewhere: the drag ends where the bar is. False when there was no drag.
  bool Abandon();
  bool active() const { return active_; }

  // The drag's part of the bar's message map: while dragging, WM_MOUSEMOVE moves the window and
  // WM_LBUTTONUP ends the drag; WM_CAPTURECHANGED abandons it. Non-zero when the message was the
  // drag's (|lResult| is then 0); any other message, or these with no drag, is left to the bar.
  BOOL ProcessMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                      DWORD dwMsgMapID);

 private:
  bool active_ = false;
  POINT origin_ = {};      // cursor (screen) when the drag started
  RECT window_rect_ = {};  // window rectangle (screen) when the drag started
};
