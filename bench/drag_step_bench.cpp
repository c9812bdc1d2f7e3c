// Cost of one selection drag step on the overlay store: incremental update vs full redraw vs a
// plain copy of the store, at three virtual screen sizes.
//
// Both strategies replay the drag of drag_script.h; the final stores are compared to make sure
// they agree.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/drag_script.h"
#include "screenshot/capture/overlay_pixels.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile uint32_t g_sink;  // keeps the copies from being optimised away

double MicrosPer(Clock::duration d, int count) {
  return std::chrono::duration<double, std::micro>(d).count() / count;
}

// Prints one row; false when the two strategies ended with different stores.
bool Run(int cx, int cy) {
  const std::size_t bytes = OverlayStoreBytes(cx, cy);
  std::vector<uint32_t> a(bytes / 4), b(bytes / 4), copy(bytes / 4);
  OverlayPixels inc(OverlayStoreView(a.data(), cx, cy, RowOrder::BottomUp), cx, cy);
  OverlayPixels full(OverlayStoreView(b.data(), cx, cy, RowOrder::BottomUp), cx, cy);
  const std::vector<DragScriptStep> script = MakeDragScript(cx, cy, 4000, 1234);

  inc.FillDimmed();
  const Clock::time_point t0 = Clock::now();
  long long dirty_pixels = 0;
  for (const DragScriptStep& s : script) {
    const Rect d = inc.ApplySelection(s.rect, s.is_move);
    dirty_pixels += static_cast<long long>(d.Width()) * d.Height();
  }
  const Clock::duration t_inc = Clock::now() - t0;

  const int full_steps = 200;
  const Clock::time_point t1 = Clock::now();
  for (int i = 0; i < full_steps; ++i) {
    full.FillDimmed();
    full.ApplySelection(script[script.size() - full_steps + i].rect, false);
  }
  const Clock::duration t_full = Clock::now() - t1;

  const int copies = 200;
  uint32_t check = 0;
  const Clock::time_point t2 = Clock::now();
  for (int i = 0; i < copies; ++i) {
    std::memcpy(copy.data(), a.data(), bytes);
    check += copy[static_cast<std::size_t>(i) * 7919 % copy.size()];
  }
  const Clock::duration t_copy = Clock::now() - t2;

  const bool same = std::memcmp(a.data(), b.data(), bytes) == 0;
  const double us_inc = MicrosPer(t_inc, static_cast<int>(script.size()));
  const double us_full = MicrosPer(t_full, full_steps);
  const double us_copy = MicrosPer(t_copy, copies);
  g_sink = check;
  std::printf("%5dx%-5d %9.2f %11.1f %10.1f %10.0fx %10.0fx %12lld  %s\n", cx, cy, us_inc, us_full,
              us_copy, us_full / us_inc, us_copy / us_inc,
              dirty_pixels / static_cast<long long>(script.size()), same ? "same" : "DIFFERENT");
  // For bench/run.py's summary.
  std::printf("RESULT store %d %d %.2f %.1f %.1f %s\n", cx, cy, us_inc, us_full, us_copy,
              same ? "same" : "different");
  return same;
}

}  // namespace

int main() {
  std::printf("drag step on an ~800x600 selection, microseconds per step\n");
  std::printf("%-11s %9s %11s %10s %11s %11s %12s  %s\n", "screen", "incr", "full redraw", "memcpy",
              "full/incr", "copy/incr", "dirty px", "final store");
  const int sizes[][2] = {{1920, 1080}, {3840, 2160}, {7680, 2160}};
  bool ok = true;
  for (const auto& s : sizes) ok = Run(s[0], s[1]) && ok;
  return ok ? 0 : 1;
}
