// CTrayIcon: the notification-area icon.
#include "launcher/CTrayIcon.h"

#include <shellapi.h>

#include "launcher/icon_file.h"

namespace launcher {

HICON CreateIconFromFileBytes(const unsigned char* file, std::size_t size, int pixels) {
  const auto image = PickIconImage(file, size, pixels);
  if (!image) return nullptr;
  // The image bytes of an icon file are what an icon resource holds.
  return CreateIconFromResourceEx(const_cast<BYTE*>(file + image->offset),
                                  static_cast<DWORD>(image->size), TRUE, 0x00030000, pixels, pixels,
                                  LR_DEFAULTCOLOR);
}

CTrayIcon::CTrayIcon(HWND owner, UINT id, UINT callback_message)
    : owner_(owner), id_(id), callback_message_(callback_message) {}

CTrayIcon::~CTrayIcon() {
  Remove();
  if (icon_) DestroyIcon(icon_);
}

bool CTrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = id_;
  if (action != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callback_message_;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, tip_.c_str(), ARRAYSIZE(data.szTip));
  }
  return Shell_NotifyIconW(action, &data) != FALSE;
}

bool CTrayIcon::Show(const unsigned char* file, std::size_t size, const wchar_t* tip) {
  if (!icon_) icon_ = CreateIconFromFileBytes(file, size, GetSystemMetrics(SM_CXSMICON));
  tip_ = tip;
  // An icon already up is refreshed; adding fails for it, and modifying fails for a new one.
  const bool ok =
      shown_ ? Notify(NIM_MODIFY) || Notify(NIM_ADD) : Notify(NIM_ADD) || Notify(NIM_MODIFY);
  shown_ = true;
  return ok;
}

void CTrayIcon::Remove() {
  if (!shown_) return;
  Notify(NIM_DELETE);
  shown_ = false;
}

void CTrayIcon::Restore() {
  if (shown_) Notify(NIM_ADD);
}

}  // namespace launcher
