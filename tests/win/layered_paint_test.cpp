// Premultiplied loading, nine-grid blending and layered presentation, checked on the pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_pictures.h"

namespace {

struct Px {
  std::uint8_t b = 0, g = 0, r = 0, a = 0;
  bool operator==(const Px& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
};

std::ostream& operator<<(std::ostream& os, const Px& p) {
  return os << "(b" << int(p.b) << " g" << int(p.g) << " r" << int(p.r) << " a" << int(p.a) << ")";
}

// A 32-bit image read top-down.
struct Image {
  int width = 0, height = 0;
  std::vector<Px> px;
  Px at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

bool ReadBitmap(HBITMAP bitmap, Image* out) {
  DIBSECTION dib = {};
  if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib)) return false;
  if (dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits) return false;
  out->width = dib.dsBm.bmWidth;
  out->height = dib.dsBm.bmHeight;
  out->px.clear();
  for (int y = 0; y < out->height; ++y) {
    int row = dib.dsBmih.biHeight > 0 ? out->height - 1 - y : y;
    const auto* p = static_cast<const std::uint8_t*>(dib.dsBm.bmBits) +
                    static_cast<size_t>(row) * dib.dsBm.bmWidthBytes;
    for (int x = 0; x < out->width; ++x, p += 4) out->px.push_back({p[0], p[1], p[2], p[3]});
  }
  return true;
}

Px SurfacePixel(const LayeredSurface& s, int x, int y) {
  const std::uint8_t* p = s.top_row() + y * s.row_step() + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

void SetSurfacePixel(LayeredSurface& s, int x, int y, Px v) {
  std::uint8_t* p = s.top_row() + y * s.row_step() + x * 4;
  p[0] = v.b;
  p[1] = v.g;
  p[2] = v.r;
  p[3] = v.a;
}

class LayeredPaint : public testpictures::EngineModuleTest {
 protected:
  const HINSTANCE engine_ = engine();
};

TEST_F(LayeredPaint, LoadedBitmapsArePremultiplied) {
  // Tool bar panel, button frames, menu panel, shadow square: all with soft alpha edges.
  for (UINT id : {122u, 123u, 1080u, 121u}) {
    HBITMAP raw_bitmap = static_cast<HBITMAP>(
        LoadImageW(engine_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HBITMAP loaded = LoadPremultipliedBitmap(engine_, id);
    Image raw, premultiplied;
    ASSERT_TRUE(ReadBitmap(raw_bitmap, &raw)) << id;
    ASSERT_TRUE(ReadBitmap(loaded, &premultiplied)) << id;
    ASSERT_EQ(premultiplied.width, raw.width);
    ASSERT_EQ(premultiplied.height, raw.height);
    int changed = 0;
    for (size_t i = 0; i < raw.px.size(); ++i) {
      const Px& s = raw.px[i];
      const Px expect = {std::uint8_t(s.b * s.a / 255), std::uint8_t(s.g * s.a / 255),
                         std::uint8_t(s.r * s.a / 255), s.a};
      ASSERT_EQ(premultiplied.px[i], expect) << "bitmap " << id << " pixel " << i;
      if (!(expect == s)) ++changed;
    }
    EXPECT_GT(changed, 0) << "bitmap " << id << " has no translucent colour to premultiply";
    DeleteObject(raw_bitmap);
    DeleteObject(loaded);
  }
  EXPECT_EQ(LoadPremultipliedBitmap(engine_, 4321), nullptr);
}

// A 9 x 9 source of 3 x 3 regions: each corner a gradient of distinct pixels, each edge one
// colour, the centre half-transparent (premultiplied). Placed at column `offset` of the surface.
Px SourcePixel(int x, int y) {
  const int rx = x / 3, ry = y / 3;
  const bool corner = rx != 1 && ry != 1;
  if (corner)
    return {std::uint8_t(40 * rx + x), std::uint8_t(40 * ry + y), std::uint8_t(200 + x + y), 255};
  if (rx == 1 && ry == 1) return {64, 32, 0, 128};
  return {std::uint8_t(rx * 100), std::uint8_t(ry * 100), 50, 255};
}

void FillSource(LayeredSurface& s, int offset) {
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) SetSurfacePixel(s, offset + x, y, SourcePixel(x, y));
}

// Where destination pixel (x, y) of a nine-grid of the 9 x 9 source with margins 3 drawn at
// (dx, dy) with size w x h reads from: margins one to one, the middle from any middle pixel
// (they are all alike).
Px ExpectedNineGrid(int x, int y, int dx, int dy, int w, int h) {
  if (x < dx || y < dy || x >= dx + w || y >= dy + h) return {};
  auto map = [](int v, int len) { return v < 3 ? v : v >= len - 3 ? 9 - (len - v) : 4; };
  return SourcePixel(map(x - dx, w), map(y - dy, h));
}

TEST_F(LayeredPaint, NineGridKeepsCornersAndStretchesTheRest) {
  for (int offset : {0, 9}) {  // the pattern alone, or as the second frame of a strip
    LayeredSurface source, dest;
    ASSERT_TRUE(source.Create(18, 9));
    ASSERT_TRUE(dest.Create(40, 30));
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 18; ++x) SetSurfacePixel(source, x, y, {1, 2, 3, 255});  // other frame
    FillSource(source, offset);
    {
      SurfaceDC s(source), d(dest);
      ASSERT_TRUE(DrawNineGrid(d.get(), 5, 4, 20, 12, s.get(), offset, 0, 3, 3, 3, 3, 9, 9));
    }
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(SurfacePixel(dest, x, y), ExpectedNineGrid(x, y, 5, 4, 20, 12))
            << "at " << x << "," << y << " source offset " << offset;
  }
}

TEST_F(LayeredPaint, NineGridNeverDrawsOutsideItsRectangle) {
  LayeredSurface source, dest;
  ASSERT_TRUE(source.Create(9, 9));
  ASSERT_TRUE(dest.Create(20, 20));
  FillSource(source, 0);
  {
    SurfaceDC s(source), d(dest);
    // 4 x 4 is smaller than the 3 + 3 margins; margins of 7 leave the source no middle.
    DrawNineGrid(d.get(), 2, 2, 4, 4, s.get(), 0, 0, 3, 3, 3, 3, 9, 9);
    DrawNineGrid(d.get(), 10, 10, 6, 6, s.get(), 0, 0, 7, 7, 7, 7, 9, 9);
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside =
          (x >= 2 && x < 6 && y >= 2 && y < 6) || (x >= 10 && x < 16 && y >= 10 && y < 16);
      if (inside) {
        ASSERT_NE(SurfacePixel(dest, x, y).a, 0) << x << "," << y;
      } else {
        ASSERT_EQ(SurfacePixel(dest, x, y), Px{}) << x << "," << y;
      }
    }
  }
  // The small one is all corners, squeezed: its top-left pixel comes from the source's top-left
  // corner (blue and green below 3 there), its bottom-right one from the bottom-right corner.
  const Px tl = SurfacePixel(dest, 2, 2), br = SurfacePixel(dest, 5, 5);
  EXPECT_TRUE(tl.b < 3 && tl.g < 3 && tl.a == 255) << tl;
  EXPECT_TRUE(br.b >= 86 && br.g >= 86 && br.a == 255) << br;
}

TEST_F(LayeredPaint, ToolbarPanelOnABar) {
  HBITMAP panel = LoadPremultipliedBitmap(engine_, 122);
  Image image;
  ASSERT_TRUE(ReadBitmap(panel, &image));
  ASSERT_EQ(image.width, 34);
  ASSERT_EQ(image.height, 32);
  LayeredSurface bar;
  ASSERT_TRUE(bar.Create(100, 50));
  {
    BitmapSource source(panel);
    SurfaceDC dc(bar);
    ASSERT_TRUE(DrawNineGrid(dc.get(), 0, 0, 100, 50, source.dc(), 0, 0, 3, 3, 3, 3, source.width(),
                             source.height()));
  }
  // Over transparent pixels a premultiplied blend leaves the source as it is: corners match the
  // panel's corners pixel for pixel.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(SurfacePixel(bar, x, y), image.at(x, y));
      EXPECT_EQ(SurfacePixel(bar, 97 + x, y), image.at(31 + x, y));
      EXPECT_EQ(SurfacePixel(bar, x, 47 + y), image.at(x, 29 + y));
      EXPECT_EQ(SurfacePixel(bar, 97 + x, 47 + y), image.at(31 + x, 29 + y));
    }
  }
  EXPECT_EQ(SurfacePixel(bar, 50, 25), image.at(17, 16));  // the opaque middle
  EXPECT_EQ(SurfacePixel(bar, 50, 25).a, 255);
  DeleteObject(panel);
}

HWND MakePopup(DWORD ex_style) {
  return CreateWindowExW(ex_style | WS_EX_TOOLWINDOW, L"static", L"", WS_POPUP, 50, 60, 10, 10,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST_F(LayeredPaint, PresentingSizesTheWindowToTheSurface) {
  HWND layered = MakePopup(WS_EX_LAYERED);
  HWND plain = MakePopup(0);
  LayeredSurface surface, empty;
  ASSERT_TRUE(surface.Create(40, 30));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) SetSurfacePixel(surface, x, y, {0, 0, 200, 200});
  ASSERT_TRUE(PresentLayered(layered, surface));
  RECT r;
  GetWindowRect(layered, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right, 90);
  EXPECT_EQ(r.bottom, 90);
  // The surface's DC was given back: the bitmap can be selected elsewhere.
  HDC other = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(other, surface.bitmap());
  EXPECT_TRUE(old && old != HGDI_ERROR);
  SelectObject(other, old);
  DeleteDC(other);

  EXPECT_FALSE(PresentLayered(layered, empty));
  EXPECT_FALSE(PresentLayered(plain, surface));  // not a layered window
  DestroyWindow(layered);
  DestroyWindow(plain);
  EXPECT_FALSE(PresentLayered(layered, surface));  // gone
}

}  // namespace
