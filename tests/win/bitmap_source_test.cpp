// BitmapSource: the bitmap itself when it is free, a private copy when another DC holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "screenshot/ui/BitmapSource.h"

namespace {

// A 4 x 2 top-down 32-bit DIB section with a distinct colour and alpha per pixel.
HBITMAP MakeBitmap() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < 8; ++i) {
    p[i * 4 + 0] = static_cast<std::uint8_t>(i * 10);       // blue
    p[i * 4 + 1] = static_cast<std::uint8_t>(i * 20);       // green
    p[i * 4 + 2] = static_cast<std::uint8_t>(i * 30);       // red
    p[i * 4 + 3] = static_cast<std::uint8_t>(i * 30 + 10);  // alpha
  }
  return b;
}

bool Selectable(HBITMAP bitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  bool ok = old && old != HGDI_ERROR;
  if (ok) SelectObject(dc, old);
  DeleteDC(dc);
  return ok;
}

TEST(BitmapSource, SelectsAFreeBitmapAndGivesItBack) {
  HBITMAP bitmap = MakeBitmap();
  {
    BitmapSource source(bitmap);
    ASSERT_TRUE(source.ok());
    EXPECT_FALSE(source.using_copy());
    EXPECT_EQ(source.width(), 4);
    EXPECT_EQ(source.height(), 2);
    EXPECT_EQ(GetCurrentObject(source.dc(), OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetPixel(source.dc(), 3, 1), RGB(210, 140, 70));  // pixel 7
    EXPECT_FALSE(Selectable(bitmap));
  }
  EXPECT_TRUE(Selectable(bitmap));
  DeleteObject(bitmap);
}

TEST(BitmapSource, BlitsFromACopyWhenTheBitmapIsHeldElsewhere) {
  HBITMAP bitmap = MakeBitmap();
  HDC holder = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(holder, bitmap);
  HGDIOBJ copy = nullptr;
  {
    BitmapSource source(bitmap);
    ASSERT_TRUE(source.ok());
    EXPECT_TRUE(source.using_copy());
    EXPECT_EQ(source.width(), 4);
    EXPECT_EQ(source.height(), 2);
    copy = GetCurrentObject(source.dc(), OBJ_BITMAP);
    EXPECT_NE(copy, bitmap);
    EXPECT_EQ(GetPixel(source.dc(), 1, 0), RGB(30, 20, 10));
    EXPECT_EQ(GetPixel(source.dc(), 3, 1), RGB(210, 140, 70));
    // The copy keeps the alpha bytes, which every blend of the bars needs.
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectW(copy, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 32);
    const auto* row = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    if (dib.dsBmih.biHeight > 0) row += dib.dsBm.bmWidthBytes;  // bottom-up: row 0 is last
    EXPECT_EQ(row[2 * 4 + 3], 70);                              // alpha of pixel (2, 0)
  }
  EXPECT_EQ(GetObjectType(copy), 0u);                       // deleted with the source
  EXPECT_EQ(GetCurrentObject(holder, OBJ_BITMAP), bitmap);  // the holder is undisturbed
  SelectObject(holder, old);
  DeleteDC(holder);
  DeleteObject(bitmap);
}

TEST(BitmapSource, NothingToSelect) {
  BitmapSource none(nullptr);
  EXPECT_FALSE(none.ok());
  EXPECT_EQ(none.dc(), nullptr);
  HBITMAP bitmap = MakeBitmap();
  DeleteObject(bitmap);
  BitmapSource gone(bitmap);
  EXPECT_FALSE(gone.ok());
}

}  // namespace
