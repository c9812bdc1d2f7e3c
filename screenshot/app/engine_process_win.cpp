// The engine's process-wide pieces: start-up helpers, the message loop and the capture run.
#include "screenshot/app/engine_process_win.h"

#include <shellapi.h>

#include <string>

#include "screenshot/base/message_filter.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/output/clipboard_output_win.h"
#include "screenshot/output/image_file_win.h"
#include "screenshot/output/settings_registry_win.h"
#include "screenshot/ui/CToolTipWindow.h"

namespace engine {
namespace {

HINSTANCE g_instance = nullptr;
bool g_notify_on_copy = false;

// The host input method's key, its configuration program and its keyboard layout.
const wchar_t kHostKey[] = L"Software\\Corvane\\CorvanePinyin";
const wchar_t kHostConfigProgram[] = L"\\Ravelcfg.exe";
const wchar_t kHostConfigParameters[] = L" --plugin-reload=screenshot  --Hotkey=A";
const wchar_t kHostLayoutText[] = L"Corvane IME";
const wchar_t kKeyboardLayoutsKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts";

}  // namespace

HINSTANCE Instance() { return g_instance; }
void SetInstance(HINSTANCE instance) { g_instance = instance; }
bool NotifyOnCopy() { return g_notify_on_copy; }
void SetNotifyOnCopy(bool on) { g_notify_on_copy = on; }

HANDLE CreateSnapshotSectionEvent() {
  // The name is the type identity of a marker type local to this function: it has always been
  // the engines' common name, so an engine of any build keeps out every other.
  struct _ScreenSnapshotSectionName {};
  static const char kName[] =
      ".?AU_ScreenSnapshotSectionName@?1??CreateSnapshotSectionEvent@@YAPAXXZ@";

  SECURITY_DESCRIPTOR sd;
  ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  ::SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);  // present but null: anyone may open
  SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
  HANDLE event = ::CreateEventA(&sa, FALSE, TRUE, kName);
  if (event && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(event);
    return nullptr;
  }
  return event;
}

void RunInstallAction() {
  std::wstring host_path;
  RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kHostKey, KEY_READ | KEY_WOW64_32KEY))
    key.ReadString(L"exePath", &host_path);
  if (host_path.empty()) return;
  const std::wstring program = host_path + kHostConfigProgram;
  ::ShellExecuteW(nullptr, L"open", program.c_str(), kHostConfigParameters, host_path.c_str(),
                  SW_HIDE);
  ::Sleep(2000);
}

void ActivateHostKeyboardLayout() {
  RegistryKey layouts;
  if (!layouts.Open(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, KEY_READ)) return;
  // Index 0 is never the host's layout (the system lists its own first).
  for (DWORD index = 1;; ++index) {
    wchar_t name[256];
    DWORD name_len = 256;
    const LONG rc =
        ::RegEnumKeyExW(layouts.get(), index, name, &name_len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return;
    RegistryKey layout;
    std::wstring text;
    if (!layout.Open(layouts.get(), name, KEY_READ) || !layout.ReadString(L"Layout Text", &text))
      continue;
    if (::lstrcmpiW(text.c_str(), kHostLayoutText) == 0) {
      if (HKL hkl = ::LoadKeyboardLayoutW(name, KLF_REORDER)) ::ActivateKeyboardLayout(hkl, 0);
      return;
    }
  }
}

int RunMessageLoop(const LoopHooks& hooks) {
  MSG msg;
  for (;;) {
    // GetMessage removes the next message and waits while the queue is empty.
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (hooks.observe) hooks.observe(&msg);
    MessageFilterList* filters = GetMessageFilterList();
    const bool consumed = filters && filters->Run(&msg);
    if (!consumed) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (msg.message == WM_MOUSEMOVE && hooks.after_mouse_move) hooks.after_mouse_move();
  }
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

int RunCapture(HINSTANCE instance) {
  ActivateHostKeyboardLayout();
  auto* tool = new CScreenSnapshotTool;
  if (!tool->Create(instance)) {
    tool->Finish();
    tool->Release();
    return 0;
  }
  LoopHooks hooks;
  hooks.observe = [](MSG* msg) {
    if (CToolTipWindow* tip = GetToolTipWindow()) tip->RelayEvent(msg);
  };
  hooks.after_mouse_move = [tool] { tool->UpdateMagnifier(); };
  RunMessageLoop(hooks);
  switch (tool->Finish()) {
    case CScreenSnapshotTool::kOutcomeCopy: {
      // A hidden window of our own owns the clipboard content until someone else takes it.
      HWND owner = ::CreateWindowExW(
          WS_EX_TOOLWINDOW, L"static", nullptr,
          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0,
          0, 0, 0, nullptr, nullptr, instance, nullptr);
      CopyToClipboard(tool->FinalPixels(), owner, NotifyOnCopy());
      if (owner) ::DestroyWindow(owner);
      break;
    }
    case CScreenSnapshotTool::kOutcomeSave:
      // The windows are gone; the file is written from the image composed at the command.
      Encode(tool->GetComposedImage(), tool->GetSavePath());
      break;
    default:
      break;  // leave: nothing
  }
  tool->Release();
  return 0;
}

}  // namespace engine
