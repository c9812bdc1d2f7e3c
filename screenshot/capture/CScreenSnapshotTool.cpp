// CScreenSnapshotTool: creation, teardown and presentation of the capture window.
#include "screenshot/capture/CScreenSnapshotTool.h"

#include <versionhelpers.h>

#include <cstring>
#include <thread>

#include "screenshot/base/geometry_win.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/capture/board_layers.h"
#include "screenshot/capture/contrast_pixel.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/diagnostics/startup_timeline_win.h"
#include "screenshot/output/save_names.h"
#include "screenshot/output/SettingsStore.h"
#include "screenshot/ui/ImageSet.h"

namespace {

// Adds the child windows of `node` (topmost first) and theirs, leaving `skipped` out.
void WalkChildren(WindowNode* node, HWND skipped) {
  for (HWND child = ::GetWindow(reinterpret_cast<HWND>(node->window), GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child == skipped) continue;
    WindowNode n;
    n.window = reinterpret_cast<uintptr_t>(child);
    RECT rc = {};
    ::GetWindowRect(child, &rc);
    n.rect = FromRECT(rc);
    WalkChildren(&n, skipped);
    node->children.push_back(std::move(n));
  }
}

}  // namespace

CScreenSnapshotTool::CScreenSnapshotTool() {
  // The save dialog's types in the order it lists them (the one saved last moves to the front).
  ImageTypeList& types = ImageTypeList::Instance();
  types.Add(L"Png files", L".png");
  types.Add(L"Jpg files", L".jpg");
  types.Add(L"Bmp files", L".bmp");
}

// The handles are held by their owners (members), freed after the windows are gone.
CScreenSnapshotTool::~CScreenSnapshotTool() { DestroyWindows(); }

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
  // One picture of the desktop serves everything: the backdrop paints it,
  // the magnifier samples it and the final image is composed from it. It is never written after
  // this copy, so no second copy is needed (at 7680x4320 each one is 133 MB).
  frozen_.Reset(CreateTopDownDib(cx_, cy_, &frozen_view_));
  if (!frozen_) {
    diag::Log(diag::kLogError, L"CreateDIBSection [frozen %dx%d] Failed [%08X]", cx_, cy_,
              ::GetLastError());
    return false;
  }
  ScopedDC screen(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  ScopedDC mem(::CreateCompatibleDC(screen.get()));
  BOOL ok = FALSE;
  {
    ScopedSelectObject selected(mem.get(), frozen_.get());
    // CAPTUREBLT: layered windows (tooltips, translucent pop-ups) are part of what the user sees.
    ok = ::BitBlt(mem.get(), 0, 0, cx_, cy_, screen.get(), origin_.x, origin_.y,
                  SRCCOPY | CAPTUREBLT);
  }
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
  MONITORINFO mi = {sizeof(mi)};
  if (!::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &mi)) return false;
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
  // The backdrop already covers the screen; it is the capture's own and never highlighted.
  WalkChildren(&window_tree_, backdrop_.hwnd());
}

bool CScreenSnapshotTool::CreateOverlayBuffer() {
  const size_t bytes = OverlayStoreBytes(cx_, cy_);
  if (!bytes) return false;
  const unsigned long long size = bytes;
  overlay_mapping_.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                              static_cast<DWORD>(size >> 32),
                                              static_cast<DWORD>(size), nullptr));
  if (!overlay_mapping_) {
    diag::Log(diag::kLogError, L"CreateFileMapping [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  // A bottom-up section (cx + 9) x (cy + 9) over the mapping; the view addresses it top-down.
  void* bits = nullptr;
  overlay_bitmap_.Reset(CreateDib32(cx_ + kOverlaySpare, cy_ + kOverlaySpare, DibRows::BottomUp,
                                    overlay_mapping_.get(), &bits));
  if (!overlay_bitmap_) {
    diag::Log(diag::kLogError, L"CreateDIBSection [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  overlay_dc_.Reset(::CreateCompatibleDC(nullptr));
  if (!overlay_dc_) {
    diag::Log(diag::kLogError, L"CreateCompatibleDC [overlay] Failed [%08X]", ::GetLastError());
    return false;
  }
  overlay_selected_.Select(overlay_dc_.get(), overlay_bitmap_.get());
  // Not dimmed yet: that is left to the caller (see Create).
  overlay_ = OverlayPixels(OverlayStoreView(bits, cx_, cy_, RowOrder::BottomUp), cx_, cy_);
  return true;
}

bool CScreenSnapshotTool::Create(HINSTANCE instance) {
  instance_ = instance;
  if (!FreezeVirtualScreen()) return false;
  // The overlay's pixel store, dimmed by a worker while the windows are made: filling a fresh
  // full-screen buffer costs as much as making a window here, and the two need each other only
  // at the first present.
  if (!CreateOverlayBuffer()) return false;
  std::thread dimming([this] { overlay_.FillDimmed(); });
  struct Joiner {
    std::thread& t;
    ~Joiner() {
      if (t.joinable()) t.join();
    }
  } joiner{dimming};
  if (!ShowBackdrop(instance)) return false;
  HWND overlay = CreateOverlayWindow(instance);
  dimming.join();
  if (!overlay) {
    diag::Log(diag::kLogError, L"CreateWindowEx [overlay] Failed [%08X]", ::GetLastError());
    DestroyWindows();
    return false;
  }
  diag::TimelineMark("dimmed");
  StartHunting(overlay);
  CreateToolWindows(instance);
  UpdateMagnifier();
  diag::TimelineMark("windows");
  Present();
  diag::TimelineMark("presented");
  // Esc and Delete belong to the capture while it runs.
  RegisterHotKeys();
  diag::TimelineMark("ready");
  return true;
}

bool CScreenSnapshotTool::FreezeVirtualScreen() {
  // The virtual screen, all monitors.
  origin_ = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)};
  cx_ = clip_cx_ = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  cy_ = clip_cy_ = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (cx_ <= 0 || cy_ <= 0 || !CaptureDesktop()) return false;
  diag::TimelineMark("grabbed");
  return true;
}

bool CScreenSnapshotTool::ShowBackdrop(HINSTANCE instance) {
  // The backdrop shows the frozen picture at once, under everything the capture shows later, and
  // holds the focus.
  backdrop_.set_picture(frozen_.get());
  if (!backdrop_.Create(instance, Rect{origin_.x, origin_.y, origin_.x + cx_, origin_.y + cy_}))
    return false;
  ::UpdateWindow(backdrop_.hwnd());
  diag::TimelineMark("frozen");
  // Window detection needs to see the desktop's windows.
  covered_ = DecideCovered();
  ::SetForegroundWindow(backdrop_.hwnd());
  if (!covered_) TakeWindowTree();
  diag::TimelineMark("tree");
  return true;
}

HWND CScreenSnapshotTool::CreateOverlayWindow(HINSTANCE instance) {
  // The overlay: dims, and receives every mouse message.
  return ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                           L"static", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, cx_, cy_,
                           backdrop_.hwnd(), nullptr, instance, nullptr);
}

void CScreenSnapshotTool::StartHunting(HWND overlay) {
  // Hunting, with every pixel dimmed. The overlay's messages come to this object; the backdrop
  // hands its input on to the overlay.
  drag_mode_ = HitOutside;
  magnifier_on_ = detection_on_ = true;
  highlighted_ = nullptr;
  Attach(overlay);
  backdrop_.set_overlay(overlay);
}

void CScreenSnapshotTool::CreateToolWindows(HINSTANCE instance) {
  // The magnifier, following the pointer from the start, and the tool bars above it, hidden
  // until there is a selection. Made in this order, the windows stack as they must from the top:
  // text bar, colour bar, main tool bar, magnifier, overlay, backdrop (each new topmost window
  // goes on top of its owner).
  magnifier_.Create(instance, m_hWnd);
  toolbar_.Create(m_hWnd);
  color_bar_.Create(0, 0, m_hWnd);
  text_bar_.Create(0, 0, m_hWnd);
  LoadToolStyles();
  LoadTextStyle();
  board_.LoadFrameBitmaps(instance);
  board_.SetCrossCursor(SharedImages().tool_cursor());
}

void CScreenSnapshotTool::LoadToolStyles() {
  // Colour and pen width as the settings keep them; the dash style lasts for one capture.
  pen_styles_.LoadFrom(SettingsStore::Instance());
}

void CScreenSnapshotTool::DestroyWindows() {
  ReleaseHotKeys();
  magnifier_.Destroy();
  if (color_bar_.hwnd()) ::DestroyWindow(color_bar_.hwnd());
  if (text_bar_.hwnd()) ::DestroyWindow(text_bar_.hwnd());
  if (toolbar_.hwnd()) ::DestroyWindow(toolbar_.hwnd());
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (backdrop_.hwnd()) ::DestroyWindow(backdrop_.hwnd());
}

void CScreenSnapshotTool::Present() {
  if (!m_hWnd) return;
  ++present_count_;
  last_present_ = Rect{0, 0, cx_, cy_};
  ScopedWindowDC screen;
  POINT dst = {origin_.x, origin_.y};
  SIZE size = {cx_, cy_};
  POINT src = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!::UpdateLayeredWindow(m_hWnd, screen.get(), &dst, &size, overlay_dc_.get(), &src, 0, &blend,
                             ULW_ALPHA))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [overlay] Failed [%08X]", ::GetLastError());
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
  info.hdcSrc = overlay_dc_.get();
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
  if (!board_attached()) return;
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
    return ViewOfTopDownDib(composed_.get(), &view) ? view : PixelView{};
  }
  const Rect sel = Intersection(overlay_.selection(), Rect{0, 0, cx_, cy_});
  if (sel.IsEmpty() || !frozen_view_.top_row) return view;
  view = frozen_view_;
  view.top_row = frozen_view_.Row(sel.top) + sel.left;
  view.width = sel.Width();
  view.height = sel.Height();
  return view;
}

HBITMAP CScreenSnapshotTool::ComposeImage() {
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
  if (board_attached()) {
    // The board's objects over the frozen pixels, at the selection's top-left corner.
    ScopedDC dc(::CreateCompatibleDC(nullptr));
    ScopedSelectObject selected(dc.get(), image);
    board_.Compose(dc.get());
  }
  ::GdiFlush();
  return image;
}
