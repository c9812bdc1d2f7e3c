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
  // The text box being typed in gets the keyboard back.
  HWND focus = ::GetFocus();
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
  if (!path.empty()) {
    if (owner) ::DestroyWindow(owner);
    save_path_ = path;
    outcome_ = kOutcomeSave;
    ::PostQuitMessage(0);
    return;
  }
  RegisterHotKeys();
  // Shown again while the owner window still stands above everything: with nothing of ours on
  // the screen, the program the system activates when the dialog closes may come up on top of
  // the capture (another process raises its window when it gets round to it, seen under Wine).
  for (HWND w : shown)
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The system activates what lies under the owner now, one of the capture's own windows (the
  // backdrop; Wine may pick a bar). Activating the backdrop ourselves here lets Wine raise it
  // over the dim layer it owns a moment later.
  if (owner) ::DestroyWindow(owner);
  if (focus && ::IsWindowVisible(focus)) ::SetFocus(focus);
  RestoreStackingOrder();
  PresentAll();
  // A layered window hidden and shown again may come back empty where the window system
  // finishes showing it after our presentation (seen under Wine): once more a moment later.
  ::SetTimer(m_hWnd, kSaveCancelledTimer, 100, &OnSaveCancelledTimer);
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
