// CScreenSnapshotTool: creation, teardown and presentation of the capture window.
#include "screenshot/capture/CScreenSnapshotTool.h"

#include <versionhelpers.h>

#include <cstring>

#include "screenshot/capture/board_layers.h"
#include "screenshot/capture/contrast_pixel.h"
#include "screenshot/capture/top_down_dib.h"
#include "screenshot/diagnostics/debug_log.h"
#include "screenshot/diagnostics/startup_timeline.h"
#include "screenshot/ui/CreateFromTemplate.h"
#include "screenshot/ui/layered_paint.h"

namespace {

const wchar_t kFreezeClass[] = L"cv_screen_snapshot_30E90733-438F-423b-AA0D-1B9F244415DE";
const wchar_t kMagnifierClass[] = L"cv_screen_snapshot_64A7509A-4E98-4b5f-9BE9-7312A51A3C1A";
const UINT kBackdropTemplate = 303;

CScreenSnapshotTool* g_current = nullptr;

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Copies the part `area` of `picture` to the same place of `dc` (window and picture share their
// top-left corner).
void PaintPicture(HDC dc, HBITMAP picture, const RECT& area) {
  HDC mem = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(mem, picture);
  ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, area.left,
           area.top, SRCCOPY);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
}

// The freeze window's painting: the frozen picture, straight from the one copy the capture keeps.
class CFrozenPicture : public CWindowBase {
 public:
  explicit CFrozenPicture(HBITMAP picture) : picture_(picture) {}

  BEGIN_MSG_MAP(CFrozenPicture)
  MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
  MESSAGE_HANDLER(WM_PAINT, OnPaint)
  END_MSG_MAP()

 private:
  LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }  // the paint covers all
  LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    PaintPicture(dc, picture_, ps.rcPaint);
    ::EndPaint(m_hWnd, &ps);
    return 0;
  }

  HBITMAP picture_;
};

void WalkChildren(WindowNode* node) {
  for (HWND child = ::GetWindow(reinterpret_cast<HWND>(node->window), GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    WindowNode n;
    n.window = reinterpret_cast<uintptr_t>(child);
    RECT rc = {};
    ::GetWindowRect(child, &rc);
    n.rect = FromRECT(rc);
    WalkChildren(&n);
    node->children.push_back(std::move(n));
  }
}

}  // namespace

HBITMAP CreateTopDownDib(int width, int height, PixelView* view, HANDLE section) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, section, 0);
  if (bmp && view) *view = PixelView{static_cast<uint32_t*>(bits), width, width, height};
  return bmp;
}

bool ViewOfTopDownDib(HBITMAP bitmap, PixelView* view) {
  DIBSECTION ds = {};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 ||
      !ds.dsBm.bmBits)
    return false;
  const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
  *view = PixelView{static_cast<uint32_t*>(ds.dsBm.bmBits), w, w, h};
  return true;
}

CScreenSnapshotTool* CScreenSnapshotTool::Current() { return g_current; }

CScreenSnapshotTool::CScreenSnapshotTool() { g_current = this; }

CScreenSnapshotTool::~CScreenSnapshotTool() {
  DestroyWindows();
  if (overlay_dc_) {
    ::SelectObject(overlay_dc_, overlay_old_);
    ::DeleteDC(overlay_dc_);
  }
  if (overlay_bitmap_) ::DeleteObject(overlay_bitmap_);
  if (overlay_mapping_) ::CloseHandle(overlay_mapping_);
  if (frozen_) ::DeleteObject(frozen_);
  if (composed_) ::DeleteObject(composed_);
  if (g_current == this) g_current = nullptr;
}

HRESULT CScreenSnapshotTool::QueryInterface(REFIID, void** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

ULONG CScreenSnapshotTool::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG CScreenSnapshotTool::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return left;
}

bool CScreenSnapshotTool::CaptureDesktop() {
  // One picture of the desktop serves everything: the freeze window and the backdrop paint it,
  // the magnifier samples it and the final image is composed from it. It is never written after
  // this copy, so no second copy is needed (at 7680x4320 each one is 133 MB).
  frozen_ = CreateTopDownDib(cx_, cy_, &frozen_view_);
  if (!frozen_) {
    diag::Log(diag::kLogError, L"CreateDIBSection [frozen %dx%d] Failed [%08X]", cx_, cy_,
              ::GetLastError());
    return false;
  }
  HDC screen = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(mem, frozen_);
  // CAPTUREBLT: layered windows (tooltips, translucent pop-ups) are part of what the user sees.
  const BOOL ok = ::BitBlt(mem, 0, 0, cx_, cy_, screen, origin_.x, origin_.y, SRCCOPY | CAPTUREBLT);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteDC(screen);
  if (!ok) {
    diag::Log(diag::kLogError, L"BitBlt [screen] Failed [%08X]", ::GetLastError());
    return false;
  }
  ::GdiFlush();
  return true;
}

bool CScreenSnapshotTool::DecideCovered() const {
  if (!::IsWindows8OrGreater()) return false;
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  HMONITOR monitor = ::MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi = {sizeof(mi)};
  if (!::GetMonitorInfoW(monitor, &mi)) return false;
  RECT r = mi.rcMonitor;
  ::InflateRect(&r, -30, -30);
  const POINT corners[] = {
      {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}, {r.left, r.top}};
  for (const POINT& p : corners) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(::WindowFromPoint(p), &pid);
    if (pid == ::GetCurrentProcessId()) return false;
  }
  return true;
}

void CScreenSnapshotTool::TakeWindowTree() {
  window_tree_ = WindowNode{};
  window_tree_.window = reinterpret_cast<uintptr_t>(::GetDesktopWindow());
  RECT rc = {};
  ::GetWindowRect(::GetDesktopWindow(), &rc);
  window_tree_.rect = FromRECT(rc);
  WalkChildren(&window_tree_);
}

bool CScreenSnapshotTool::CreateOverlayBuffer() {
  const size_t bytes = OverlayStoreBytes(cx_, cy_);
  if (!bytes) return false;
  overlay_mapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          static_cast<DWORD>(bytes), nullptr);
  if (!overlay_mapping_) {
    diag::Log(diag::kLogError, L"CreateFileMapping [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  // A bottom-up section (cx + 9) x (cy + 9) over the mapping; the view addresses it top-down.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx_ + 9;
  bi.bmiHeader.biHeight = cy_ + 9;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  overlay_bitmap_ = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, overlay_mapping_, 0);
  if (!overlay_bitmap_) {
    diag::Log(diag::kLogError, L"CreateDIBSection [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  overlay_dc_ = ::CreateCompatibleDC(nullptr);
  if (!overlay_dc_) {
    diag::Log(diag::kLogError, L"CreateCompatibleDC [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  overlay_old_ = ::SelectObject(overlay_dc_, overlay_bitmap_);
  overlay_ = OverlayPixels(OverlayStoreView(bits, cx_, cy_, RowOrder::BottomUp), cx_, cy_);
  overlay_.FillDimmed();
  return true;
}

bool CScreenSnapshotTool::CreateMagnifierWindow(HINSTANCE instance) {
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kMagnifierClass;
  magnifier_class_ = ::RegisterClassExW(&wc);
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  magnifier_ = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMagnifierClass,
                                 nullptr, WS_POPUP | WS_VISIBLE, cursor.x + 20, cursor.y + 20, 122,
                                 122, m_hWnd, nullptr, instance, nullptr);
  return magnifier_ != nullptr;
}

bool CScreenSnapshotTool::Create(HINSTANCE instance) {
  instance_ = instance;
  // The virtual screen, all monitors.
  origin_ = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)};
  cx_ = clip_cx_ = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  cy_ = clip_cy_ = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  // Freeze it.
  if (cx_ <= 0 || cy_ <= 0 || !CaptureDesktop()) return false;
  diag::TimelineMark("grabbed");
  // The freeze window shows the frozen picture at once while the rest is built. It paints the
  // frozen picture itself: a pattern brush as class background would keep a whole copy of it.
  WNDCLASSEXW wc = {sizeof(wc)};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kFreezeClass;
  freeze_class_ = ::RegisterClassExW(&wc);
  if (!freeze_class_) {
    diag::Log(diag::kLogError, L"RegisterClass [%s] Failed [%08X]", kFreezeClass, ::GetLastError());
    return false;
  }
  CFrozenPicture freeze_picture(frozen_);
  HWND freeze = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kFreezeClass, nullptr,
                                  WS_POPUP, origin_.x, origin_.y, cx_, cy_, nullptr, nullptr,
                                  instance, nullptr);
  if (freeze) {
    freeze_picture.Attach(freeze);
    ::ShowWindow(freeze, SW_SHOWNA);
    ::UpdateWindow(freeze);
  }
  diag::TimelineMark("frozen");
  // Window detection needs to see the desktop's windows.
  covered_ = DecideCovered();
  if (freeze) ::SetForegroundWindow(freeze);
  if (!covered_) TakeWindowTree();
  diag::TimelineMark("tree");
  // The backdrop dialog paints the frozen picture under the overlay and holds the focus.
  backdrop_ = CreateFromTemplate(instance, kBackdropTemplate, nullptr, &BackdropDialogProc);
  if (freeze) ::DestroyWindow(freeze);
  if (::UnregisterClassW(kFreezeClass, instance_)) freeze_class_ = 0;
  if (!backdrop_) return false;
  // The template's size is applied after initialisation; the backdrop covers the whole capture.
  ::SetWindowPos(backdrop_, HWND_TOPMOST, origin_.x, origin_.y, cx_, cy_,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ::SetForegroundWindow(backdrop_);
  diag::TimelineMark("backdrop");
  // The overlay: dims, and receives every mouse message.
  HWND overlay = ::CreateWindowExW(
      WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"static", nullptr,
      WS_POPUP | WS_VISIBLE, 0, 0, cx_, cy_, backdrop_, nullptr, instance, nullptr);
  if (!overlay) {
    ::DestroyWindow(backdrop_);
    backdrop_ = nullptr;
    return false;
  }
  // Hunting, with every pixel dimmed.
  drag_mode_ = HitOutside;
  magnifier_on_ = detection_on_ = true;
  highlighted_ = nullptr;
  if (!CreateOverlayBuffer()) {
    ::DestroyWindow(overlay);
    ::DestroyWindow(backdrop_);
    backdrop_ = nullptr;
    return false;
  }
  diag::TimelineMark("dimmed");
  // The overlay's messages come to this object; the backdrop hands its input on to the overlay.
  Attach(overlay);
  backdrop_prev_proc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      backdrop_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BackdropSubclassProc)));
  // The tool bars, hidden until there is a selection.
  toolbar_.Create(m_hWnd);
  // The magnifier, following the pointer from the start.
  CreateMagnifierWindow(instance);
  UpdateMagnifier();
  diag::TimelineMark("windows");
  // On screen, in order from the top: tool bars, magnifier, overlay, backdrop.
  Present();
  diag::TimelineMark("presented");
  RestoreStackingOrder();
  // Esc and Delete belong to the capture while it runs.
  RegisterHotKeys();
  diag::TimelineMark("ready");
  return true;
}

void CScreenSnapshotTool::DestroyWindows() {
  ReleaseHotKeys();
  if (magnifier_) ::DestroyWindow(magnifier_);
  magnifier_ = nullptr;
  if (toolbar_.hwnd()) ::DestroyWindow(toolbar_.hwnd());
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (backdrop_) ::DestroyWindow(backdrop_);
  backdrop_ = nullptr;
  backdrop_prev_proc_ = nullptr;
  // The window classes go with their windows.
  if (freeze_class_) ::UnregisterClassW(kFreezeClass, instance_);
  if (magnifier_class_) ::UnregisterClassW(kMagnifierClass, instance_);
  freeze_class_ = magnifier_class_ = 0;
}

void CScreenSnapshotTool::Present() {
  if (!m_hWnd) return;
  ++present_count_;
  last_present_ = Rect{0, 0, cx_, cy_};
  HDC screen = ::GetDC(nullptr);
  POINT dst = {origin_.x, origin_.y};
  SIZE size = {cx_, cy_};
  POINT src = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!::UpdateLayeredWindow(m_hWnd, screen, &dst, &size, overlay_dc_, &src, 0, &blend,
                             ULW_ALPHA))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [overlay] Failed [%08X]", ::GetLastError());
  ::ReleaseDC(nullptr, screen);
}

// One layered-window update that only blends what changed (a full present blends the whole
// screen). Always one call with the bounding rectangle, never one per strip: some
// implementations (Wine) pay a fixed cost per call that grows with the window's area, whatever
// the dirty rectangle (see bench/).
void CScreenSnapshotTool::PresentDirty(const Rect& dirty) {
  if (!m_hWnd || dirty.IsEmpty()) return;
  POINT dst = {origin_.x, origin_.y};
  SIZE size = {cx_, cy_};
  POINT src = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  RECT rc = ToRECT(dirty);
  UPDATELAYEREDWINDOWINFO info = {sizeof(info)};
  info.pptDst = &dst;
  info.psize = &size;
  info.hdcSrc = overlay_dc_;
  info.pptSrc = &src;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &rc;
  if (::UpdateLayeredWindowIndirect(m_hWnd, &info)) {
    ++present_count_;
    last_present_ = dirty;
    return;
  }
  // Some systems refuse a dirty rectangle they cannot honour; the whole overlay always works.
  diag::Log(diag::kLogError, L"UpdateLayeredWindowIndirect [overlay] Failed [%08X]",
            ::GetLastError());
  Present();
}

void CScreenSnapshotTool::OnLayersChanged(HBITMAP base, HBITMAP upper1, HBITMAP upper2) {
  const Rect sel = overlay_.selection();
  if (sel.IsEmpty()) return;
  ::GdiFlush();
  PixelView views[3];
  const bool have[3] = {ViewOfTopDownDib(base, &views[0]), ViewOfTopDownDib(upper1, &views[1]),
                        ViewOfTopDownDib(upper2, &views[2])};
  const Rect written =
      ComposeBoardLayers(overlay_.shown(), Point{sel.left, sel.top}, have[0] ? &views[0] : nullptr,
                         have[1] ? &views[1] : nullptr, have[2] ? &views[2] : nullptr);
  PresentDirty(written);
}

void CScreenSnapshotTool::OnCaretChanged(const RECT* caret, bool light) {
  if (!board_attached_) return;
  // The screen may still show the previous caret's contrast pixels (later presents only cover
  // what they changed), so every caret present covers the old caret's place as well.
  const Rect old_caret = caret_shown_;
  caret_shown_ = Rect{};
  if (!caret || caret->right <= caret->left || caret->bottom <= caret->top) {
    PresentDirty(old_caret);
    return;
  }
  const Rect sel = overlay_.selection();
  const Rect r = Offset(FromRECT(*caret), sel.left, sel.top);
  std::vector<uint32_t> saved;
  const Rect clipped = ApplyContrast(overlay_.shown(), r, light, &saved);
  caret_shown_ = clipped;
  PresentDirty(UnionOf(old_caret, clipped));
  // The caret stays on screen until the next presentation; the store keeps the real pixels.
  RestorePixels(overlay_.shown(), clipped, saved);
}

PixelView CScreenSnapshotTool::FinalPixels() const {
  PixelView view;
  if (composed_) {
    ::GdiFlush();
    return ViewOfTopDownDib(composed_, &view) ? view : PixelView{};
  }
  const Rect sel = Intersection(overlay_.selection(), Rect{0, 0, cx_, cy_});
  if (sel.IsEmpty() || !frozen_view_.top_row) return view;
  view = frozen_view_;
  view.top_row = frozen_view_.Row(sel.top) + sel.left;
  view.width = sel.Width();
  view.height = sel.Height();
  return view;
}

HBITMAP CScreenSnapshotTool::ComposeImage() const {
  const Rect sel = overlay_.selection();
  if (sel.IsEmpty() || !frozen_) return nullptr;
  PixelView out;
  HBITMAP image = CreateTopDownDib(sel.Width(), sel.Height(), &out);
  if (!image) return nullptr;
  for (int y = 0; y < sel.Height(); ++y)
    std::memcpy(out.top_row + static_cast<ptrdiff_t>(y) * out.row_step_pixels,
                frozen_view_.top_row +
                    static_cast<ptrdiff_t>(sel.top + y) * frozen_view_.row_step_pixels + sel.left,
                static_cast<size_t>(sel.Width()) * 4);
  // The annotation board draws its objects here once it exists.
  return image;
}

INT_PTR CALLBACK CScreenSnapshotTool::BackdropDialogProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  CScreenSnapshotTool* self = g_current;
  if (!self) return FALSE;
  switch (msg) {
    case WM_INITDIALOG:
      ::SetWindowPos(dlg, HWND_TOPMOST, self->origin_.x, self->origin_.y, self->cx_, self->cy_,
                     SWP_SHOWWINDOW);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(dlg, &ps);
      PaintPicture(dc, self->frozen_, ps.rcPaint);
      ::EndPaint(dlg, &ps);
      return TRUE;
    }
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers everything
  }
  return FALSE;
}

// The backdrop holds the keyboard focus but the overlay does the work: keys, cursor and clicks
// that reach the backdrop are handed on.
LRESULT CALLBACK CScreenSnapshotTool::BackdropSubclassProc(HWND dlg, UINT msg, WPARAM wp,
                                                           LPARAM lp) {
  CScreenSnapshotTool* self = g_current;
  if (!self || !self->backdrop_prev_proc_) return ::DefWindowProcW(dlg, msg, wp, lp);
  HWND overlay = self->m_hWnd;
  switch (msg) {
    case WM_KEYDOWN:
      if (overlay) return ::SendMessageW(overlay, msg, wp, lp);
      break;
    case WM_SETCURSOR:
      if (overlay) return ::SendMessageW(overlay, msg, reinterpret_cast<WPARAM>(overlay), lp);
      break;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (overlay) {
        POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ::MapWindowPoints(dlg, overlay, &p, 1);
        return ::SendMessageW(overlay, msg, wp, MAKELPARAM(p.x, p.y));
      }
      break;
  }
  return ::CallWindowProcW(self->backdrop_prev_proc_, dlg, msg, wp, lp);
}
