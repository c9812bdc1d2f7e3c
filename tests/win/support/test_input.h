// Real mouse input for the tests of popups (SendInput, as a user gives it) and a message pump
// that runs the registered message filters before dispatching, as the engine's loop does. Every
// wait is for a condition and bounded: input helpers return once the windows of the thread have
// handled the input they caused (or after kInputTimeoutMs when none of them received it).
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

#include "screenshot/base/message_filter.h"

namespace testinput {

// The longest an input helper waits for its message to arrive.
constexpr DWORD kInputTimeoutMs = 1000;

// Handles one queued message the way the engine's loop does (filters first); false when the
// queue is empty. |seen| is called with every message before it is dispatched.
inline bool PumpOne(const std::function<void(const MSG&)>& seen = nullptr) {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (seen) seen(msg);
  MessageFilterList* filters = GetMessageFilterList();
  if (filters && filters->Run(&msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Handles what is queued until |done| holds (checked after every message and on every wake) or
// |timeout_ms| has passed; returns |done|'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    while (PumpOne())
      if (done()) return true;
    if (done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout_ms - spent, QS_ALLINPUT);
  }
}

// Handles everything queued for |ms| milliseconds. Only for showing that something does NOT
// happen; wait for what must happen with PumpUntil.
inline void PumpFiltered(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// Handles what is queued now, without waiting for more.
inline void Drain() {
  while (PumpOne()) {
  }
}

// Pumps until a message satisfying |match| has been handled (then drains what it left queued);
// false when none came within kInputTimeoutMs.
inline bool PumpUntilMessage(const std::function<bool(const MSG&)>& match) {
  bool handled = false;
  const DWORD start = GetTickCount();
  for (;;) {
    bool matched = false;
    while (PumpOne([&](const MSG& m) { matched = matched || match(m); })) {
      if (matched) {
        handled = true;
        break;
      }
    }
    if (handled) break;
    const DWORD spent = GetTickCount() - start;
    if (spent >= kInputTimeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kInputTimeoutMs - spent, QS_ALLINPUT);
  }
  Drain();
  return true;
}

// Whether |m| is one of |messages|.
inline bool IsOneOf(UINT m, std::initializer_list<UINT> messages) {
  for (UINT one : messages)
    if (m == one) return true;
  return false;
}

inline void SendMouse(DWORD flags, DWORD data = 0) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.mouseData = data;
  SendInput(1, &in, sizeof(in));
}

// Sends a button or wheel event and waits until a window of the thread has handled one of
// |messages| (a press may arrive as a double click).
inline bool SendMouseAndWait(DWORD flags, std::initializer_list<UINT> messages, DWORD data = 0) {
  Drain();
  SendMouse(flags, data);
  return PumpUntilMessage([&](const MSG& m) { return IsOneOf(m.message, messages); });
}

// Moves the pointer to the screen point and waits until the window under it (or the one holding
// the capture) has seen the move. A point over no window of the thread waits kInputTimeoutMs.
inline bool MoveTo(int x, int y) {
  Drain();
  POINT now;
  if (GetCursorPos(&now) && now.x == x && now.y == y) return true;  // no move to wait for
  SetCursorPos(x, y);
  return PumpUntilMessage([&](const MSG& m) {
    return IsOneOf(m.message, {WM_MOUSEMOVE, WM_NCMOUSEMOVE}) && m.pt.x == x && m.pt.y == y;
  });
}

inline bool PressAt(int x, int y) {
  MoveTo(x, y);
  return SendMouseAndWait(MOUSEEVENTF_LEFTDOWN,
                          {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK});
}

inline bool Release() {
  return SendMouseAndWait(MOUSEEVENTF_LEFTUP, {WM_LBUTTONUP, WM_NCLBUTTONUP});
}

inline bool ClickAt(int x, int y) {
  PressAt(x, y);
  return Release();
}

inline bool RightClickAt(int x, int y) {
  MoveTo(x, y);
  SendMouseAndWait(MOUSEEVENTF_RIGHTDOWN,
                   {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK});
  return SendMouseAndWait(MOUSEEVENTF_RIGHTUP, {WM_RBUTTONUP, WM_NCRBUTTONUP});
}

// One wheel turn of |delta| (120 a notch, positive away from the user) at the pointer.
inline bool Wheel(int delta) {
  return SendMouseAndWait(MOUSEEVENTF_WHEEL, {WM_MOUSEWHEEL}, static_cast<DWORD>(delta));
}

}  // namespace testinput
