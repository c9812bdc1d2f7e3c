// CContextToolMenu: the capture window's right-click menu.
#include "screenshot/ui/CContextToolMenu.h"

#include <windowsx.h>

#include <memory>
#include <type_traits>

#include "resource.h"
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/context_menu_layout.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/popup_placement.h"

namespace {

// The menu that is open (at most one in the process) and its mouse hook.
CContextToolMenu* volatile g_active_menu = nullptr;
HHOOK g_mouse_hook = nullptr;

// Average character width of the menu font.
constexpr int kMenuFontWidth = 6;

// The icon of each item that has one (two frames: normal and greyed).
struct ItemIcon {
  UINT id;
  ImageSet::Slot slot;
};
constexpr ItemIcon kItemIcons[] = {{ID_MENU_RECTANGLE, ImageSet::kIconRectangle},
                                   {ID_MENU_ELLIPSE, ImageSet::kIconEllipse},
                                   {ID_MENU_ARROW, ImageSet::kIconArrow},
                                   {ID_MENU_BRUSH, ImageSet::kIconBrush},
                                   {ID_MENU_MOSAIC, ImageSet::kIconMosaic},
                                   {ID_MENU_TEXT, ImageSet::kIconText},
                                   {ID_MENU_DELETE, ImageSet::kIconDelete},
                                   {ID_MENU_UNDO, ImageSet::kIconUndo},
                                   {ID_MENU_FINISH, ImageSet::kIconCheck},
                                   {ID_MENU_SAVE, ImageSet::kIconSave},
                                   {ID_MENU_EXIT, ImageSet::kIconExit}};

HBITMAP IconOf(UINT id) {
  for (const ItemIcon& icon : kItemIcons)
    if (icon.id == id) return SharedImages().bitmap(icon.slot);
  return nullptr;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

// The low-level hook must name a module that holds its code: the one this function is in (the
// engine itself), whatever module the resources come from.
HINSTANCE CodeModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&CodeModule), &module);
  return module;
}

// Presses that close the menu when they are meant for another window of the thread.
bool IsPressElsewhere(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// Input for other windows that the open menu swallows: keys and middle-button presses.
bool IsSwallowedElsewhere(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---- button manager ----------------------------------------------------------------------------

void CContextToolMenu::CBtnMgr::DrawButton(DRAWITEMSTRUCT* dis) {
  // The whole menu is repainted from the button states, so follow-up notices add nothing.
  if (dis->itemAction == 0 || !menu_.m_hWnd) return;
  RECT window;
  if (::GetWindowRect(menu_.m_hWnd, &window)) menu_.Paint({window.left, window.top});
}

void CContextToolMenu::CBtnMgr::OnButtonRemoved(InplaceButton*, LONG_PTR user_data) {
  delete reinterpret_cast<MenuItemRecord*>(user_data);
}

// ---- construction ------------------------------------------------------------------------------

CContextToolMenu::CContextToolMenu() {
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfHeight = -12;
  lf.lfWidth = 0;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  font_ = ::CreateFontIndirectW(&lf);
  if (!font_) {
    diag::Log(diag::kLogError, L"CreateFontIndirect Failed [%08X]", ::GetLastError());
    return;
  }
  // The menu asks for an average width of 6, which is the face's own width at 12 pixels (its
  // Chinese characters are twice that). A stand-in face whose average is wider (a font with
  // full-width averages, where the face is missing) would be squeezed to half width and become
  // unreadable, so it keeps its own width.
  TEXTMETRICW tm = {};
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc) {
    HGDIOBJ old = ::SelectObject(dc, font_);
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  if (tm.tmAveCharWidth > 0 && tm.tmAveCharWidth <= kMenuFontWidth) {
    lf.lfWidth = kMenuFontWidth;
    if (HFONT narrow = ::CreateFontIndirectW(&lf)) {
      ::DeleteObject(font_);
      font_ = narrow;
    }
  }
}

CContextToolMenu::~CContextToolMenu() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  // Normally already done on WM_DESTROY; frees the item records if the window did not go.
  items_.clear();
  btn_mgr_.RemoveAllButtons();
  if (font_) ::DeleteObject(font_);
}

bool CContextToolMenu::Create() {
  if (m_hWnd) return false;
  HWND hwnd =
      ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"static", nullptr,
                        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_->instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [menu] Failed [%08X]", ::GetLastError());
    return false;
  }
  Attach(hwnd);
  if (!BuildItems()) {
    ::DestroyWindow(hwnd);
    return false;
  }
  ::SetWindowPos(hwnd, nullptr, 0, 0, size_.cx, size_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

namespace {

// A menu loaded from the resources, destroyed with its owner.
struct MenuDeleter {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

}  // namespace

bool CContextToolMenu::BuildItems() {
  ScopedMenu menu(::LoadMenuW(module_->resource_instance, MAKEINTRESOURCEW(IDR_CONTEXT_MENU)));
  if (!menu) {
    diag::Log(diag::kLogError, L"LoadMenu [%u] Failed [%08X]", IDR_CONTEXT_MENU, ::GetLastError());
    return false;
  }
  HMENU popup = ::GetSubMenu(menu.get(), 0);
  if (!popup) return false;
  HBITMAP separator_image = SharedImages().bitmap(ImageSet::kMenuSeparator);
  std::vector<MenuItemMetrics> metrics;
  {
    ScopedWindowDC screen;
    ScopedSelectObject font(screen.get(), font_);
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) AddItem(popup, i, screen.get(), separator_image, &metrics);
  }
  const SIZE separator_size = BitmapSize(separator_image);
  const MenuLayout layout = LayoutContextMenu(metrics, separator_size.cy ? separator_size.cy : 2);
  for (size_t i = 0; i < items_.size(); ++i) {
    const Rect& r = layout.items[i];
    items_[i]->rect = {r.left, r.top, r.right, r.bottom};
    auto* record = reinterpret_cast<MenuItemRecord*>(items_[i]->user_data);
    record->text_x = layout.text_x;
    if (record->separator) btn_mgr_.EnableButton(items_[i], false);
  }
  size_ = {layout.width, layout.height};
  return true;
}

void CContextToolMenu::AddItem(HMENU popup, int index, HDC measure, HBITMAP separator_image,
                               std::vector<MenuItemMetrics>* metrics) {
  wchar_t text[256] = {};
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
  mii.dwTypeData = text;
  mii.cch = 255;
  if (!::GetMenuItemInfoW(popup, static_cast<UINT>(index), TRUE, &mii) || mii.hSubMenu) return;

  auto* record = new MenuItemRecord;
  MenuItemMetrics m;
  const bool separator = (mii.fType & MFT_SEPARATOR) != 0;
  InplaceButton* button = btn_mgr_.AddButton(0, 0, 0, 0, separator ? 0 : mii.wID);
  btn_mgr_.SetButtonData(button, reinterpret_cast<LONG_PTR>(record));
  items_.push_back(button);
  if (separator) {
    record->separator = 1;
    record->image = separator_image;
    m.separator = true;
  } else {
    record->text = text;
    record->image = IconOf(mii.wID);
    if (record->image) {
      const SIZE icon = BitmapSize(record->image);
      m.icon_width = icon.cx / 2;  // two frames side by side
      m.icon_height = icon.cy;
    }
    // Measured as lines, so the tool bar item's two alternatives count as two lines.
    RECT extent = {0, 0, 0, 0};
    if (measure) ::DrawTextW(measure, text, -1, &extent, DT_CALCRECT);
    m.text_width = extent.right - extent.left;
    m.text_height = extent.bottom - extent.top;
  }
  metrics->push_back(m);
}

// ---- items -------------------------------------------------------------------------------------

const InplaceButton* CContextToolMenu::FindItem(UINT id) const {
  return id ? btn_mgr_.FindButton(id) : nullptr;  // separators all have id 0
}

void CContextToolMenu::SetItemCheck(UINT id, bool checked) {
  if (InplaceButton* b = const_cast<InplaceButton*>(FindItem(id)))
    btn_mgr_.SetButtonCheck(b, checked);
}

void CContextToolMenu::EnableItem(UINT id, bool enable) {
  if (InplaceButton* b = const_cast<InplaceButton*>(FindItem(id))) btn_mgr_.EnableButton(b, enable);
}

bool CContextToolMenu::GetItemRect(UINT id, RECT* rect) const {
  const InplaceButton* b = FindItem(id);
  if (!b) return false;
  *rect = b->rect;
  return true;
}

std::wstring CContextToolMenu::GetItemText(UINT id) const {
  const InplaceButton* b = FindItem(id);
  if (!b) return std::wstring();
  const MenuItemLook look = ContextMenuItemLook(btn_mgr_.GetButtonState(b), b->id);
  size_t length = 0;
  const wchar_t* text = MenuItemText(Record(b)->text.c_str(), look.second_text, &length);
  return std::wstring(text, length);
}

// ---- painting ----------------------------------------------------------------------------------

bool CContextToolMenu::Compose(LayeredSurface& surface) const {
  if (size_.cx <= 0 || size_.cy <= 0 || !surface.Create(size_.cx, size_.cy)) return false;
  SurfaceDC dc(surface);
  if (!dc.get()) return false;
  const ImageSet& images = SharedImages();
  {
    BitmapSource panel(images.bitmap(ImageSet::kMenuPanel));
    if (panel.ok())
      DrawNineGrid(dc.get(), 0, 0, size_.cx, size_.cy, panel.dc(), 0, 0, kMenuMarginLeft,
                   kMenuMarginTop, kMenuMarginRight, kMenuMarginBottom, panel.width(),
                   panel.height());
  }
  BitmapSource highlight(images.bitmap(ImageSet::kMenuHighlight));
  const int frame_width = highlight.width() / 2;  // hover, checked

  for (const InplaceButton* b : items_) {
    const MenuItemRecord* record = Record(b);
    const RECT& r = b->rect;
    if (record->separator) {
      BitmapSource line(record->image);
      if (line.ok())
        ::AlphaBlend(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, line.dc(), 0, 0,
                     line.width(), line.height(), kPremultipliedBlend);
      continue;
    }
    const MenuItemLook look = ContextMenuItemLook(btn_mgr_.GetButtonState(b), b->id);
    if (look.frame != MenuItemLook::kNoFrame && highlight.ok())
      DrawNineGrid(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, highlight.dc(),
                   look.frame * frame_width, 0, 3, 3, 3, 3, frame_width, highlight.height());
    if (record->image) {
      BitmapSource icon(record->image);
      if (icon.ok()) {
        const int w = icon.width() / 2, h = icon.height();
        const Point at = MenuIconOrigin({r.left, r.top, r.right, r.bottom}, record->text_x, w, h);
        ::AlphaBlend(dc.get(), at.x, at.y, w, h, icon.dc(), look.icon_frame * w, 0, w, h,
                     kPremultipliedBlend);
      }
    }
    size_t length = 0;
    const wchar_t* text = MenuItemText(record->text.c_str(), look.second_text, &length);
    BlendText(dc.get(), record->text_x, r.top, r.right - record->text_x, r.bottom - r.top, font_,
              text, static_cast<int>(length), DT_VCENTER | DT_SINGLELINE, look.text_colour);
  }
  return true;
}

void CContextToolMenu::Paint(POINT at) {
  LayeredSurface surface;
  if (!m_hWnd || !Compose(surface)) return;
  if (!PresentLayeredAt(m_hWnd, surface, at))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [menu] Failed [%08X]", ::GetLastError());
}

void CContextToolMenu::Hide() {
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- running -----------------------------------------------------------------------------------

LRESULT CALLBACK CContextToolMenu::MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN)) {
    if (CContextToolMenu* menu = g_active_menu) {
      // Wakes the modal loop even when the press is for another program's window.
      if (menu->m_hWnd) ::PostMessageW(menu->m_hWnd, WM_PAINT, 0, 0);
      menu->cancel_ = 1;
    }
  }
  return ::CallNextHookEx(g_mouse_hook, code, wParam, lParam);
}

UINT CContextToolMenu::TrackPopup(int x, int y) {
  if (!m_hWnd) return 0;
  const Point at = PlaceContextMenu({x, y}, size_.cx, size_.cy, MonitorRectAt(Point{x, y}));
  // Parked off screen until the first picture is presented at the final place.
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 at.y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);

  if (::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_active_menu), this,
                                          nullptr) != nullptr)
    return 0;
  HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, &MouseHookProc, CodeModule(), 0);
  if (!hook)
    diag::Log(diag::kLogError, L"SetWindowsHookEx [mouse] Failed [%08X]", ::GetLastError());
  g_mouse_hook = hook;

  cancel_ = 0;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Paint({at.x, at.y});
  const UINT result = RunModalLoop();

  if (hook) ::UnhookWindowsHookEx(hook);
  g_mouse_hook = nullptr;
  ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&g_active_menu), nullptr);
  return result;
}

UINT CContextToolMenu::RunModalLoop() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  MSG msg;
  for (;;) {
    if (!m_hWnd) return 0;  // someone destroyed the menu under us
    while (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (cancel_) return 0;
      ::WaitMessage();
    }
    if (msg.message == WM_QUIT) return 0;  // left in the queue for the outer loop
    if (msg.hwnd != m_hWnd && IsPressElsewhere(msg.message)) {
      // The press stays in the queue: it reaches the window it was meant for.
      Hide();
      return 0;
    }
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) == -1) {
    }
    if (got == 0) {  // a quit that arrived meanwhile: put it back for the outer loop
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return 0;
    }
    if (msg.message == WM_HOTKEY) {
      if (HIWORD(msg.lParam) == VK_ESCAPE) return 0;
      continue;
    }
    if (msg.hwnd != m_hWnd) {
      if (IsSwallowedElsewhere(msg.message)) continue;
    } else {
      switch (msg.message) {
        case WM_LBUTTONDOWN: {
          cancel_ = 0;
          const POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
          const InplaceButton* b = btn_mgr_.HitTest(pt);
          if (b && !Record(b)->separator && !(b->style & WS_DISABLED)) return b->id;
          continue;  // a separator, a disabled item or the margin: the menu stays
        }
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
          cancel_ = 0;
          continue;
        default:
          break;
      }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// ---- messages ----------------------------------------------------------------------------------

LRESULT CContextToolMenu::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }

LRESULT CContextToolMenu::OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }

LRESULT CContextToolMenu::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  items_.clear();
  btn_mgr_.RemoveAllButtons();  // frees the item records
  bHandled = FALSE;
  return 0;
}
