// Board layers composed into the overlay store: base copied, upper layers blended, all clipped.
#include "screenshot/capture/board_layers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Buffer {
  std::vector<uint32_t> px;
  PixelView view;
  Buffer(int w, int h, uint32_t fill) : px(static_cast<size_t>(w) * h, fill) {
    view = PixelView{px.data(), w, w, h};
  }
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * view.width + x]; }
};

TEST(BoardLayers, BaseCopiedUppersBlendedInOrder) {
  Buffer store(10, 8, 0x60000000);
  Buffer base(4, 3, 0xFF102030);
  Buffer upper1(4, 3, 0);     // transparent except one pixel
  upper1.px[0] = 0x80400000;  // half-transparent red-ish, premultiplied
  Buffer upper2(4, 3, 0);
  upper2.px[11] = 0xFF00FF00;  // opaque green at the layer's bottom-right
  const Rect w =
      ComposeBoardLayers(store.view, Point{2, 1}, &base.view, &upper1.view, &upper2.view);
  EXPECT_EQ(w, (Rect{2, 1, 6, 4}));
  EXPECT_EQ(store.at(1, 1), 0x60000000u);  // outside untouched
  EXPECT_EQ(store.at(3, 2), 0xFF102030u);  // base copied opaquely
  // 0x80400000 over 0xFF102030, rounded: A 0x80 + 0x7F, R 0x40 + 0x08, G 0x10, B 0x18.
  EXPECT_EQ(store.at(2, 1), 0xFF481018u);
  EXPECT_EQ(store.at(5, 3), 0xFF00FF00u);
}

TEST(BoardLayers, ClippedAtTheStoreEdgesAndMissingLayersSkipped) {
  Buffer store(5, 5, 0);
  Buffer base(4, 4, 0xFFFFFFFF);
  const Rect w = ComposeBoardLayers(store.view, Point{3, -2}, &base.view, nullptr, nullptr);
  EXPECT_EQ(w, (Rect{3, 0, 5, 2}));
  EXPECT_EQ(store.at(4, 1), 0xFFFFFFFFu);
  EXPECT_EQ(store.at(2, 1), 0u);
  EXPECT_EQ(store.at(4, 2), 0u);
  EXPECT_TRUE(ComposeBoardLayers(store.view, Point{9, 9}, &base.view, nullptr, nullptr).IsEmpty());
}

TEST(BoardLayers, BlendEdgeCases) {
  EXPECT_EQ(BlendPremultiplied(0x12345678, 0x00000000), 0x12345678u);  // nothing over
  EXPECT_EQ(BlendPremultiplied(0x12345678, 0xFF000000), 0xFF000000u);  // opaque black covers
  // Not premultiplied (colour above alpha): saturates, never wraps.
  EXPECT_EQ(BlendPremultiplied(0xFFFFFFFF, 0x10FFFFFF), 0xFFFFFFFFu);
}

}  // namespace
