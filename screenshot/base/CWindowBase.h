// CWindowBase: a C++ object attached to a real Win32 window by subclassing.
//
// Every engine window (capture overlay, bars, lists, menu, tooltip, dialogs) is one. Attach stores
// the object in a window property and replaces the window procedure with a shared static one,
// which finds the object and calls its message map; what the map leaves unhandled goes to the
// procedure that was replaced. The object outlives its window: after WM_NCDESTROY has been fully
// dispatched (also when it arrives while another message of the window is still being handled)
// the handle is cleared and OnFinalMessage is called once.
#pragma once

#include <windows.h>

#include "screenshot/base/message_filter.h"

// Module handles the widgets load their resources from (dialog templates, strings, bitmaps).
// Every slot holds the engine's own module, recorded once at start-up.
struct ModuleRecord {
  HINSTANCE instance = nullptr;
  HINSTANCE resource_instance = nullptr;
};

class CWindowBase : public MessageFilter {
 public:
  CWindowBase();
  ~CWindowBase() override;
  CWindowBase(const CWindowBase&) = delete;
  CWindowBase& operator=(const CWindowBase&) = delete;

  // Filter slot: called with every queued message while this window is a registered filter.
  int FilterMessage(MSG* msg) override;
  // The message map (see message_map.h); non-zero when handled, with the result in lResult.
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD dwMsgMapID) = 0;
  // What the map leaves unhandled: the previous window procedure (0 for WM_NCDESTROY, which the
  // shared procedure passes on itself).
  virtual LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Called once, after the window is gone and every dispatch of it has returned.
  virtual void OnFinalMessage(HWND hWnd);

  // Subclasses an existing window. Returns TRUE.
  BOOL Attach(HWND hWnd);
  HWND hwnd() const { return m_hWnd; }

  // Records the engine's module for every widget; called once at start-up.
  static void SetModule(HINSTANCE instance);
  static const ModuleRecord& Module();
  // The object attached to a window, or null.
  static CWindowBase* FromHandle(HWND hWnd);

 protected:
  HWND m_hWnd = nullptr;
  const ModuleRecord* module_;

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  WNDPROC prev_proc_ = ::DefWindowProcW;
  BYTE final_message_pending_ = 0;
  BYTE in_dispatch_ = 0;
};
