// CFileDialog: the system's open or save dialog run from one OPENFILENAMEW, with its notifications
// handed to the object's message map.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "screenshot/base/CWindowBase.h"

class CFileDialog : public CWindowBase {
 public:
  // `open` chooses the open dialog (else the save dialog). `default_ext`, `file_name` and
  // `filter` may be null; `file_name` is copied into the object's name buffer (260 characters, or
  // longer when the name needs it). The flags are OFN_ values; DoModal adds its own.
  CFileDialog(BOOL open, const wchar_t* default_ext, const wchar_t* file_name, DWORD flags,
              const wchar_t* filter);
  ~CFileDialog() override;

  // Runs the dialog owned by `owner`: explorer style with the engine's hook, so that from the
  // first CDN_INITDONE on every message of the hook window reaches ProcessWindowMessage. The name
  // and title fields point at the object's own buffers unless the caller set them. Answers IDOK
  // (1) when the user confirmed, IDCANCEL (2) otherwise.
  INT_PTR DoModal(HWND owner);

  // The dialog's notifications (WM_NOTIFY with OFNOTIFYW) and other messages of the hook window;
  // the answer becomes the message's result. Nothing is handled here.
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD dwMsgMapID) override;

  // The structure the dialog runs from; callers may set fields before DoModal.
  OPENFILENAMEW& ofn() { return ofn_; }
  // The name the user confirmed: in the caller's buffer when one was set, else in the object's.
  std::wstring FilePath() const {
    return ofn_.lpstrFile ? std::wstring(ofn_.lpstrFile) : std::wstring(file_.data());
  }
  // The dialog window (the hook window's parent) once it exists, null before.
  HWND dialog() const { return dialog_; }

 protected:
  OPENFILENAMEW ofn_;

 private:
  static UINT_PTR CALLBACK HookProc(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);

  std::vector<wchar_t> file_;
  wchar_t title_[256] = {};
  BOOL open_;
  HWND dialog_ = nullptr;
};
