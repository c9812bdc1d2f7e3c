// Real mouse input at absolute screen points for the tests of the bars, and their windows' screen
// rectangles. Each input is given time to arrive (a short pump of the thread's windows).
#pragma once

#include <windows.h>

#include "win/support/test_pictures.h"

namespace testmouse {

// Sends one mouse event through SendInput (a move goes to the screen point |x|, |y|), then lets
// the thread's windows handle it.
inline void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  }
  SendInput(1, &in, sizeof(in));
  testpictures::Pump(60);
}
inline void MoveTo(int x, int y) { SendMouse(MOUSEEVENTF_MOVE, x, y); }
inline void Press() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
inline void Release() { SendMouse(MOUSEEVENTF_LEFTUP); }

// |h|'s window rectangle in screen coordinates.
inline RECT WindowRect(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  return r;
}

}  // namespace testmouse
