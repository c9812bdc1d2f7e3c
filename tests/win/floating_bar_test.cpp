// The steps the floating bars share: their pictures, the panel under their controls, their palette
// block and the drag that moves them, checked on the bytes and the window positions they give.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "screenshot/base/palette.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/ui/BarDrag.h"
#include "screenshot/ui/floating_bar_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_pictures.h"

namespace {

using namespace testpictures;

// A 32-bit top-down picture of one premultiplied 0xAARRGGBB pixel value everywhere.
HBITMAP SolidPicture(int width, int height, uint32_t pixel) {
  PixelView view;
  HBITMAP bitmap = CreateTopDownDib(width, height, &view);
  if (!bitmap) return nullptr;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) view.At(x, y) = pixel;
  return bitmap;
}

// A hidden popup of the bars' style at (x, y), |width| x |height|.
HWND BarWindow(int x, int y, int width, int height) {
  return CreateWindowExW(floatingbar::kExStyle, L"static", L"", WS_POPUP, x, y, width, height,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The palette colour |index| as an opaque surface pixel.
uint32_t PalettePixel(int index) {
  const uint32_t c = palette::ColorOf(index);
  return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

class FloatingBar : public EngineModuleTest {};

TEST_F(FloatingBar, PicturesLoadPremultipliedAndAMissingOneEmptiesOnlyItsSlot) {
  // Tool bar panel and button frames (soft alpha edges), and an id no picture has.
  ScopedBitmap panel, missing(SolidPicture(2, 2, 0xFF000000u)), frames;
  floatingbar::LoadPictures(engine(), {{&panel, 122}, {&missing, 64999}, {&frames, 123}});
  EXPECT_FALSE(missing) << "a picture that cannot be loaded leaves its slot empty";
  for (HBITMAP bitmap : {panel.get(), frames.get()}) {
    ASSERT_TRUE(bitmap);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 32);
    int soft = 0;
    const auto* row = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    const int rows = dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight;
    for (int y = 0; y < rows; ++y, row += dib.dsBm.bmWidthBytes) {
      for (int x = 0; x < dib.dsBm.bmWidth; ++x) {
        const uint8_t* p = row + x * 4;
        ASSERT_LE(p[0], p[3]) << "blue over alpha at " << x << "," << y;
        ASSERT_LE(p[1], p[3]) << "green over alpha at " << x << "," << y;
        ASSERT_LE(p[2], p[3]) << "red over alpha at " << x << "," << y;
        soft += p[3] > 0 && p[3] < 255;
      }
    }
    EXPECT_GT(soft, 0) << "the picture has soft edges, so premultiplying it changed something";
  }
}

TEST_F(FloatingBar, ComposeLaysThePanelOverTheWholeWindowAndTheControlsOverIt) {
  HWND window = BarWindow(200, 150, 40, 30);
  ASSERT_TRUE(window);
  const uint32_t kPanel = 0xFF1E140Au, kControl = 0xFF00C000u;
  ScopedBitmap panel(SolidPicture(9, 9, kPanel)), control(SolidPicture(2, 2, kControl));
  int calls = 0;
  LayeredSurface surface;
  ASSERT_TRUE(floatingbar::Compose(window, surface, panel.get(), 3, L"test bar", [&](HDC dc) {
    ++calls;
    ScopedDC source(CreateCompatibleDC(dc));
    ScopedSelectObject selected(source.get(), control.get());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return AlphaBlend(dc, 5, 6, 4, 3, source.get(), 0, 0, 2, 2, blend) != FALSE;
  }));
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(surface.width(), 40);
  ASSERT_EQ(surface.height(), 30);
  const Image img = Pixels(surface);
  int wrong = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool on_control = x >= 5 && x < 9 && y >= 6 && y < 9;
      wrong += img.at(x, y) != (on_control ? kControl : kPanel);
    }
  }
  EXPECT_EQ(wrong, 0);
  DestroyWindow(window);
}

TEST_F(FloatingBar, ComposeKeepsWhatItDrewWhenABlendFailsAndNeedsAWindow) {
  HWND window = BarWindow(200, 150, 12, 7);
  ASSERT_TRUE(window);
  int calls = 0;
  const auto failing = [&](HDC) {
    ++calls;
    return false;
  };
  LayeredSurface surface;
  // No panel picture and a failed control: the bar is still shown, transparent where nothing
  // was drawn.
  ASSERT_TRUE(floatingbar::Compose(window, surface, nullptr, 3, L"test bar", failing));
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(surface.width(), 12);
  ASSERT_EQ(surface.height(), 7);
  for (uint32_t p : Pixels(surface).px) ASSERT_EQ(p, 0u);

  DestroyWindow(window);
  LayeredSurface none;
  EXPECT_FALSE(floatingbar::Compose(window, none, nullptr, 3, L"test bar", failing));
  EXPECT_FALSE(floatingbar::Compose(nullptr, none, nullptr, 3, L"test bar", failing));
  EXPECT_EQ(calls, 1) << "the controls are not drawn without a window";
  EXPECT_TRUE(none.empty());
}

TEST_F(FloatingBar, PalettePaintsTheCurrentBoxAndTheSwatchesThereAreAndNothingElse) {
  LayeredSurface surface;
  ASSERT_TRUE(surface.Create(40, 16, 32));
  InplaceButton swatch;
  swatch.rect = {20, 2, 28, 10};
  InplaceButton* swatches[16] = {};
  swatches[5] = &swatch;
  CInplaceButtonManager buttons;  // the swatch is not one of its buttons: no hover, no press
  floatingbar::PaintPalette(surface, Rect{2, 2, 10, 10}, swatches, 2, buttons);
  const Image img = Pixels(surface);
  EXPECT_EQ(img.at(6, 6), PalettePixel(2)) << "the current colour fills its box";
  EXPECT_EQ(img.at(24, 6), PalettePixel(5)) << "a swatch shows its own colour";
  // Both are drawn with their right and bottom edges; nothing beyond them.
  int outside = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool in_box = x >= 2 && x <= 10 && y >= 2 && y <= 10;
      const bool in_swatch = x >= 20 && x <= 28 && y >= 2 && y <= 10;
      outside += !in_box && !in_swatch && img.at(x, y) != 0;
    }
  }
  EXPECT_EQ(outside, 0);

  // With an empty box and no swatches the surface is left as it was.
  LayeredSurface clear;
  ASSERT_TRUE(clear.Create(40, 16, 32));
  InplaceButton* no_swatches[16] = {};
  floatingbar::PaintPalette(clear, Rect{}, no_swatches, 2, buttons);
  for (uint32_t p : Pixels(clear).px) ASSERT_EQ(p, 0u);
}

TEST(BarDragMessages, TheDragTakesMovesAndTheReleaseOnlyWhileItLasts) {
  HWND window = BarWindow(300, 200, 50, 20);
  ASSERT_TRUE(window);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  BarDrag drag;
  LRESULT result = 77;
  for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED})
    EXPECT_FALSE(drag.ProcessMessage(window, msg, 0, MAKELPARAM(4, 4), result, 0))
        << "message " << msg << " is the bar's when nothing is dragged";

  drag.Begin(window, POINT{310, 205});
  EXPECT_EQ(GetCapture(), window);
  POINT to = {335, 215};
  ScreenToClient(window, &to);
  EXPECT_TRUE(drag.ProcessMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y), result, 0));
  EXPECT_EQ(result, 0);
  RECT r = {};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 325);  // the window keeps its offset to the cursor
  EXPECT_EQ(r.top, 210);
  EXPECT_EQ(r.right - r.left, 50);

  EXPECT_TRUE(drag.ProcessMessage(window, WM_LBUTTONUP, 0, 0, result, 0));
  EXPECT_FALSE(drag.active());
  EXPECT_NE(GetCapture(), window) << "the release gives the capture back";
  EXPECT_FALSE(drag.ProcessMessage(window, WM_LBUTTONUP, 0, 0, result, 0));

  drag.Begin(window, POINT{330, 215});
  EXPECT_TRUE(drag.ProcessMessage(window, WM_CAPTURECHANGED, 0, 0, result, 0));
  EXPECT_FALSE(drag.active());
  EXPECT_FALSE(drag.ProcessMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), result, 0));
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 325) << "a move after the drag ended leaves the window where it is";
  ReleaseCapture();
  DestroyWindow(window);
}

}  // namespace
