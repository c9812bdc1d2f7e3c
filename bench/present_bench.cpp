// What one selection drag step costs on screen, at the size of the display it runs on (or the
// size given): the incremental strip update presented with a dirty rectangle, against a full
// redraw presented whole, against a memcpy of one overlay buffer (the floor of any full-screen
// pass). The overlay is built and presented exactly as the capture window does it.
//
// It also measures what a layered-window update costs with dirty rectangles of other sizes, and
// with the step's changes sent as four calls instead of one, to show where the present's time
// goes; and it checks that after the last step the screen shows exactly the overlay's pixels.
//
//   present_bench.exe [cx cy]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/drag_script.h"
#include "screenshot/capture/overlay_pixels.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Overlay {
  HANDLE mapping = nullptr;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
  HWND window = nullptr;
  int cx = 0, cy = 0;
};

// The store, section and window as the capture window makes them.
bool MakeOverlay(int cx, int cy, Overlay* o) {
  o->cx = cx;
  o->cy = cy;
  const size_t bytes = OverlayStoreBytes(cx, cy);
  o->mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  static_cast<DWORD>(bytes), nullptr);
  if (!o->mapping) return false;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx + kOverlaySpare;
  bi.bmiHeader.biHeight = cy + kOverlaySpare;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  o->bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &o->bits, o->mapping, 0);
  if (!o->bitmap) return false;
  o->dc = CreateCompatibleDC(nullptr);
  o->old = SelectObject(o->dc, o->bitmap);
  o->window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                              L"static", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr,
                              nullptr, nullptr, nullptr);
  return o->window != nullptr;
}

void FreeOverlay(Overlay* o) {
  if (o->window) DestroyWindow(o->window);
  if (o->dc) {
    SelectObject(o->dc, o->old);
    DeleteDC(o->dc);
  }
  if (o->bitmap) DeleteObject(o->bitmap);
  if (o->mapping) CloseHandle(o->mapping);
}

// CScreenSnapshotTool::Present.
void PresentFull(const Overlay& o) {
  HDC screen = GetDC(nullptr);
  POINT dst = {0, 0}, src = {0, 0};
  SIZE size = {o.cx, o.cy};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(o.window, screen, &dst, &size, o.dc, &src, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

// CScreenSnapshotTool::PresentDirty.
void PresentDirty(const Overlay& o, const Rect& dirty) {
  if (dirty.IsEmpty()) return;
  POINT dst = {0, 0}, src = {0, 0};
  SIZE size = {o.cx, o.cy};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  RECT rc = {dirty.left, dirty.top, dirty.right, dirty.bottom};
  UPDATELAYEREDWINDOWINFO info = {sizeof(info)};
  info.pptDst = &dst;
  info.psize = &size;
  info.hdcSrc = o.dc;
  info.pptSrc = &src;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &rc;
  if (!UpdateLayeredWindowIndirect(o.window, &info)) PresentFull(o);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Median of `runs` timings of f(i), in milliseconds.
double MedianMs(int runs, const std::function<void(int)>& f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point t0 = Clock::now();
    f(i);
    t.push_back(Ms(Clock::now() - t0));
    Pump();
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// An opaque black window under the overlay, so that what the screen shows of the overlay is
// its premultiplied colour exactly.
HWND MakeBlackBackground(int cx, int cy) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"LumettaPresentBenchBlack";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, nullptr, WS_POPUP | WS_VISIBLE, 0, 0,
                           cx, cy, nullptr, nullptr, nullptr, nullptr);
  if (w) UpdateWindow(w);
  return w;
}

// Number of shown pixels whose screen colour differs from the overlay's premultiplied colour.
long long ScreenMismatches(const Overlay& o, const OverlayPixels& pixels) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = o.cx;
  bi.bmiHeader.biHeight = -o.cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP shot = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!shot) return -1;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, shot);
  BitBlt(mem, 0, 0, o.cx, o.cy, screen, 0, 0, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  long long bad = 0;
  const PixelView shown = pixels.shown();
  const auto* seen = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < o.cy; ++y)
    for (int x = 0; x < o.cx; ++x)
      if ((seen[static_cast<size_t>(y) * o.cx + x] ^ shown.At(x, y)) & 0xFFFFFF) ++bad;
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  DeleteObject(shot);
  return bad;
}

int Run(int cx, int cy) {
  HWND black = MakeBlackBackground(cx, cy);
  Overlay o;
  if (!MakeOverlay(cx, cy, &o)) {
    std::printf("%dx%d: cannot create the overlay\n", cx, cy);
    FreeOverlay(&o);
    return 1;
  }
  OverlayPixels pixels(OverlayStoreView(o.bits, cx, cy, RowOrder::BottomUp), cx, cy);
  const int steps = 100, full_steps = 25, probes = 30;
  const std::vector<DragScriptStep> script = MakeDragScript(cx, cy, steps, 1234);

  // First show: the whole dimmed overlay, presented whole.
  Clock::time_point t0 = Clock::now();
  pixels.FillDimmed();
  PresentFull(o);
  const double first_show = Ms(Clock::now() - t0);
  pixels.ApplySelection(DragScriptStart(cx, cy), false);
  PresentFull(o);
  Pump();

  // The engine's drag step: strips rewritten in the store, one dirty-rectangle present.
  long long dirty_px = 0;
  const double inc = MedianMs(steps, [&](int i) {
    const Rect d = pixels.ApplySelection(script[i].rect, script[i].is_move);
    dirty_px += static_cast<long long>(d.Width()) * d.Height();
    PresentDirty(o, d);
  });
  // What the user sees must be the store after the last step.
  Sleep(500);
  Pump();
  const long long mismatches = ScreenMismatches(o, pixels);

  // The same kind of step as four calls, one per side of the step's dirty rectangle (cost
  // only: a side band 8 pixels deep covers the frame, handles and strips of a step of up to 4
  // pixels).
  const Rect mid = DragScriptStart(cx, cy);
  const Rect bbox = Inflated(mid, 7);
  const double bands = MedianMs(probes, [&](int) {
    const Rect parts[4] = {{bbox.left, bbox.top, bbox.right, bbox.top + 8},
                           {bbox.left, bbox.bottom - 8, bbox.right, bbox.bottom},
                           {bbox.left, bbox.top + 8, bbox.left + 8, bbox.bottom - 8},
                           {bbox.right - 8, bbox.top + 8, bbox.right, bbox.bottom - 8}};
    for (const Rect& r : parts) PresentDirty(o, r);
  });
  const double one_bbox = MedianMs(probes, [&](int) { PresentDirty(o, bbox); });
  // The fixed cost of one call: a dirty rectangle of one pixel.
  const double floor_call = MedianMs(probes, [&](int) { PresentDirty(o, Rect{0, 0, 1, 1}); });

  // Full redraw of the store and a full present per step.
  const double full = MedianMs(full_steps, [&](int i) {
    pixels.ApplySelection(script[i].rect, script[i].is_move);
    pixels.RedrawAll();
    PresentFull(o);
  });

  // One full-screen pass: a copy of the overlay buffer.
  std::vector<char> copy(OverlayStoreBytes(cx, cy));
  std::memcpy(copy.data(), o.bits, copy.size());
  const double mem = MedianMs(probes, [&](int) { std::memcpy(copy.data(), o.bits, copy.size()); });

  std::printf("screen %dx%d, medians in ms (steps: %d incremental, %d full)\n", cx, cy, steps,
              full_steps);
  std::printf("  drag step, incremental + dirty-rect present  %8.2f   (dirty %lld px per step)\n",
              inc, dirty_px / steps);
  std::printf("  drag step, full redraw + full present        %8.2f   (%.1fx the incremental)\n",
              full, full / inc);
  std::printf("  memcpy of one overlay buffer                 %8.2f   (incremental = %.1fx)\n", mem,
              inc / mem);
  std::printf("  first show (fill + full present)             %8.2f\n", first_show);
  std::printf("  one present, 1 x 1 dirty rectangle           %8.2f\n", floor_call);
  std::printf("  one present, %d x %d dirty rectangle       %8.2f\n", bbox.Width(), bbox.Height(),
              one_bbox);
  std::printf("  four presents, the same rectangle's sides    %8.2f\n", bands);
  std::printf("  screen after the last step: %s\n",
              mismatches == 0 ? "equals the overlay"
                              : (mismatches < 0 ? "not read" : "DIFFERS from the overlay"));
  if (mismatches > 0) std::printf("  (%lld pixels differ)\n", mismatches);
  // For bench/run.py's summary.
  std::printf("RESULT present %d %d %.2f %.2f %.2f %.2f %.2f %.2f %.2f %lld %lld\n", cx, cy, inc,
              full, mem, first_show, floor_call, one_bbox, bands, dirty_px / steps, mismatches);
  FreeOverlay(&o);
  if (black) DestroyWindow(black);
  return mismatches == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (argc == 3) {
    cx = std::atoi(argv[1]);
    cy = std::atoi(argv[2]);
  }
  if (cx < 1000 || cy < 800) {
    std::printf("usage: present_bench.exe [cx cy] (at least 1000 x 800)\n");
    return 2;
  }
  return Run(cx, cy);
}
