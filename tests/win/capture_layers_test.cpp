// The capture window presents the board's layers over the selection and shows the caret without
// changing the overlay it keeps.
#include <gtest/gtest.h>

#include <vector>

#include "resource.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "win/support/test_pictures.h"

namespace {

HBITMAP SolidLayer(int w, int h, uint32_t fill, std::vector<std::pair<int, uint32_t>> pixels = {}) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down, as every bitmap the engine's parts hand round
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < w * h; ++i) px[i] = fill;
  for (auto& p : pixels) px[p.first] = p.second;  // index counted from the top-left
  return bmp;
}

uint32_t At(const PixelView& v, int x, int y) { return v.top_row[y * v.row_step_pixels + x]; }

using CaptureWindow = testpictures::EngineModuleTest;

TEST_F(CaptureWindow, BoardLayersAndCaretOverTheSelection) {
  auto* tool = new CScreenSnapshotTool;
  ASSERT_TRUE(tool->Create(testpictures::EngineInstance()));
  HWND overlay = tool->overlay_window();
  SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 40));
  SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
  ASSERT_EQ(tool->GetSelection(), (Rect{10, 10, 60, 40}));

  HBITMAP base = SolidLayer(50, 30, 0xFF112233);
  HBITMAP upper = SolidLayer(50, 30, 0, {{0, 0x80400000}, {49 + 29 * 50, 0xFF00FF00}});
  tool->OnLayersChanged(base, upper, nullptr);
  const PixelView v = tool->overlay_pixels();
  EXPECT_EQ(At(v, 11, 11), 0xFF112233u);
  EXPECT_EQ(At(v, 10, 10), 0xFF481119u);  // 0x80400000 over 0xFF112233, rounded
  EXPECT_EQ(At(v, 59, 39), 0xFF00FF00u);
  EXPECT_EQ(At(v, 9, 9) >> 24, 0xFFu);  // the frame outside is untouched

  // The caret is shown, but the kept overlay is unchanged afterwards.
  const uint32_t* row10 = v.top_row + 10 * v.row_step_pixels;  // the caret's first row
  std::vector<uint32_t> before(row10, row10 + v.width);
  RECT caret = {2, 0, 4, 10};
  tool->OnCaretChanged(&caret, true);  // ignored: no board attached
  // A drawing tool's click inside the selection attaches the board (and makes nothing).
  tool->OnToolbarCommand(ID_TOOLBAR_RECTANGLE);
  SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
  SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
  ASSERT_TRUE(tool->board_attached());
  EXPECT_EQ(before, std::vector<uint32_t>(row10, row10 + v.width));
  tool->OnCaretChanged(&caret, true);
  std::vector<uint32_t> after(row10, row10 + v.width);
  EXPECT_EQ(before, after);

  tool->Finish();
  tool->Release();
  DeleteObject(base);
  DeleteObject(upper);
}

}  // namespace
