// The shared image set loads all 28 slots premultiplied, both cursors and its font.
#include <gtest/gtest.h>

#include <string>

#include "screenshot/res/bitmap_sizes.h"
#include "screenshot/ui/ImageSet.h"
#include "win/support/test_pictures.h"

namespace {

using ImageSetTest = testpictures::EngineModuleTest;

TEST_F(ImageSetTest, LoadsEverySlotPremultipliedWithCursorsAndFont) {
  const HINSTANCE engine = testpictures::EngineInstance();
  ImageSet images;
  images.Load(reinterpret_cast<HINSTANCE>(engine));
  // Every slot holds its bitmap at the size the engine's pictures have, premultiplied: no
  // colour byte exceeds its pixel's alpha.
  for (int s = 0; s < ImageSet::kSlotCount; ++s) {
    SCOPED_TRACE("slot " + std::to_string(s));
    const BitmapSize* size = nullptr;
    for (const BitmapSize& b : kBitmapSizes)
      if (b.id == static_cast<int>(ImageSet::kResourceIds[s])) size = &b;
    ASSERT_TRUE(size) << "no such picture";
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectW(images.bitmap(static_cast<ImageSet::Slot>(s)), sizeof(ds), &ds),
              static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, size->width);
    EXPECT_EQ(ds.dsBm.bmHeight, size->height);
    const auto* px = static_cast<const BYTE*>(ds.dsBm.bmBits);
    for (int i = 0; i < size->width * size->height; ++i) {
      const BYTE* p = px + 4 * i;
      ASSERT_LE(p[0], p[3]);
      ASSERT_LE(p[1], p[3]);
      ASSERT_LE(p[2], p[3]);
    }
  }
  EXPECT_TRUE(images.normal_cursor());
  EXPECT_TRUE(images.tool_cursor());
  LOGFONTW lf = {};
  ASSERT_TRUE(GetObjectW(images.small_font(), sizeof(lf), &lf));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(lf.lfFaceName, L"arial");
  // Reloading a slot replaces its bitmap with a new one of the same picture and frees the old.
  const HBITMAP before = images.bitmap(ImageSet::kLogo);
  images.LoadSlot(reinterpret_cast<HINSTANCE>(engine), ImageSet::kLogo);
  const HBITMAP after = images.bitmap(ImageSet::kLogo);
  ASSERT_TRUE(after);
  EXPECT_NE(after, before);
  EXPECT_EQ(GetObjectType(before), 0u) << "the old bitmap is still alive";
  BITMAP bm = {};
  ASSERT_TRUE(GetObjectW(after, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 190);
  EXPECT_EQ(bm.bmHeight, 67);
}

}  // namespace
