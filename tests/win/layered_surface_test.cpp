// LayeredSurface: sizes, row order and padding, bit formats, failures and the shared memory DC.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "screenshot/ui/LayeredSurface.h"

namespace {

DIBSECTION DibOf(HBITMAP bitmap) {
  DIBSECTION dib = {};
  GetObjectW(bitmap, sizeof(dib), &dib);
  return dib;
}

// A pixel as GDI sees it through the surface's device context.
COLORREF PixelAt(LayeredSurface& s, int x, int y) {
  SurfaceDC dc(s);
  return GetPixel(dc.get(), x, y);
}

TEST(LayeredSurface, RowOrderFollowsTheSignOfTheHeight) {
  for (int sign : {1, -1}) {
    LayeredSurface s;
    ASSERT_TRUE(s.Create(7, 5 * sign));
    EXPECT_EQ(s.width(), 7);
    EXPECT_EQ(s.height(), 5);
    EXPECT_EQ(s.bits_per_pixel(), 32);
    EXPECT_EQ(s.row_step(), -28 * sign);  // bottom-up surfaces step backwards
    // All pixels start transparent black.
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 28; ++x) ASSERT_EQ(s.top_row()[y * s.row_step() + x], 0);
    // Row 0 through top_row is the top of the picture; row 4 the bottom.
    std::uint8_t* top = s.top_row();
    std::uint8_t* bottom = s.top_row() + 4 * s.row_step();
    const std::uint8_t red[4] = {0, 0, 255, 255}, blue[4] = {255, 0, 0, 255};
    std::memcpy(top + 2 * 4, red, 4);
    std::memcpy(bottom + 6 * 4, blue, 4);
    EXPECT_EQ(PixelAt(s, 2, 0), RGB(255, 0, 0)) << "height sign " << sign;
    EXPECT_EQ(PixelAt(s, 6, 4), RGB(0, 0, 255)) << "height sign " << sign;
    EXPECT_EQ(PixelAt(s, 2, 4), RGB(0, 0, 0));
  }
}

TEST(LayeredSurface, RowsArePaddedToFourBytes) {
  struct Case {
    int width, bpp, row;
  } cases[] = {{3, 24, 12}, {4, 24, 12}, {5, 1, 4},  {33, 1, 8}, {2, 4, 4},
               {9, 4, 8},   {5, 8, 8},   {3, 16, 8}, {2, 16, 4}, {1, 32, 4}};
  for (const Case& c : cases) {
    LayeredSurface s;
    ASSERT_TRUE(s.Create(c.width, 3, c.bpp)) << c.width << "x" << c.bpp;
    EXPECT_EQ(s.row_step(), -c.row) << c.width << "x" << c.bpp;
    EXPECT_EQ(DibOf(s.bitmap()).dsBm.bmWidthBytes, c.row) << c.width << "x" << c.bpp;
    EXPECT_EQ(DibOf(s.bitmap()).dsBm.bmBitsPixel, c.bpp);
  }
}

TEST(LayeredSurface, RefusedSizesAndFormatsLeaveItEmpty) {
  const DWORD masks[3] = {0xFF0000, 0xFF00, 0xFF};
  LayeredSurface s;
  ASSERT_TRUE(s.Create(4, 4));
  EXPECT_FALSE(s.Create(4, 0));  // a refused Create also drops the previous image
  EXPECT_TRUE(s.empty());
  EXPECT_EQ(s.top_row(), nullptr);
  EXPECT_EQ(s.width(), 0);
  EXPECT_EQ(s.height(), 0);
  EXPECT_EQ(s.GetDC(), nullptr);
  EXPECT_FALSE(s.Create(0, 4));
  EXPECT_FALSE(s.Create(-3, 4));
  for (int bpp : {0, 2, 15, 48, 64}) EXPECT_FALSE(s.Create(4, 4, bpp)) << bpp;
  EXPECT_FALSE(s.Create(4, 4, 24, masks));
  EXPECT_TRUE(s.Create(4, 4, 24));
  // Rows or images too large for 32 bits.
  EXPECT_FALSE(s.Create(0x7FFFFFFF, 1, 32));
  EXPECT_FALSE(s.Create(0x10000, -0x10000, 32));
  EXPECT_FALSE(s.Create(4, INT_MIN));
  EXPECT_TRUE(s.empty());
}

TEST(LayeredSurface, MasksMakeABitfieldsSection) {
  const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
  LayeredSurface s;
  ASSERT_TRUE(s.Create(2, -1, 16, masks565));
  DIBSECTION dib = DibOf(s.bitmap());
  EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
  EXPECT_EQ(dib.dsBitfields[0], 0xF800u);
  EXPECT_EQ(dib.dsBitfields[1], 0x07E0u);
  EXPECT_EQ(dib.dsBitfields[2], 0x001Fu);
  // 0x07E0 is full green in 5-6-5, but would be green and blue in the default 5-5-5.
  s.top_row()[0] = 0xE0;
  s.top_row()[1] = 0x07;
  EXPECT_EQ(PixelAt(s, 0, 0), RGB(0, 255, 0));

  // Without masks 16 bits are 5-5-5: the same word is a lot of green and a little red.
  LayeredSurface plain;
  ASSERT_TRUE(plain.Create(2, -1, 16));
  plain.top_row()[0] = 0xE0;
  plain.top_row()[1] = 0x07;
  EXPECT_EQ(PixelAt(plain, 0, 0), RGB(8, 255, 0));
}

TEST(LayeredSurface, PalettesAreCopiedUpToTheirBitCount) {
  // Entries are RGBQUADs: blue, green, red, reserved.
  std::vector<DWORD> palette(300, 0x00FFFFFF);
  palette[0] = 0x00FF0000;  // red
  palette[1] = 0x0000FF00;  // green
  palette[2] = 0x000000FF;  // blue
  LayeredSurface s;
  ASSERT_TRUE(s.Create(4, -1, 8, palette.data(), 300));  // only 256 can be used
  s.top_row()[0] = 1;
  s.top_row()[1] = 2;
  s.top_row()[2] = 255;
  EXPECT_EQ(PixelAt(s, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(s, 1, 0), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(s, 2, 0), RGB(255, 255, 255));

  LayeredSurface mono;
  ASSERT_TRUE(mono.Create(8, -1, 1, palette.data(), 5));  // two entries for 1 bit
  SurfaceDC dc(mono);
  RGBQUAD table[256] = {};
  EXPECT_EQ(GetDIBColorTable(dc.get(), 0, 256, table), 2u);
  EXPECT_EQ(table[0].rgbRed, 255);
  EXPECT_EQ(table[1].rgbGreen, 255);
  EXPECT_EQ(table[1].rgbRed, 0);
  mono.top_row()[0] = 0x80;  // leftmost pixel uses entry 1
  EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc.get(), 1, 0), RGB(255, 0, 0));
}

TEST(LayeredSurface, DeviceContextIsSharedAndDeletedByTheLastRelease) {
  LayeredSurface s;
  ASSERT_TRUE(s.Create(3, 3));
  HDC first = s.GetDC();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(s.GetDC(), first);
  EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), s.bitmap());
  s.ReleaseDC();
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_MEMDC));  // one holder left
  EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), s.bitmap());
  s.ReleaseDC();
  EXPECT_EQ(GetObjectType(first), 0u);  // deleted
  s.ReleaseDC();                        // an extra release is ignored

  // The bitmap was deselected: another DC can take it.
  HDC other = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(other, s.bitmap());
  EXPECT_TRUE(old != nullptr && old != HGDI_ERROR);
  SelectObject(other, old);
  DeleteDC(other);

  {
    SurfaceDC scoped(s);
    ASSERT_NE(scoped.get(), nullptr);
    EXPECT_TRUE(SetPixelV(scoped.get(), 1, 1, RGB(10, 20, 30)));
  }
  EXPECT_EQ(s.top_row()[1 * s.row_step() + 4 + 2], 10);  // red byte of pixel (1, 1)

  // Destroying the surface while the DC is held frees both.
  HDC held = s.GetDC();
  HBITMAP bitmap = s.bitmap();
  s.Destroy();
  EXPECT_EQ(GetObjectType(held), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_TRUE(s.empty());
}

}  // namespace
