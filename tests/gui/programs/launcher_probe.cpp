// Looks at and drives a running launcher from outside, the way Windows and the shell would, for
// tests/gui/launcher_test.py. One command per run; exit code 0 means yes / done.
//
//   ready                       wait for the launcher's window and the end of its start-up
//   post MSG WPARAM LPARAM ...  post messages to the window, back to back
//   send MSG WPARAM LPARAM      send a message to the window (returns once it is handled)
//   click ID                    click the window's button ID (BM_CLICK)
//   held                        print the keys of F1 to F5 (codes) that another program holds
//   icon                        is the window's notification icon up?
//   shell-restarted             the shell forgets the icon and announces a new taskbar
//   menu                        wait for a pop-up menu to be shown, then close it
//   state                       print "visible left top right bottom" of the window
//   reg-get | reg-set DATA | reg-del   the machine-wide Run value "Lumetta.exe"
//   startup-dir                 print the Startup folder
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "launcher/window_protocol.h"

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"Lumetta.exe";

void Print(const std::wstring& text) {
  char out[4096];
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out,
                                    sizeof(out), nullptr, nullptr);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out, static_cast<DWORD>(n), &written, nullptr);
}

HWND WaitForWindow(const wchar_t* cls, bool visible, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND w = FindWindowW(cls, nullptr);
    if (w && (!visible || IsWindowVisible(w))) return w;
    if (GetTickCount() - start > timeout_ms) return nullptr;
    Sleep(50);
  }
}

bool SendWithin(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result;
  return SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

bool IconIsUp(HWND w) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = w;
  data.uID = launcher::kNotifyIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &data);  // changes nothing; fails for an unknown icon
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring cmd = argv[1];
  auto num = [&](int i) { return i < argc ? std::wcstol(argv[i], nullptr, 0) : 0; };

  if (cmd == L"held") {
    // A key some program holds as a hotkey cannot be registered again.
    std::wstring held;
    for (UINT key = VK_F1; key <= VK_F5; ++key) {
      if (RegisterHotKey(nullptr, 0xB000, 0, key))
        UnregisterHotKey(nullptr, 0xB000);
      else
        held += (held.empty() ? L"" : L" ") + std::to_wstring(key);
    }
    Print(held);
    return 0;
  }
  if (cmd == L"startup-dir") {
    wchar_t dir[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, dir)))
      return 1;
    Print(dir);
    return 0;
  }
  if (cmd == L"reg-get" || cmd == L"reg-set" || cmd == L"reg-del") {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
      return 2;
    LONG rc;
    if (cmd == L"reg-get") {
      wchar_t data[1024] = L"";
      DWORD type = 0, size = sizeof(data) - sizeof(wchar_t);
      rc = RegQueryValueExW(key, kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
      if (rc == ERROR_SUCCESS)
        Print((type == REG_SZ ? L"REG_SZ " : L"other ") + std::wstring(data));
    } else if (cmd == L"reg-set" && argc > 2) {
      rc = RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(argv[2]),
                          static_cast<DWORD>((wcslen(argv[2]) + 1) * sizeof(wchar_t)));
    } else {
      rc = RegDeleteValueW(key, kRunValue);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? 0 : 1;
  }

  HWND w = WaitForWindow(launcher::kWindowClass, false, cmd == L"ready" ? 20000 : 2000);
  if (!w) return 3;
  if (cmd == L"ready") return SendWithin(w, WM_NULL, 0, 0) ? 0 : 1;
  if (cmd == L"post") {
    for (int i = 2; i + 2 < argc; i += 3)
      if (!PostMessageW(w, static_cast<UINT>(num(i)), static_cast<WPARAM>(num(i + 1)),
                        static_cast<LPARAM>(num(i + 2))))
        return 1;
    return 0;
  }
  if (cmd == L"send")
    return SendWithin(w, static_cast<UINT>(num(2)), static_cast<WPARAM>(num(3)),
                      static_cast<LPARAM>(num(4)))
               ? 0
               : 1;
  if (cmd == L"click") {
    HWND button = GetDlgItem(w, static_cast<int>(num(2)));
    return button && SendWithin(button, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (cmd == L"icon") return IconIsUp(w) ? 0 : 1;
  if (cmd == L"shell-restarted") {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = w;
    data.uID = launcher::kNotifyIconId;
    if (!Shell_NotifyIconW(NIM_DELETE, &data) || IconIsUp(w)) return 1;
    return SendWithin(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
  }
  if (cmd == L"menu") {
    // "#32768" is the class of pop-up menu windows; the owner's WM_CANCELMODE ends the menu.
    if (!WaitForWindow(L"#32768", true, 10000)) return 1;
    SendWithin(w, WM_CANCELMODE, 0, 0);
    return 0;
  }
  if (cmd == L"state") {
    RECT r;
    GetWindowRect(w, &r);
    wchar_t text[128];
    swprintf(text, 128, L"%d %ld %ld %ld %ld", IsWindowVisible(w) ? 1 : 0, r.left, r.top, r.right,
             r.bottom);
    Print(text);
    return 0;
  }
  return 2;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int rc = argv ? Run(argc, argv) : 2;
  LocalFree(argv);
  return rc;
}
