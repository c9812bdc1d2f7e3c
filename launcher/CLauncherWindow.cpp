// CLauncherWindow: the launcher's main window and its event handlers.
#include "launcher/CLauncherWindow.h"

#include <string>

#include "launcher/auto_start.h"
#include "launcher/embedded_data.h"
#include "launcher/engine_start.h"
#include "launcher/hotkey_setting.h"
#include "launcher/launcher_files.h"
#include "launcher/system_menu.h"
#include "launcher/window_protocol.h"

namespace launcher {
namespace {

const wchar_t kEngineFile[] = L"\\Snapshot.exe";
const wchar_t kIniFile[] = L"\\热键配置.ini";
const wchar_t kIniName[] = L"配置名";  // both the section and the key
const wchar_t kAutoStartName[] = L"Lumetta.exe";
const wchar_t kLauncherFile[] = L"\\Lumetta.exe";
const wchar_t kTip[] = L"截图";

// Operation codes of notification-icon events.
constexpr int kIconLeftClick = 1;
constexpr int kIconDoubleClick = 2;
constexpr int kIconMenu = 3;

int IconOperation(LPARAM lparam) {
  switch (LOWORD(lparam)) {
    case WM_LBUTTONUP:
      return kIconLeftClick;
    case WM_LBUTTONDBLCLK:
      return kIconDoubleClick;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return kIconMenu;
    default:
      return 0;
  }
}

// Dispatches whatever is queued now. A quit request met here is posted again, so the message
// loop still sees it.
void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

CLauncherWindow::~CLauncherWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool CLauncherWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Created hidden: the window lives behind its notification icon until the user opens it.
  return CreateWindowExW(0, kWindowClass, kWindowCaption,
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 50, 50, 263, 109,
                         nullptr, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK CLauncherWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<CLauncherWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CLauncherWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT CLauncherWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      StartUp();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      // The default handling sends WM_SIZE and WM_MOVE; minimising is noticed after it.
      const LRESULT result = DefWindowProcW(hwnd_, message, wparam, lparam);
      OnPositionChanged();
      return result;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_HOTKEY:
      OnHotkey(static_cast<int>(wparam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      break;
  }
  if (message == kNotifyMessage) {
    OnIconEvent(IconOperation(lparam));
    return 0;
  }
  if (taskbar_created_ && message == taskbar_created_) {
    if (tray_) tray_->Restore();
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void CLauncherWindow::CreateControls() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                  int id) {
    HWND control =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  };
  // The radio buttons sit in the group box; their places are given relative to it (8, 2).
  make(L"BUTTON", L"设置启动：", BS_GROUPBOX, 8, 2, 240, 70, kGroupBoxId);
  make(L"BUTTON", L"设置开机自启动：", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 8 + 5, 2 + 14,
       128, 24, kAutoStartOnId);
  make(L"BUTTON", L"取消开机自启动：", BS_AUTORADIOBUTTON, 8 + 6, 2 + 38, 127, 24, kAutoStartOffId);
  // The hotkey's target label: below the client area, never seen.
  make(L"STATIC", L"", WS_GROUP, 0, 216, 112, 16, kHotkeyLabelId);
}

void CLauncherWindow::StartUp() {
  run_directory_ = RunDirectory();
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  menu_.reset(CreateSystemMenu());
  tray_ = std::make_unique<CTrayIcon>(hwnd_, kNotifyIconId, kNotifyMessage);

  ShowWindow(hwnd_, SW_HIDE);
  // The engine is written once; whatever file of that name exists is the user's to keep.
  const std::wstring engine = run_directory_ + kEngineFile;
  if (!IsPlainFile(engine)) {
    const EmbeddedBytes image = EngineImage();
    WriteNewFile(engine, image.data, image.size);
  }
  ShowIcon();
  startup_key_code_ =
      KeyCodeFromText(ReadGbIniValue(run_directory_ + kIniFile, kIniName, kIniName));
  hotkey_id_ = hotkeys_.Register(hwnd_, 0, startup_key_code_);
}

void CLauncherWindow::ShowIcon() {
  const EmbeddedBytes icon = IconFile();
  tray_->Show(icon.data, icon.size, kTip);
}

void CLauncherWindow::OnIconEvent(int operation) {
  if (operation == kIconLeftClick) {
    ShowCentred();
    tray_->Remove();
  } else if (operation == kIconMenu && menu_) {
    // The menu only closes on a click elsewhere when its owner is the foreground window, and
    // the message posted after it lets the next click on the icon open it again.
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(hwnd_);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
  }
}

void CLauncherWindow::ShowCentred() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  GetWindowPlacement(hwnd_, &placement);
  RECT& normal = placement.rcNormalPosition;
  const int width = normal.right - normal.left, height = normal.bottom - normal.top;
  // The normal position is given relative to the work area (workspace coordinates); setting the
  // placement restores a minimised window and moves it in one step.
  normal.left = (work.right - work.left - width) / 2;
  normal.top = (work.bottom - work.top - height) / 2;
  normal.right = normal.left + width;
  normal.bottom = normal.top + height;
  placement.flags = 0;
  placement.showCmd = SW_SHOWNORMAL;
  SetWindowPlacement(hwnd_, &placement);
  SetForegroundWindow(hwnd_);
}

void CLauncherWindow::OnPositionChanged() {
  if (IsIconic(hwnd_) && IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_HIDE);
    ShowIcon();
  }
}

void CLauncherWindow::OnCommand(int id, int code) {
  if (id == kAutoStartOnId || id == kAutoStartOffId) {
    // Only a click that leaves the button selected counts.
    if (code != BN_CLICKED || IsDlgButtonChecked(hwnd_, id) != BST_CHECKED) return;
    if (id == kAutoStartOnId)
      AddAutoStart(kAutoStartName, run_directory_ + kLauncherFile);
    else
      RemoveAutoStart(kAutoStartName);
    return;
  }
  if (id == kOpenCommand) {
    OnIconEvent(kIconLeftClick);
  } else if (id == kCloseCommand) {
    DestroyWindow(hwnd_);
  } else if (IsHotkeyKey(id - kHotkeyCommandBase)) {
    ChangeHotkey(id - kHotkeyCommandBase);
  }
}

void CLauncherWindow::ChangeHotkey(int key_code) {
  const HWND window = hwnd_;
  CHotkeyRegistrar::Unregister(window, hotkey_id_);
  hotkey_id_ = 0;
  ProcessPendingMessages();
  // Another choice handled just now may hold a key of its own: this later one replaces it, as
  // it also writes the file last. A window closed meanwhile gets no new registration.
  CHotkeyRegistrar::Unregister(window, hotkey_id_);
  hotkey_id_ = IsWindow(window) ? hotkeys_.Register(window, 0, key_code) : 0;
  // Written whether or not the key could be registered: the choice holds at the next start.
  WriteGbIniValue(run_directory_ + kIniFile, kIniName, kIniName, std::to_string(key_code));
}

void CLauncherWindow::OnHotkey(int id) {
  if (id != 0 && id == hotkey_id_) RunProgram(run_directory_ + kEngineFile);
}

void CLauncherWindow::OnDestroy() {
  CHotkeyRegistrar::Unregister(hwnd_, hotkey_id_);
  hotkey_id_ = 0;
  tray_.reset();
  PostQuitMessage(0);
}

}  // namespace launcher
