// What one selection drag step costs on screen: the incremental strip update presented with a
// dirty rectangle, against a full redraw presented whole, against a memcpy of the overlay store
// (the floor of any full-screen pass). Runs under Wine on a display at least as large as the
// biggest virtual screen measured.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "screenshot/capture/overlay_pixels.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Overlay {
  HANDLE mapping = nullptr;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  void* bits = nullptr;
  HWND window = nullptr;
};

bool MakeOverlay(int cx, int cy, Overlay* o) {
  const size_t bytes = OverlayStoreBytes(cx, cy);
  o->mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  static_cast<DWORD>(bytes), nullptr);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx + 9;
  bi.bmiHeader.biHeight = cy + 9;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  o->bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &o->bits, o->mapping, 0);
  o->dc = CreateCompatibleDC(nullptr);
  SelectObject(o->dc, o->bitmap);
  o->window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                              L"static", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr,
                              nullptr, nullptr, nullptr);
  return o->bits && o->window;
}

void FreeOverlay(Overlay* o) {
  DestroyWindow(o->window);
  DeleteDC(o->dc);
  DeleteObject(o->bitmap);
  CloseHandle(o->mapping);
}

void Present(const Overlay& o, int cx, int cy, const RECT* dirty) {
  POINT dst = {0, 0}, src = {0, 0};
  SIZE size = {cx, cy};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UPDATELAYEREDWINDOWINFO info = {sizeof(info)};
  info.pptDst = &dst;
  info.psize = &size;
  info.hdcSrc = o.dc;
  info.pptSrc = &src;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = dirty;
  UpdateLayeredWindowIndirect(o.window, &info);
}

// A drag of an 800 x 600 selection: moves by 3 pixels, then pulls of the bottom-right corner.
std::vector<std::pair<Rect, bool>> Script(int cx, int cy, int steps) {
  std::vector<std::pair<Rect, bool>> out;
  Rect r{(cx - 800) / 2, (cy - 600) / 2, (cx + 800) / 2, (cy + 600) / 2};
  for (int i = 0; i < steps; ++i) {
    if (i % 10 < 6) {
      const int d = (i / 10) % 2 ? -3 : 3;
      r = Rect{r.left + d, r.top + d, r.right + d, r.bottom + d};
      out.push_back({r, true});
    } else {
      const int d = (i / 10) % 2 ? -2 : 2;
      r = Rect{r.left, r.top, r.right + d, r.bottom + d};
      out.push_back({r, false});
    }
  }
  return out;
}

double Micros(Clock::duration d, int n) {
  return std::chrono::duration<double, std::micro>(d).count() / n;
}

}  // namespace

int main() {
  const int sizes[][2] = {{1920, 1080}, {3840, 2160}, {7680, 2160}};
  std::printf("%-11s %16s %16s %12s %10s %10s\n", "screen", "incremental+dirty", "full+present",
              "memcpy", "full/inc", "inc/memcpy");
  for (const auto& s : sizes) {
    const int cx = s[0], cy = s[1], steps = 60;
    Overlay o;
    if (!MakeOverlay(cx, cy, &o)) {
      std::printf("%dx%d: cannot create the overlay\n", cx, cy);
      continue;
    }
    OverlayPixels pixels(OverlayStoreView(o.bits, cx, cy, RowOrder::BottomUp), cx, cy);
    pixels.FillDimmed();
    Present(o, cx, cy, nullptr);
    const auto script = Script(cx, cy, steps);

    auto t0 = Clock::now();
    for (const auto& step : script) {
      const Rect d = pixels.ApplySelection(step.first, step.second);
      RECT rc = {d.left, d.top, d.right, d.bottom};
      Present(o, cx, cy, &rc);
    }
    const double inc = Micros(Clock::now() - t0, steps);

    pixels.FillDimmed();
    t0 = Clock::now();
    for (const auto& step : script) {
      pixels.ApplySelection(step.first, step.second);
      pixels.RedrawAll();
      Present(o, cx, cy, nullptr);
    }
    const double full = Micros(Clock::now() - t0, steps);

    std::vector<char> copy(OverlayStoreBytes(cx, cy));
    t0 = Clock::now();
    for (int i = 0; i < steps; ++i) std::memcpy(copy.data(), o.bits, copy.size());
    const double mem = Micros(Clock::now() - t0, steps);

    char name[32];
    std::snprintf(name, sizeof(name), "%dx%d", cx, cy);
    std::printf("%-11s %14.0f us %14.0f us %9.0f us %9.1fx %9.2fx\n", name, inc, full, mem,
                full / inc, inc / mem);
    FreeOverlay(&o);
  }
  return 0;
}
