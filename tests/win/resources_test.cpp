// The engine's pictures as the engine will find them: Snapshot.exe (beside this test program) is
// loaded as a data file and every numbered bitmap and cursor is read back and compared with the
// sizes and looks the engine relies on. The ids are written out as numbers on purpose, so a wrong
// name in the resource header shows. (The texts, templates and menu: resource_texts_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "screenshot/res/bitmap_sizes.h"
#include "win/support/test_pictures.h"

namespace {

using ResourcesTest = testpictures::EngineModuleTest;

HINSTANCE Engine() { return testpictures::EngineInstance(); }

// ---------------------------------------------------------------------------------------------
// Bitmaps

struct Px {
  int b, g, r, a;
};

struct Image {
  int width = 0, height = 0, bpp = 0;
  std::vector<Px> px;  // top-down
  const Px& at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
  Image frame(int index, int frameWidth) const {
    Image f;
    f.width = frameWidth;
    f.height = height;
    f.bpp = bpp;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < frameWidth; ++x) f.px.push_back(at(index * frameWidth + x, y));
    return f;
  }
};

bool loadBitmap(int id, Image* out) {
  HBITMAP bmp = static_cast<HBITMAP>(
      LoadImageW(Engine(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) return false;
  DIBSECTION ds = {};
  bool ok = GetObjectW(bmp, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits;
  if (ok) {
    out->width = ds.dsBm.bmWidth;
    out->height = ds.dsBm.bmHeight;
    out->bpp = ds.dsBm.bmBitsPixel;
    if (out->bpp == 32) {
      bool bottomUp = ds.dsBmih.biHeight > 0;
      const uint8_t* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
      for (int y = 0; y < out->height; ++y) {
        int row = bottomUp ? out->height - 1 - y : y;
        const uint8_t* p = bits + static_cast<size_t>(row) * ds.dsBm.bmWidthBytes;
        for (int x = 0; x < out->width; ++x, p += 4) out->px.push_back({p[0], p[1], p[2], p[3]});
      }
    }
  }
  DeleteObject(bmp);
  return ok;
}

int coveredPixels(const Image& img, int minAlpha = 32) {
  return static_cast<int>(
      std::count_if(img.px.begin(), img.px.end(), [&](const Px& p) { return p.a >= minAlpha; }));
}

// Alpha-weighted means over the picture's visible pixels (straight alpha).
struct Tone {
  double luminance = 0, saturation = 0, blue = 0, red = 0, overWhite = 0;
};

Tone toneOf(const Image& img) {
  Tone t;
  double weight = 0, white = 0;
  for (const Px& p : img.px) {
    double a = p.a / 255.0;
    int hi = std::max({p.r, p.g, p.b}), lo = std::min({p.r, p.g, p.b});
    double lum = (0.299 * p.r + 0.587 * p.g + 0.114 * p.b) / 255.0;
    t.luminance += a * lum;
    t.saturation += a * (hi == 0 ? 0.0 : (hi - lo) / static_cast<double>(hi));
    t.blue += a * p.b;
    t.red += a * p.r;
    white += a * lum + (1 - a);  // the picture composed over white
    weight += a;
  }
  if (weight > 0) {
    t.luminance /= weight;
    t.saturation /= weight;
    t.blue /= weight;
    t.red /= weight;
  }
  t.overWhite = white / static_cast<double>(img.px.size());
  return t;
}

bool samePixels(const Image& a, const Image& b) {
  if (a.px.size() != b.px.size()) return false;
  for (size_t i = 0; i < a.px.size(); ++i)
    if (a.px[i].r != b.px[i].r || a.px[i].g != b.px[i].g || a.px[i].b != b.px[i].b ||
        a.px[i].a != b.px[i].a)
      return false;
  return true;
}

// Every bitmap the engine loads, at the size its users draw it.

Image mustLoad(int id) {
  Image img;
  EXPECT_TRUE(loadBitmap(id, &img)) << "bitmap " << id;
  return img;
}

TEST_F(ResourcesTest, EveryBitmapLoadsAt32BitsAndItsExactSize) {
  for (const BitmapSize& s : kBitmapSizes) {
    SCOPED_TRACE("bitmap " + std::to_string(s.id));
    Image img;
    ASSERT_TRUE(loadBitmap(s.id, &img));
    EXPECT_EQ(img.width, s.width);
    EXPECT_EQ(img.height, s.height);
    EXPECT_EQ(img.bpp, 32);
    // The alpha channel carries the picture: a file saved without alpha would be invisible
    // once the engine premultiplies it.
    EXPECT_GT(coveredPixels(img), 0);
  }
}

// Two frames side by side: the icon, then the same icon greyed for a disabled button.
TEST_F(ResourcesTest, IconBitmapsHoldAnEnabledAndAGreyedFrame) {
  const int icons[] = {124, 125, 126, 105, 127, 129, 133, 134, 174, 131, 135, 132, 128, 130};
  for (int id : icons) {
    SCOPED_TRACE("bitmap " + std::to_string(id));
    Image img = mustLoad(id);
    ASSERT_EQ(img.width % 2, 0);
    Image enabled = img.frame(0, img.width / 2), grey = img.frame(1, img.width / 2);
    EXPECT_GE(coveredPixels(enabled), 12) << "empty icon";
    EXPECT_FALSE(samePixels(enabled, grey));
    Tone te = toneOf(enabled), tg = toneOf(grey);
    EXPECT_LE(tg.saturation, te.saturation + 1e-9);
    EXPECT_LT(tg.saturation, 0.05) << "greyed frame should be grey";
    EXPECT_GT(tg.overWhite, te.overWhite) << "greyed frame should be lighter";
    // The same picture: the shapes of the two frames overlap almost entirely.
    int both = 0, either = 0;
    for (size_t i = 0; i < enabled.px.size(); ++i) {
      bool e = enabled.px[i].a >= 48, g = grey.px[i].a >= 48;
      both += e && g;
      either += e || g;
    }
    EXPECT_GE(both * 10, either * 8);
  }
}

// Button highlights: a light blue hover frame, then a darker blue pressed (or checked) frame.
TEST_F(ResourcesTest, HighlightBitmapsAreLightBlueThenDarkerBlue) {
  struct H {
    int id, frameWidth;
  };
  for (H h : {H{123, 24}, H{1068, 52}, H{1081, 26}, H{1031, 22}, H{1049, 22}}) {
    SCOPED_TRACE("bitmap " + std::to_string(h.id));
    Image img = mustLoad(h.id);
    ASSERT_EQ(img.width, 2 * h.frameWidth);
    Tone hover = toneOf(img.frame(0, h.frameWidth)), pressed = toneOf(img.frame(1, h.frameWidth));
    EXPECT_GT(hover.blue, hover.red + 40);
    EXPECT_GT(pressed.blue, pressed.red + 40);
    EXPECT_LT(pressed.overWhite, hover.overWhite);
    EXPECT_GT(hover.overWhite, 0.85) << "hover should stay light";
  }
}

// Strips whose frames are states of one control (normal, hot, pressed, disabled): every frame
// must look different, or a state change would not show.
TEST_F(ResourcesTest, StateStripsHaveDistinctFrames) {
  struct S {
    int id, frames;
  };
  for (S s : {S{1043, 3}, S{1045, 4}, S{1039, 4}, S{1040, 4}, S{1041, 4}, S{1042, 4}, S{1066, 2}}) {
    SCOPED_TRACE("bitmap " + std::to_string(s.id));
    Image img = mustLoad(s.id);
    ASSERT_EQ(img.width % s.frames, 0);
    int fw = img.width / s.frames;
    for (int i = 0; i < s.frames; ++i)
      for (int j = i + 1; j < s.frames; ++j)
        EXPECT_FALSE(samePixels(img.frame(i, fw), img.frame(j, fw))) << i << " vs " << j;
  }
  // The scroll bar's width is a quarter of its strips; the arrows point opposite ways.
  Image up = mustLoad(1039), down = mustLoad(1041);
  ASSERT_EQ(up.height, down.height);
  int upperHalfUp = 0, upperHalfDown = 0;
  for (int y = 0; y < up.height / 2; ++y)
    for (int x = 0; x < 12; ++x) {
      upperHalfUp += up.at(x, y).a > 128;
      upperHalfDown += down.at(x, y).a > 128;
    }
  EXPECT_NE(upperHalfUp, upperHalfDown);
}

struct Margins {
  int left, top, right, bottom;
};

bool sameColumn(const Image& img, int x0, int x1, int y) {
  const Px &a = img.at(x0, y), &b = img.at(x1, y);
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Nine-grid backgrounds: the middle between the margins is stretched, so every middle column
// must equal every other (in all rows) and every middle row every other; the rounded corners
// lie inside the margins; the centre is opaque white.
TEST_F(ResourcesTest, NineGridPanelsStretchCleanly) {
  struct P {
    int id;
    Margins m;
    int frames;
  };
  const P panels[] = {{122, {3, 3, 3, 3}, 1},
                      {1030, {3, 3, 3, 3}, 1},
                      {1048, {3, 3, 3, 3}, 1},
                      {1080, {5, 8, 5, 8}, 1},
                      {1047, {5, 5, 8, 8}, 1},
                      {1046, {3, 3, 3, 3}, 1},
                      {1081, {3, 3, 3, 3}, 2},
                      {1045, {3, 3, 3, 3}, 4},
                      {1043, {3, 11, 22, 11}, 3},
                      // the thumb only stretches lengthwise: its width is the bar's width
                      {1040, {6, 3, 6, 3}, 4}};
  for (const P& p : panels) {
    Image strip = mustLoad(p.id);
    int fw = strip.width / p.frames;
    for (int f = 0; f < p.frames; ++f) {
      SCOPED_TRACE("bitmap " + std::to_string(p.id) + " frame " + std::to_string(f));
      Image img = strip.frame(f, fw);
      for (int x = p.m.left + 1; x < img.width - p.m.right; ++x)
        for (int y = 0; y < img.height; ++y)
          ASSERT_TRUE(sameColumn(img, p.m.left, x, y)) << "column " << x << " row " << y;
      for (int y = p.m.top + 1; y < img.height - p.m.bottom; ++y)
        for (int x = 0; x < img.width; ++x) {
          const Px &a = img.at(x, p.m.top), &b = img.at(x, y);
          ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a)
              << "row " << y << " column " << x;
        }
    }
  }
  // The white panels: transparent corner, opaque white middle, straight (not premultiplied)
  // alpha on the soft edges, which the engine's loader premultiplies itself.
  for (int id : {122, 1030, 1048, 1080, 1047, 1046}) {
    SCOPED_TRACE("panel " + std::to_string(id));
    Image img = mustLoad(id);
    const Px& centre = img.at(img.width / 2, img.height / 2);
    EXPECT_EQ(centre.a, 255);
    EXPECT_GE(std::min({centre.r, centre.g, centre.b}), 0xF0);
    EXPECT_LT(img.at(0, 0).a, 128);
    bool straight = std::any_of(img.px.begin(), img.px.end(), [](const Px& p) {
      return p.a > 0 && p.a < 255 && std::max({p.r, p.g, p.b}) > p.a;
    });
    EXPECT_TRUE(straight);
  }
  // The tooltip background has a shadow: below the panel it is darker than white.
  Image tip = mustLoad(1047);
  const Px& under = tip.at(tip.width / 2, tip.height - 2);
  EXPECT_GT(under.a, 0);
  EXPECT_LT(under.r, 128);
}

// Pen width dots grow from small to large; the line-style cells run solid, dash, dot, dash-dot.
TEST_F(ResourcesTest, PenBarPicturesFollowTheirOrder) {
  int small = coveredPixels(mustLoad(1032), 128), medium = coveredPixels(mustLoad(1033), 128),
      large = coveredPixels(mustLoad(1034), 128);
  EXPECT_GT(small, 0);
  EXPECT_LT(small, medium);
  EXPECT_LT(medium, large);

  Image styles = mustLoad(1035);
  ASSERT_EQ(styles.height, 72);
  std::vector<std::vector<int>> runs(4);  // lengths of the inked runs through each cell
  for (int cell = 0; cell < 4; ++cell) {
    int best = 0, bestRow = 0;
    for (int y = cell * 18; y < cell * 18 + 18; ++y) {
      int n = 0;
      for (int x = 0; x < styles.width; ++x) n += styles.at(x, y).a > 128;
      if (n > best) best = n, bestRow = y;
    }
    int run = 0;
    for (int x = 0; x <= styles.width; ++x) {
      bool on = x < styles.width && styles.at(x, bestRow).a > 128;
      if (on)
        ++run;
      else if (run)
        runs[cell].push_back(run), run = 0;
    }
  }
  ASSERT_EQ(runs[0].size(), 1u) << "solid";
  EXPECT_GE(runs[0][0], 20);
  EXPECT_GE(runs[1].size(), 3u) << "dash";
  EXPECT_GT(runs[2].size(), runs[1].size()) << "dot has more, shorter pieces than dash";
  EXPECT_LT(*std::max_element(runs[2].begin(), runs[2].end()),
            *std::max_element(runs[1].begin(), runs[1].end()));
  ASSERT_GE(runs[3].size(), 3u) << "dash-dot";
  EXPECT_GT(*std::max_element(runs[3].begin(), runs[3].end()),
            *std::min_element(runs[3].begin(), runs[3].end()))
      << "dash-dot mixes long and short pieces";
}

// ---------------------------------------------------------------------------------------------
// Cursors

struct RawCursor {
  int hotX = -1, hotY = -1, width = 0, height = 0, bpp = 0;
  std::vector<Px> px;  // top-down colour image
};

// Reads the cursor the way it is stored: group entry -> cursor image with its hotspot.
bool rawCursor(int id, RawCursor* out) {
  HRSRC grp =
      FindResourceW(Engine(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(12));  // RT_GROUP_CURSOR
  if (!grp) return false;
  const uint8_t* g = static_cast<const uint8_t*>(LockResource(LoadResource(Engine(), grp)));
  if (!g || reinterpret_cast<const WORD*>(g)[2] < 1) return false;
  WORD imageId = *reinterpret_cast<const WORD*>(g + 6 + 12);  // first entry's resource id
  HRSRC cur = FindResourceW(Engine(), MAKEINTRESOURCEW(imageId), MAKEINTRESOURCEW(1));  // RT_CURSOR
  if (!cur) return false;
  const uint8_t* c = static_cast<const uint8_t*>(LockResource(LoadResource(Engine(), cur)));
  const WORD* hot = reinterpret_cast<const WORD*>(c);
  const BITMAPINFOHEADER* bih = reinterpret_cast<const BITMAPINFOHEADER*>(c + 4);
  out->hotX = hot[0];
  out->hotY = hot[1];
  out->width = bih->biWidth;
  out->height = bih->biHeight / 2;
  out->bpp = bih->biBitCount;
  if (out->bpp != 32) return true;
  const uint8_t* bits = c + 4 + bih->biSize;
  for (int y = 0; y < out->height; ++y) {
    const uint8_t* row = bits + static_cast<size_t>(out->height - 1 - y) * out->width * 4;
    for (int x = 0; x < out->width; ++x)
      out->px.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
  }
  return true;
}

TEST_F(ResourcesTest, BothCursorsLoadWithTheirHotspotOnTheCrossCentre) {
  for (int id : {103, 175}) {
    SCOPED_TRACE("cursor " + std::to_string(id));
    HCURSOR h =
        static_cast<HCURSOR>(LoadImageW(Engine(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(h, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(h, &info));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyCursor(h);

    RawCursor raw;
    ASSERT_TRUE(rawCursor(id, &raw));
    EXPECT_EQ(raw.width, 32);
    EXPECT_EQ(raw.height, 32);
    ASSERT_EQ(raw.bpp, 32);
    EXPECT_EQ(static_cast<int>(info.xHotspot), raw.hotX);
    EXPECT_EQ(static_cast<int>(info.yHotspot), raw.hotY);
    ASSERT_TRUE(raw.hotX > 2 && raw.hotX < 29 && raw.hotY > 2 && raw.hotY < 29);
    auto px = [&](int x, int y) { return raw.px[static_cast<size_t>(y) * 32 + x]; };
    // The pixel under the hotspot is dark ink, and the cross's arms reach out from it in all
    // four directions.
    EXPECT_EQ(px(raw.hotX, raw.hotY).a, 255);
    EXPECT_LT(px(raw.hotX, raw.hotY).r, 64);
    auto inked = [&](int dx, int dy) {
      int n = 0;
      for (int k = 1; k < 10; ++k) {
        int x = raw.hotX + dx * k, y = raw.hotY + dy * k;
        if (x >= 0 && y >= 0 && x < 32 && y < 32 && px(x, y).a == 255 && px(x, y).r < 64) ++n;
      }
      return n;
    };
    EXPECT_GE(inked(-1, 0), 4);
    EXPECT_GE(inked(1, 0), 4);
    EXPECT_GE(inked(0, -1), 4);
    EXPECT_GE(inked(0, 1), 4);
  }
}

}  // namespace
