// The engine's process-wide pieces: start-up helpers, the message loop and the capture run.
#pragma once

#include <windows.h>

#include <functional>

namespace engine {

// The engine's module, recorded at start-up.
HINSTANCE Instance();
void SetInstance(HINSTANCE instance);

// Set by the QXCreate switch: a successful copy then signals the notification event.
bool NotifyOnCopy();
void SetNotifyOnCopy(bool on);

// The single-instance marker: a named event every account may open, auto-reset, signalled. Null
// when another engine already holds it (or it cannot be made).
HANDLE CreateSnapshotSectionEvent();

// The install switch: starts the host's configuration program hidden, when the host is installed,
// and gives it 2000 ms.
void RunInstallAction();

// Activates the host input method's keyboard layout for this thread, when it is installed.
void ActivateHostKeyboardLayout();

// Hooks of one pass of the message loop.
struct LoopHooks {
  std::function<void(MSG*)> observe;       // sees every message first (the tooltip's relay)
  std::function<void()> after_mouse_move;  // after any WM_MOUSEMOVE of the thread is dispatched
};
// Runs the thread's message loop until WM_QUIT: observe, offer to the message filters, translate
// and dispatch unless a filter consumed it, then the after-mouse-move hook. Returns the quit code.
int RunMessageLoop(const LoopHooks& hooks);

// One capture run; returns 0.
int RunCapture(HINSTANCE instance);

}  // namespace engine
