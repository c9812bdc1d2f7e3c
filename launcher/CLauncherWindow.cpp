// CLauncherWindow: the launcher's main window and its event handlers.
#include "launcher/CLauncherWindow.h"

#include <string>

#include "launcher/auto_start_win.h"
#include "launcher/embedded_data.h"
#include "launcher/engine_start_win.h"
#include "launcher/hotkey_setting.h"
#include "launcher/launcher_files_win.h"
#include "launcher/system_menu_win.h"
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
  if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CLauncherWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Created hidden: the window lives behind its notification icon until the user opens it.
  HWND window = CreateWindowExW(0, kWindowClass, kWindowCaption,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 50, 50,
                                263, 109, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  Attach(window);
  CreateControls();
  StartUp();
  return true;
}

LRESULT CLauncherWindow::OnWindowPosChanged(UINT message, WPARAM wparam, LPARAM lparam, BOOL&) {
  // The default handling sends WM_SIZE and WM_MOVE; minimising is noticed after it.
  const LRESULT result = DefWindowProc(message, wparam, lparam);
  OnPositionChanged();
  return result;
}

LRESULT CLauncherWindow::OnIconMessage(UINT, WPARAM, LPARAM lparam, BOOL&) {
  OnIconEvent(IconOperation(lparam));
  return 0;
}

LRESULT CLauncherWindow::OnTaskbarCreated(UINT, WPARAM, LPARAM, BOOL& handled) {
  if (!taskbar_created_) {  // not known yet: the message is not this one
    handled = FALSE;
    return 0;
  }
  if (tray_) tray_->Restore();
  return 0;
}

void CLauncherWindow::CreateControls() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                  int id) {
    HWND control =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hWnd,
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
  tray_ = std::make_unique<CTrayIcon>(m_hWnd, kNotifyIconId, kNotifyMessage);

  ShowWindow(m_hWnd, SW_HIDE);
  // The engine is written once; whatever file of that name exists is the user's to keep.
  const std::wstring engine = run_directory_ + kEngineFile;
  if (!IsPlainFile(engine)) {
    const EmbeddedBytes image = EngineImage();
    WriteNewFile(engine, image.data, image.size);
  }
  ShowIcon();
  startup_key_code_ = KeyCodeFromText(ReadIniValue(run_directory_ + kIniFile, kIniName, kIniName));
  hotkey_id_ = hotkeys_.Register(m_hWnd, 0, startup_key_code_);
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
    SetForegroundWindow(m_hWnd);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
  }
}

void CLauncherWindow::ShowCentred() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  GetWindowPlacement(m_hWnd, &placement);
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
  SetWindowPlacement(m_hWnd, &placement);
  SetForegroundWindow(m_hWnd);
}

void CLauncherWindow::OnPositionChanged() {
  if (IsIconic(m_hWnd) && IsWindowVisible(m_hWnd)) {
    ShowWindow(m_hWnd, SW_HIDE);
    ShowIcon();
  }
}

void CLauncherWindow::OnCommand(int id, int code) {
  if (id == kAutoStartOnId || id == kAutoStartOffId) {
    // Only a click that leaves the button selected counts.
    if (code != BN_CLICKED || IsDlgButtonChecked(m_hWnd, id) != BST_CHECKED) return;
    if (id == kAutoStartOnId)
      AddAutoStart(kAutoStartName, run_directory_ + kLauncherFile);
    else
      RemoveAutoStart(kAutoStartName);
    return;
  }
  if (id == kOpenCommand) {
    OnIconEvent(kIconLeftClick);
  } else if (id == kCloseCommand) {
    DestroyWindow(m_hWnd);
  } else if (IsHotkeyKey(id - kHotkeyCommandBase)) {
    ChangeHotkey(id - kHotkeyCommandBase);
  }
}

void CLauncherWindow::ChangeHotkey(int key_code) {
  const HWND window = m_hWnd;
  CHotkeyRegistrar::Unregister(window, hotkey_id_);
  hotkey_id_ = 0;
  ProcessPendingMessages();
  // Another choice handled just now may hold a key of its own: this later one replaces it, as
  // it also writes the file last. A window closed meanwhile gets no new registration.
  CHotkeyRegistrar::Unregister(window, hotkey_id_);
  hotkey_id_ = IsWindow(window) ? hotkeys_.Register(window, 0, key_code) : 0;
  // Written whether or not the key could be registered: the choice holds at the next start.
  WriteIniValue(run_directory_ + kIniFile, kIniName, kIniName, std::to_string(key_code));
}

void CLauncherWindow::OnHotkey(int id) {
  if (id != 0 && id == hotkey_id_) RunProgram(run_directory_ + kEngineFile);
}

void CLauncherWindow::OnDestroy() {
  CHotkeyRegistrar::Unregister(m_hWnd, hotkey_id_);
  hotkey_id_ = 0;
  tray_.reset();
  PostQuitMessage(0);
}

}  // namespace launcher
