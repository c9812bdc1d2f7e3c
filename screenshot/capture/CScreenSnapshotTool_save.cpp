// CScreenSnapshotTool: the save command, which hides the capture while the save dialog runs.
#include <windows.h>

#include <vector>

#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/CSnapshotFileDialog.h"
#include "screenshot/output/SettingsStore.h"

namespace {

constexpr UINT_PTR kSaveCancelledTimer = 0x5A7E;

// The local system account has no desktop to show a dialog on.
bool RunsAsSystemAccount() {
  wchar_t name[257] = {};
  DWORD size = 257;
  return ::GetUserNameW(name, &size) && ::lstrcmpiW(name, L"SYSTEM") == 0;
}

}  // namespace

void CScreenSnapshotTool::Save() {
  if (RunsAsSystemAccount()) return;
  composed_.Reset();
  if (overlay_.selection().IsEmpty()) return;
  // Composed before anything is hidden: without a picture to write (no memory for it) the
  // capture stays as it is rather than ending with nothing saved.
  composed_.Reset(ComposeImage());
  if (!composed_) return;

  // What is shown now comes back as it was when the user cancels, from the bottom up: a window
  // shown again may land above its siblings on some systems (Wine) until it is restacked.
  std::vector<HWND> shown;
  for (HWND w : {backdrop_.hwnd(), m_hWnd, magnifier_.hwnd(), color_bar_.hwnd(), text_bar_.hwnd(),
                 toolbar_.hwnd()})
    if (w && ::IsWindowVisible(w)) shown.push_back(w);
  HideCaptureWindows();
  save_path_.clear();

  // A window of our own, above everything, so that the dialog is not lost behind other programs.
  HWND owner =
      ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"static", nullptr,
                        WS_VISIBLE | WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
  if (owner)
    ::SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Esc and Delete belong to the dialog (and to every other program) while it is open.
  ReleaseHotKeys();
  const std::wstring path = CSnapshotFileDialog::AskSavePath(owner, SettingsStore::Instance());
  // Gone before the capture comes back: whatever the system activates in its place then lies
  // under the capture's windows once they are restacked.
  if (owner) ::DestroyWindow(owner);
  if (!path.empty()) {
    save_path_ = path;
    outcome_ = kOutcomeSave;
    ::PostQuitMessage(0);
  } else {
    RegisterHotKeys();
    for (HWND w : shown)
      ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PresentAll();
    RestoreStackingOrder();
    // A layered window hidden and shown again may come back empty where the window system
    // finishes showing it after our presentation (seen under Wine): once more a moment later.
    ::SetTimer(m_hWnd, kSaveCancelledTimer, 100, &OnSaveCancelledTimer);
  }
}

void CScreenSnapshotTool::PresentAll() {
  Present();
  if (toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd())) toolbar_.Paint();
  if (color_bar_.hwnd() && ::IsWindowVisible(color_bar_.hwnd())) color_bar_.Paint();
  if (text_bar_.hwnd() && ::IsWindowVisible(text_bar_.hwnd())) text_bar_.Paint();
}

void CALLBACK CScreenSnapshotTool::OnSaveCancelledTimer(HWND overlay, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(overlay, id);
  if (auto* self = static_cast<CScreenSnapshotTool*>(CWindowBase::FromHandle(overlay)))
    self->PresentAll();
}
