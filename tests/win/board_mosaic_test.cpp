// The mosaic tool on the board: the blurred preview with its dashed frame while dragging, the
// region a release makes (blocks of 10 pixels, each the average of what lay under it), drags
// that make nothing, what it blurs (older objects) and what it leaves sharp (newer ones) on the
// screen and in the composed copy (also while hovered or selected), undo and redo, select and
// delete without moving, the right button under the mosaic tool, and a drag cut short by a lost
// capture.
//
// Expected blocks are worked out here from a copy of the pixels the board showed before the
// mosaic was made.
#include <gtest/gtest.h>

#include <vector>

#include "screenshot/base/tool_commands.h"
#include "win/support/test_board.h"

namespace {

using testboard::BoardTest;

constexpr COLORREF kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr uint32_t kGreenArgb = 0xFF00FF00, kBlueArgb = 0xFF0000FF;
constexpr uint32_t kFrameArgb = 0xFF02D8FF;

class BoardMosaic : public BoardTest {
 protected:
  std::vector<uint32_t> Background() const {
    const PixelView& v = board_.background_layer().pixels();
    std::vector<uint32_t> px;
    for (int y = 0; y < v.height; ++y) px.insert(px.end(), v.Row(y), v.Row(y) + v.width);
    return px;
  }
  // The opaque average of `px` (a board-sized picture) over [x0, x1) x [y0, y1).
  static uint32_t Average(const std::vector<uint32_t>& px, int x0, int y0, int x1, int y1) {
    unsigned sum[3] = {0, 0, 0};
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        for (int c = 0; c < 3; ++c)
          sum[c] += (px[static_cast<size_t>(y) * kWidth + x] >> (8 * c)) & 0xFF;
    const unsigned n = static_cast<unsigned>((x1 - x0) * (y1 - y0));
    return 0xFF000000u | (sum[2] / n) << 16 | (sum[1] / n) << 8 | sum[0] / n;
  }
  // The block of `area` that holds (x, y): 10 x 10 from the area's corner, cut at its edges.
  static Rect BlockAt(const Rect& area, int x, int y) {
    const int bx = area.left + (x - area.left) / 10 * 10, by = area.top + (y - area.top) / 10 * 10;
    return Rect{bx, by, std::min(bx + 10, area.right), std::min(by + 10, area.bottom)};
  }
  static uint32_t BlockOf(const std::vector<uint32_t>& before, const Rect& area, int x, int y) {
    const Rect b = BlockAt(area, x, y);
    return Average(before, b.left, b.top, b.right, b.bottom);
  }
  // Whether every pixel of `area` that `pixel` gives is its block's average of `before`.
  template <typename PixelFn>
  static ::testing::AssertionResult Blurred(PixelFn pixel, const std::vector<uint32_t>& before,
                                            const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (pixel(x, y) != BlockOf(before, area, x, y))
          return ::testing::AssertionFailure()
                 << "at " << x << "," << y << ": " << std::hex << pixel(x, y) << " not "
                 << BlockOf(before, area, x, y);
    return ::testing::AssertionSuccess();
  }
  auto Bg() const {
    return [this](int x, int y) { return At(board_.background_layer(), x, y); };
  }
  auto OnScreen() const {
    return [this](int x, int y) { return Shown(x, y); };
  }
  // The picture Compose gives over the screen's own pixels.
  std::vector<uint32_t> Composed() {
    void* bits = nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(bi.bmiHeader), kWidth, -kHeight, 1, 32};
    ScopedBitmap image(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* px = static_cast<uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) px[y * kWidth + x] = Under(x, y);
    {
      ScopedDC dc(CreateCompatibleDC(nullptr));
      ScopedSelectObject selected(dc.get(), image.get());
      board_.Compose(dc.get());
    }
    GdiFlush();
    return std::vector<uint32_t>(px, px + kWidth * kHeight);
  }
  // A mosaic dragged out from (x0, y0) to (x1, y1) with the mosaic tool.
  void Mosaic(int x0, int y0, int x1, int y1) {
    board_.SetTool(kToolMosaic);
    Drag(x0, y0, x1, y1);
  }
  // A green arrow along y = 40 with a mosaic over its left part (kOverArrow); answers the
  // background as it was before the mosaic.
  static constexpr Rect kOverArrow = {10, 30, 70, 60};
  std::vector<uint32_t> MosaicOverAGreenArrow() {
    Choose(kToolArrow, kGreen, 2);
    Drag(20, 40, 120, 40);
    std::vector<uint32_t> with_arrow = Background();
    Mosaic(kOverArrow.left, kOverArrow.top, kOverArrow.right, kOverArrow.bottom);
    return with_arrow;
  }
};

TEST_F(BoardMosaic, DragPreviewsTheBlurInADashedFrameAndReleaseKeepsItOnTheBackground) {
  const std::vector<uint32_t> before = Background();
  board_.SetTool(kToolMosaic);
  Press(40, 30);
  Move(60, 45);
  Move(75, 53);
  const Rect area = {40, 30, 75, 53};  // 35 x 23: blocks of 10, 10, 10, 5 by 10, 10, 3
  ASSERT_TRUE(board_.shown_overlay);
  EXPECT_TRUE(Blurred(OnScreen(), before, area));
  // The frame runs just outside the area, in dashes: frame colour and gaps along its top edge.
  int frame = 0, gaps = 0;
  for (int x = 42; x < 73; ++x) {
    frame += Shown(x, 29) == kFrameArgb;
    gaps += Shown(x, 29) == Under(x, 29);
  }
  EXPECT_GT(frame, 10);
  EXPECT_GT(gaps, 3);
  EXPECT_EQ(ObjectCount(), 0) << "nothing is made before the release";
  EXPECT_EQ(Background(), before);

  Release(75, 53);
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(Last()->kind, kObjectMasaiKe);
  EXPECT_EQ(Last()->rect, area);
  EXPECT_EQ(RecordCount(), 1);
  EXPECT_TRUE(board_.CanUndo());
  EXPECT_TRUE(Blurred(Bg(), before, area));
  EXPECT_FALSE(board_.shown_overlay);  // the frame went with the drag
  EXPECT_EQ(Shown(50, 29), Under(50, 29));
  EXPECT_TRUE(Blurred(OnScreen(), before, area));
  // The narrow last column and the low last row hold their own pixels' average.
  EXPECT_EQ(At(board_.background_layer(), 72, 51), Average(before, 70, 50, 75, 53));
}

TEST_F(BoardMosaic, DragEndingOnThePressRowOrColumnMakesNothing) {
  const std::vector<uint32_t> before = Background();
  Mosaic(40, 30, 90, 30);
  Mosaic(40, 30, 40, 90);
  Mosaic(0, 30, -20, 60);  // clamped onto the press column at the board's left edge
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_FALSE(board_.CanUndo());
  EXPECT_EQ(Background(), before);
  EXPECT_FALSE(board_.shown_overlay);
  // A click without a move shows nothing new.
  const int calls = board_.layer_calls;
  Mosaic(60, 60, 60, 60);
  EXPECT_EQ(board_.layer_calls, calls);
  EXPECT_EQ(ObjectCount(), 0);
}

TEST_F(BoardMosaic, BlursTheArrowUnderItWhileAnArrowDrawnAfterStaysSharpOnScreenAndInTheCopy) {
  const std::vector<uint32_t> with_arrow = MosaicOverAGreenArrow();
  const Rect area = kOverArrow;
  ASSERT_EQ(ObjectCount(), 2);
  EXPECT_TRUE(Blurred(Bg(), with_arrow, area));
  // The arrow is in the blocks it crosses: not sharp green, not the screen's own average.
  EXPECT_NE(At(board_.background_layer(), 40, 40), kGreenArgb);
  uint32_t screen_only[kWidth * kHeight];
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) screen_only[y * kWidth + x] = Under(x, y);
  EXPECT_NE(
      At(board_.background_layer(), 40, 40),
      Average(std::vector<uint32_t>(screen_only, screen_only + kWidth * kHeight), 40, 40, 50, 50));
  EXPECT_EQ(At(board_.background_layer(), 100, 40), kGreenArgb) << "sharp outside the area";

  Choose(kToolArrow, kBlue, 2);
  Drag(20, 55, 140, 55);
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass ? "after a rebuild" : "as drawn");
    EXPECT_EQ(At(board_.background_layer(), 40, 55), kBlueArgb);
    EXPECT_EQ(At(board_.background_layer(), 40, 51), BlockOf(with_arrow, area, 40, 51));
    EXPECT_TRUE(Blurred(Bg(), with_arrow, Rect{10, 30, 70, 50}));
    board_.Refresh();
  }

  // The copy: the blocks under the newer arrow are those of the screen, not smeared with it.
  const std::vector<uint32_t> copy = Composed();
  EXPECT_EQ(copy[55 * kWidth + 40] | 0xFF000000u, kBlueArgb);
  for (int x = 10; x < 70; x += 3)
    for (int y : {50, 51, 52, 58, 59}) {
      ASSERT_EQ(copy[y * kWidth + x] | 0xFF000000u, BlockOf(with_arrow, area, x, y))
          << x << "," << y;
    }
  auto composed = [&copy](int x, int y) { return copy[y * kWidth + x] | 0xFF000000u; };
  EXPECT_TRUE(Blurred(composed, with_arrow, Rect{10, 30, 70, 50}));
}

TEST_F(BoardMosaic, UndoRestoresTheUnblurredPixelsAndRedoBlursThemAgain) {
  Choose(kToolArrow, kGreen, 2);
  Drag(20, 40, 120, 40);
  const std::vector<uint32_t> with_arrow = Background();
  const Rect area = {15, 25, 62, 57};
  Mosaic(area.right, area.bottom, area.left, area.top);  // dragged up and left
  ASSERT_EQ(Last()->rect, area);
  board_.Undo();
  EXPECT_EQ(Background(), with_arrow);
  EXPECT_EQ(Shown(30, 40), kGreenArgb);
  EXPECT_FALSE(Last()->IsLive());
  EXPECT_TRUE(board_.CanRedo());
  board_.Redo();
  EXPECT_TRUE(Blurred(Bg(), with_arrow, area));
  EXPECT_TRUE(Blurred(OnScreen(), with_arrow, area));
  // A new object after an undo drops the undone mosaic for good.
  board_.Undo();
  Choose(kToolArrow, kBlue, 2);
  Drag(20, 100, 120, 100);
  EXPECT_EQ(ObjectCount(), 2);
  EXPECT_FALSE(board_.CanRedo());
}

TEST_F(BoardMosaic, CanBeHoveredSelectedAndDeletedButNeverMoved) {
  const std::vector<uint32_t> before = Background();
  const Rect area = {30, 30, 90, 80};
  Mosaic(area.left, area.top, area.right, area.bottom);
  CScrawlBoard::CObjectBase* mosaic = Last();
  board_.SelectNext();
  ASSERT_EQ(board_.selected(), mosaic);
  EXPECT_EQ(board_.GetStyleKind(), 0) << "no bar for a mosaic";
  EXPECT_EQ(mosaic->HitTestHandles(area.left, area.top), kHitNone);
  Press(150, 120);  // away from it: let go
  Release(150, 120);
  ASSERT_EQ(board_.selected(), nullptr);

  Hover(60, 55);  // anywhere inside
  ASSERT_EQ(board_.hovered(), mosaic);
  Press(60, 55);
  ASSERT_EQ(board_.selected(), mosaic);
  Move(80, 75);
  Move(110, 100);
  Release(110, 100);
  EXPECT_EQ(mosaic->rect, area) << "not moved";
  EXPECT_EQ(RecordCount(), 1);
  board_.Refresh();
  EXPECT_TRUE(Blurred(OnScreen(), before, area));
  EXPECT_EQ(Shown(115, 105), Under(115, 105));

  ASSERT_TRUE(board_.CanDelete());
  board_.Delete();
  EXPECT_EQ(RecordCount(), 2);
  EXPECT_EQ(Background(), before);
  EXPECT_EQ(Shown(60, 55), Under(60, 55));
  board_.Undo();
  EXPECT_TRUE(Blurred(Bg(), before, area));
}

TEST_F(BoardMosaic, HoveredOrSelectedItStillLeavesNewerDrawingsSharpOnScreen) {
  const std::vector<uint32_t> with_arrow = MosaicOverAGreenArrow();
  const Rect area = kOverArrow;
  CScrawlBoard::CObjectBase* mosaic = Last();
  Choose(kToolArrow, kBlue, 2);
  Drag(20, 55, 140, 55);
  const std::vector<uint32_t> settled = Background();

  // Everywhere in and round the area the screen shows what it shows unhovered: the newer blue
  // arrow sharp over the blocks, the blocks made of what lay under the mosaic.
  auto same_as_settled = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(Shown(40, 55), kBlueArgb);
    for (int y = area.top - 3; y < area.bottom + 3; ++y)
      for (int x = area.left - 3; x < area.right + 3; ++x)
        ASSERT_EQ(Shown(x, y), settled[static_cast<size_t>(y) * kWidth + x]) << x << "," << y;
  };
  board_.SelectNext();  // select mode, then nothing selected
  Press(150, 120);
  Release(150, 120);
  Hover(30, 35);
  ASSERT_EQ(board_.hovered(), mosaic);
  ASSERT_TRUE(board_.shown_hover);
  same_as_settled("hovered");
  Press(30, 35);
  Release(30, 35);
  ASSERT_EQ(board_.selected(), mosaic);
  same_as_settled("selected");
  Hover(150, 120);
  board_.Refresh();
  same_as_settled("selected, refreshed");
  EXPECT_TRUE(Blurred(OnScreen(), with_arrow, Rect{10, 30, 70, 50}));
}

TEST_F(BoardMosaic, RightButtonUnderTheMosaicToolNamesTheObjectUnhighlightedWithNoDelete) {
  Choose(kToolArrow, kGreen, 2);
  Drag(20, 40, 120, 40);
  Mosaic(30, 30, 90, 80);
  CScrawlBoard::CObjectBase* mosaic = Last();
  bool ran = false;
  board_.on_menu = [&] {
    ran = true;
    EXPECT_EQ(board_.context_object(), mosaic);
    EXPECT_FALSE(board_.CanDelete());
    board_.Delete();  // the menu's delete, were it offered
  };
  const int calls = board_.layer_calls;
  Send(WM_RBUTTONDOWN, 60, 55);
  EXPECT_TRUE(ran);
  EXPECT_EQ(board_.layer_calls, calls) << "no highlight";
  EXPECT_TRUE(mosaic->IsLive());
  EXPECT_EQ(RecordCount(), 2);
}

TEST_F(BoardMosaic, LostCaptureTakesThePreviewAwayAndMakesNothing) {
  board_.SetTool(kToolMosaic);
  Press(40, 30);
  Move(90, 70);
  ASSERT_TRUE(board_.shown_overlay);
  EXPECT_TRUE(Send(WM_CAPTURECHANGED, 0, 0));
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(Shown(60, 50), Under(60, 50));
  EXPECT_FALSE(Send(WM_LBUTTONUP, 90, 70));
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(RecordCount(), 0);
}

}  // namespace
