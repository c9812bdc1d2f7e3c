// CFileDialog: runs the system's file dialog and attaches the object to its hook window.
#include "screenshot/output/CFileDialog.h"

#include <algorithm>
#include <cwchar>

namespace {

// The structure's size as the running system knows it: the long form from Windows 2000 on.
DWORD OpenFileNameSize() {
  const DWORD version = ::GetVersion();
  return LOBYTE(LOWORD(version)) >= 5 ? sizeof(OPENFILENAMEW) : OPENFILENAME_SIZE_VERSION_400W;
}

}  // namespace

CFileDialog::CFileDialog(BOOL open, const wchar_t* default_ext, const wchar_t* file_name,
                         DWORD flags, const wchar_t* filter)
    : open_(open) {
  const size_t name_length = file_name ? std::wcslen(file_name) : 0;
  file_.assign(std::max<size_t>(MAX_PATH, name_length + 1), L'\0');
  if (file_name) std::copy(file_name, file_name + name_length, file_.begin());
  ofn_ = {};
  ofn_.lStructSize = OpenFileNameSize();
  ofn_.lpstrDefExt = default_ext;
  ofn_.lpstrFilter = filter;
  ofn_.Flags = flags;
  ofn_.hInstance = Module().instance;
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal(HWND owner) {
  ofn_.hwndOwner = owner;
  ofn_.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn_.lpfnHook = &HookProc;
  ofn_.lCustData = reinterpret_cast<LPARAM>(this);
  // Our own buffers only where the caller gave none, and the caller's fields as they were after.
  const bool own_file = ofn_.lpstrFile == nullptr;
  const bool own_title = ofn_.lpstrFileTitle == nullptr;
  if (own_file) {
    ofn_.lpstrFile = file_.data();
    ofn_.nMaxFile = static_cast<DWORD>(file_.size());
  }
  if (own_title) {
    ofn_.lpstrFileTitle = title_;
    ofn_.nMaxFileTitle = static_cast<DWORD>(std::size(title_));
  }
  dialog_ = nullptr;
  const BOOL ok = open_ ? ::GetOpenFileNameW(&ofn_) : ::GetSaveFileNameW(&ofn_);
  if (own_file) {
    ofn_.lpstrFile = nullptr;
    ofn_.nMaxFile = 0;
  }
  if (own_title) {
    ofn_.lpstrFileTitle = nullptr;
    ofn_.nMaxFileTitle = 0;
  }
  return ok ? IDOK : IDCANCEL;
}

BOOL CFileDialog::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) {
  return FALSE;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (notify->hdr.code != CDN_INITDONE || !notify->lpOFN) return 0;
  auto* self = reinterpret_cast<CFileDialog*>(notify->lpOFN->lCustData);
  // Only the first CDN_INITDONE attaches; afterwards the object sees the window's messages first.
  if (!self || self->m_hWnd) return 0;
  self->dialog_ = ::GetParent(hook);
  self->Attach(hook);
  LRESULT result = 0;
  self->ProcessWindowMessage(hook, msg, wParam, lParam, result, 0);
  ::SetWindowLongPtrW(hook, DWLP_MSGRESULT, result);
  return static_cast<UINT_PTR>(result);
}
