// CTrayIcon: the launcher's icon in the notification area, made from the bytes of an icon file.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace launcher {

// An icon of pixels × pixels made from icon-file bytes (the nearest image the file has, scaled);
// null when the bytes hold no usable image. The caller destroys it.
HICON CreateIconFromFileBytes(const unsigned char* file, std::size_t size, int pixels);

class CTrayIcon {
 public:
  // The icon belongs to owner and reports mouse events to it as callback_message, with the mouse
  // message in lParam.
  CTrayIcon(HWND owner, UINT id, UINT callback_message);
  ~CTrayIcon();  // takes the icon down
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Puts the icon up, or refreshes it when it is up. Returns whether the shell took it; it is
  // counted as up either way, so that Restore brings it back once the shell runs.
  bool Show(const unsigned char* file, std::size_t size, const wchar_t* tip);
  void Remove();
  // The shell (re)started and knows no icons: puts the icon up again if it should be up.
  void Restore();
  bool shown() const { return shown_; }

 private:
  bool Notify(DWORD action);

  HWND owner_;
  UINT id_, callback_message_;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool shown_ = false;
};

}  // namespace launcher
