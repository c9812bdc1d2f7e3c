// Cost of the annotation board on a 1920x1080 selection: rebuilding the background (the frozen
// pixels with every live object drawn again) with 10, 100 and 1,000 objects, and one brush drag
// step with a 2,000-point stroke while 0, 100 and 1,000 objects are settled. A drag step draws
// only the stroke on the overlay, so it must not grow with the settled objects.
//
// The step is timed twice: the board's own work (the overlay cleared, the stroke drawn, the
// layers handed over), and with the capture window's part added (the background copied and the
// overlay blended into a store the size of the selection, without the layered-window update,
// which present_bench measures).
//
//   board_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/board/CScrawlBoard.h"
#include "screenshot/capture/board_layers.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kW = 1920, kH = 1080;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// A board whose host either does nothing with the layers or composes them as the capture
// window does.
class BenchBoard : public CScrawlBoard {
 public:
  bool compose = false;
  std::vector<uint32_t> store = std::vector<uint32_t>(static_cast<size_t>(kW) * kH);
  void OnLayersChanged(HBITMAP background, HBITMAP overlay, HBITMAP hover) override {
    if (!compose) return;
    PixelView views[3];
    const bool have[3] = {ViewOfTopDownDib(background, &views[0]),
                          ViewOfTopDownDib(overlay, &views[1]), ViewOfTopDownDib(hover, &views[2])};
    ComposeBoardLayers(PixelView{store.data(), kW, kW, kH}, Point{0, 0},
                       have[0] ? &views[0] : nullptr, have[1] ? &views[1] : nullptr,
                       have[2] ? &views[2] : nullptr);
  }
};

class Bench {
 public:
  Bench() : screen_(static_cast<size_t>(kW) * kH) {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        screen_[static_cast<size_t>(y) * kW + x] = static_cast<uint32_t>((x * 7 + y) * 0x010203);
    host_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0, 0, kW, kH, nullptr,
                            nullptr, nullptr, nullptr);
  }
  ~Bench() { DestroyWindow(host_); }

  bool Attach() {
    board_.Detach();
    return board_.Attach(0, 0, kW, kH, host_, PixelView{screen_.data(), kW, kW, kH});
  }
  void Send(UINT msg, int x, int y) {
    LRESULT r = 0;
    board_.ProcessMessage(host_, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y), r);
    if (msg == WM_LBUTTONUP && GetCapture() == host_) ReleaseCapture();
  }
  // Adds `count` settled objects of every kind, each up to 400 pixels across, as the mouse
  // draws them.
  void AddObjects(int count) {
    for (int i = 0; i < count; ++i) {
      board_.SetTool(kToolRectangle + i % 4);
      board_.SetPenWidth(2 + 3 * (i % 3));
      board_.SetDashStyle(i % 7 == 0 ? 1 : 0);
      const int x = Rand(0, kW - 420), y = Rand(0, kH - 420);
      const int w = Rand(40, 400), h = Rand(40, 400);
      Send(WM_LBUTTONDOWN, x, y);
      for (int s = 1; s <= 4; ++s) Send(WM_MOUSEMOVE, x + w * s / 4, y + h * s * s / 16);
      Send(WM_LBUTTONUP, x + w, y + h);
    }
  }
  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  double Rebuild(int runs) {
    std::vector<double> t;
    board_.compose = false;
    for (int i = 0; i < runs; ++i) {
      const Clock::time_point t0 = Clock::now();
      board_.Refresh();
      t.push_back(Ms(Clock::now() - t0));
    }
    return Median(t);
  }

  // One drag step after 2,000 points of a brush stroke zig-zagging over the selection.
  void DragSteps(int runs, double* board_only, double* with_host) {
    board_.SetTool(kToolBrush);
    board_.SetPenWidth(5);
    board_.SetDashStyle(0);
    board_.compose = false;
    Send(WM_LBUTTONDOWN, 100, 100);
    int n = 0;
    auto next = [&n] {
      ++n;
      return Point{100 + (n * 3) % 1700, 100 + (n / 40) * 17 % 880 + (n % 2) * 9};
    };
    for (int i = 1; i < 2000; ++i) {
      const Point p = next();
      Send(WM_MOUSEMOVE, p.x, p.y);
    }
    std::vector<double> plain, hosted;
    for (int i = 0; i < 2 * runs; ++i) {
      board_.compose = i >= runs;
      const Point p = next();
      const Clock::time_point t0 = Clock::now();
      Send(WM_MOUSEMOVE, p.x, p.y);
      (board_.compose ? hosted : plain).push_back(Ms(Clock::now() - t0));
    }
    Send(WM_LBUTTONUP, 150, 150);
    *board_only = Median(plain);
    *with_host = Median(hosted);
  }

 private:
  std::vector<uint32_t> screen_;
  HWND host_ = nullptr;
  BenchBoard board_;
  std::mt19937 rng_{1406};
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  ScopedGdiplus gdiplus;
  if (!gdiplus.ok()) {
    std::printf("GDI+ could not be started\n");
    return 1;
  }
  double rebuild[3] = {}, step[3] = {}, hosted[3] = {};
  const int counts[3] = {10, 100, 1000}, settled[3] = {0, 100, 1000};
  {
    Bench bench;
    if (!bench.Attach()) return 1;
    int made = 0;
    for (int i = 0; i < 3; ++i) {
      bench.AddObjects(counts[i] - made);
      made = counts[i];
      rebuild[i] = bench.Rebuild(runs);
      std::printf("rebuild with %4d objects: %9.2f ms\n", counts[i], rebuild[i]);
    }
  }
  for (int i = 0; i < 3; ++i) {
    Bench bench;
    if (!bench.Attach()) return 1;
    bench.AddObjects(settled[i]);
    bench.DragSteps(runs, &step[i], &hosted[i]);
    std::printf("brush drag step, 2,000 points, %4d settled: %7.2f ms (%7.2f ms with the host)\n",
                settled[i], step[i], hosted[i]);
  }
  std::printf("RESULT board %d %d %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", kW, kH,
              rebuild[0], rebuild[1], rebuild[2], step[0], step[1], step[2], hosted[0], hosted[1],
              hosted[2]);
  return 0;
}
