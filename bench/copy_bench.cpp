// What finishing with a copy costs for a selection of the whole virtual screen: composing the
// final picture and packing it into the clipboard's 24-bit block, against a memcpy of one 32-bit
// picture of that size. Shown apart: the copy command's hiding of the capture windows, and the
// clipboard's own part (allocating the block, opening the clipboard, handing the block over).
//
//   copy_bench.exe SNAPSHOT.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resource.h"
#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/clipboard_dib.h"
#include "screenshot/output/clipboard_output_win.h"
#include "screenshot/ui/ImageSet.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void DropQueuedMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: copy_bench.exe SNAPSHOT.exe [runs]\n");
    return 2;
  }
  wchar_t path[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  HMODULE engine = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!engine) {
    std::printf("cannot load %s\n", argv[1]);
    return 1;
  }
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(engine);
  CWindowBase::SetModule(module);
  SharedImages().Load(module);
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);

  const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const size_t bytes = static_cast<size_t>(cx) * cy * 4;
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2), packed(DibBlockBytes(cx, cy));
  std::vector<double> memcpy_ms, command_ms, compose_ms, clipboard_ms, separate_ms;
  for (int run = 0; run < runs + 1; ++run) {  // the first run warms up and is not counted
    Clock::time_point t0 = Clock::now();
    std::memcpy(b.data(), a.data(), bytes);
    const double m = Ms(t0, Clock::now());

    auto* tool = new CScreenSnapshotTool;
    if (!tool->Create(module)) {
      std::printf("the capture window could not be made\n");
      return 1;
    }
    HWND overlay = tool->overlay_window();
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    SendMessageW(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cx, cy));
    SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(cx, cy));

    t0 = Clock::now();
    tool->OnToolbarCommand(ID_TOOLBAR_COPY);  // hides the windows, makes the final picture
    const Clock::time_point t1 = Clock::now();
    const PixelView pixels = tool->FinalPixels();
    PackDib24(pixels, packed.data());  // the packing alone, as the clipboard copy does it
    const Clock::time_point t2 = Clock::now();
    // For comparison: composing into an image of its own first, then packing from that.
    HBITMAP separate = tool->ComposeImage();
    PixelView separate_view;
    GdiFlush();
    ViewOfTopDownDib(separate, &separate_view);
    PackDib24(separate_view, packed.data());
    DeleteObject(separate);
    const Clock::time_point t3 = Clock::now();
    const bool placed = PutPixelsOnClipboard(pixels, owner);  // block, packing, clipboard
    const Clock::time_point t4 = Clock::now();
    tool->Finish();
    tool->Release();
    DropQueuedMessages();
    if (!placed || pixels.width != cx || pixels.height != cy) {
      std::printf("the copy failed (%dx%d)\n", pixels.width, pixels.height);
      return 1;
    }
    if (run == 0) continue;
    memcpy_ms.push_back(m);
    command_ms.push_back(Ms(t0, t1));
    compose_ms.push_back(Ms(t1, t2));
    separate_ms.push_back(Ms(t2, t3));
    clipboard_ms.push_back(Ms(t3, t4) - Ms(t1, t2));
  }
  const double mem = Median(memcpy_ms), compose = Median(compose_ms);
  std::printf("copy of a %dx%d selection, medians of %d runs in ms\n", cx, cy, runs);
  std::printf("  compose + pack into the 24-bit block %8.2f   (%.2fx the memcpy)\n", compose,
              mem > 0 ? compose / mem : 0);
  std::printf("  memcpy of one %dx%dx4 picture      %8.2f\n", cx, cy, mem);
  std::printf("  (composing into an image first      %8.2f   (%.2fx the memcpy))\n",
              Median(separate_ms), mem > 0 ? Median(separate_ms) / mem : 0);
  std::printf("  apart: hiding the capture windows    %8.2f\n", Median(command_ms));
  std::printf("  apart: the clipboard's own part      %8.2f   (block, open, hand over)\n",
              Median(clipboard_ms));
  std::printf("RESULT copy %d %d %.2f %.2f %.2f %.2f %.2f\n", cx, cy, compose, mem,
              Median(command_ms), Median(clipboard_ms), Median(separate_ms));
  DestroyWindow(owner);
  return 0;
}
