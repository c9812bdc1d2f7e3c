// CMagnifierWindow: the layered 122 x 122 pop-up that follows the pointer with a 4x view of the
// frozen desktop, the size being chosen and the colour under the pointer.
#pragma once

#include <windows.h>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"

class CMagnifierWindow : public CWindowBase {
 public:
  CMagnifierWindow() = default;
  // Destroys the window and unregisters its class if the owner has not done so.
  ~CMagnifierWindow() override;

  // Registers the window class and creates the window, owned by |owner|, shown near the cursor.
  bool Create(HINSTANCE instance, HWND owner);
  // Destroys the window and unregisters its class.
  void Destroy();

  // Draws the picture for the pointer at |pointer| (capture coordinates) over |frozen| (the
  // whole capture, cx by cy) showing |width| x |height| as the size, and shows the window next to
  // the pointer on its monitor. |origin| is the virtual screen's top-left corner.
  void Show(const PixelView& frozen, Point origin, Point pointer, int width, int height);
  // Hides the window without moving, activating or restacking it.
  void Hide();

  BEGIN_MSG_MAP(CMagnifierWindow)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  END_MSG_MAP()

 private:
  LRESULT OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }

  HINSTANCE instance_ = nullptr;
  ATOM class_ = 0;
};
