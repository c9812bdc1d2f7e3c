// The size list on the test desktop, driven with real mouse input: its sizes in points and pixels,
// where it opens and what it selects, a press that delivers a pixel height, scrolling, its
// picture, and closing on a click elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "screenshot/ui/CHeightComboBox.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_drop_lists.h"

namespace {

using namespace droplists;
using testinput::ClickAt;
using testpictures::Image;

constexpr RECT kButton = {200, 100, 240, 122};  // the size button the list opens for
const int kPoints[16] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

class HeightComboTest : public DropListTest {
 protected:
  void OpenList(int points) {
    ASSERT_TRUE(list.Open(kButton, points));
    testinput::Drain();
    ASSERT_TRUE(list.IsVisible());
  }
  POINT RowCentre(int r) const {
    const Rect row = list.row_rect(r);
    return OnScreen(list.hwnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2);
  }
  POINT OnBar(int y) const {
    const Rect bar = list.scroll_bar_rect();
    return OnScreen(list.hwnd(), (bar.left + bar.right) / 2, y >= 0 ? bar.top + y : bar.bottom + y);
  }
  RecordingSizeList list;
};

TEST_F(HeightComboTest, PixelHeightsFollowTheScreensResolution) {
  const int dpi = ScreenDpi();
  std::printf("screen: %d dots per inch\n", dpi);
  const int* px = CHeightComboBox::PixelHeights();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(px[i], MulDiv(kPoints[i], dpi, 72)) << kPoints[i];
  EXPECT_EQ(CHeightComboBox::PointSizeFor(MulDiv(14, dpi, 72)), 14);
  EXPECT_EQ(CHeightComboBox::PointSizeFor(MulDiv(14, dpi, 72) + 1), 16);
  if (dpi == 96) {
    EXPECT_EQ(CHeightComboBox::PointSizeFor(18), 14);
  }
}

TEST_F(HeightComboTest, OpensBelowTheButtonWithTheShownSizeSelected) {
  OpenList(14);
  EXPECT_EQ(list.selected_index(), 5);
  EXPECT_EQ(list.first_visible(), 5);
  EXPECT_EQ(list.scroll_bar().GetPosition(), 5);
  RECT wr;
  GetWindowRect(list.hwnd(), &wr);
  EXPECT_EQ(wr.left, kButton.left - 2);
  EXPECT_EQ(wr.top, kButton.bottom - 2);
  EXPECT_EQ(wr.right - wr.left, 42);
  EXPECT_EQ(wr.bottom - wr.top, 164);
  EXPECT_EQ(list.scroll_bar().maximum(), 15);
  EXPECT_EQ(list.scroll_bar().page(), 8);
  EXPECT_EQ(list.scroll_bar().arrow_step(), 7);

  OpenList(72);
  EXPECT_EQ(list.selected_index(), 15);
  EXPECT_EQ(list.first_visible(), 8);
  OpenList(13);  // not a size of the list
  EXPECT_EQ(list.selected_index(), -1);
  EXPECT_EQ(list.first_visible(), 0);
  // At the top left corner of the screen it may hang 2 pixels over the edges, no more.
  ASSERT_TRUE(list.Open(RECT{-30, -50, 10, -40}, 12));
  GetWindowRect(list.hwnd(), &wr);
  EXPECT_EQ(wr.left, -2);
  EXPECT_EQ(wr.top, -2);
}

TEST_F(HeightComboTest, APressOnASizeDeliversItsPixelHeight) {
  OpenList(12);  // 12 to 26 points shown
  ASSERT_EQ(list.first_visible(), 4);
  const POINT row = RowCentre(1);    // 14 points
  testinput::PressAt(row.x, row.y);  // the press alone chooses
  ASSERT_EQ(list.chosen.size(), 1u);
  EXPECT_EQ(list.chosen[0], MulDiv(14, ScreenDpi(), 72));
  if (ScreenDpi() == 96) {
    EXPECT_EQ(list.chosen[0], 19);
  }
  EXPECT_FALSE(list.IsVisible());
  testinput::Release();
  EXPECT_EQ(list.chosen.size(), 1u);

  OpenList(8);
  ClickAt(RowCentre(7).x, RowCentre(7).y);  // 18 points
  ASSERT_EQ(list.chosen.size(), 2u);
  EXPECT_EQ(list.chosen[1], MulDiv(18, ScreenDpi(), 72));
  // Opened and pressed again at once at the same place: the system reports a double click,
  // which chooses all the same.
  OpenList(8);
  ClickAt(RowCentre(7).x, RowCentre(7).y);
  ASSERT_EQ(list.chosen.size(), 3u);
  EXPECT_EQ(list.chosen[2], MulDiv(18, ScreenDpi(), 72));
  EXPECT_FALSE(list.IsVisible());
}

TEST_F(HeightComboTest, ScrollsByArrowWheelAndThumb) {
  OpenList(8);
  POINT p = OnBar(-6);  // the down arrow
  ClickAt(p.x, p.y);
  EXPECT_EQ(list.first_visible(), 7);
  ASSERT_FALSE(list.scrolls.empty());
  EXPECT_EQ(list.scrolls.back().code, 1);
  ClickAt(RowCentre(0).x, RowCentre(0).y);  // the rows follow: 18 points now heads them
  ASSERT_EQ(list.chosen.size(), 1u);
  EXPECT_EQ(list.chosen[0], MulDiv(18, ScreenDpi(), 72));

  OpenList(8);
  testinput::MoveTo(RowCentre(3).x, RowCentre(3).y);
  testinput::Wheel(-120);
  EXPECT_EQ(list.first_visible(), 8);
  EXPECT_EQ(list.scrolls.back().code, 1);
  EXPECT_EQ(list.scrolls.back().position, 8);
  testinput::Wheel(120);
  EXPECT_EQ(list.first_visible(), 2);
  EXPECT_EQ(list.scrolls.back().code, 0);

  // The thumb dragged up to the top; then the 72-point row is out of sight.
  const Rect thumb = list.scroll_bar().Layout().thumb;
  const Rect bar = list.scroll_bar_rect();
  const POINT grip = OnScreen(list.hwnd(), bar.left + 6, bar.top + (thumb.top + thumb.bottom) / 2);
  testinput::PressAt(grip.x, grip.y);
  testinput::MoveTo(grip.x, grip.y - 500);
  testinput::Release();
  EXPECT_EQ(list.first_visible(), 0);
  EXPECT_EQ(list.scrolls.back().code, 5);
  EXPECT_TRUE(list.IsVisible());
}

TEST_F(HeightComboTest, PictureShowsTheSizesWithTheSelectedOneInBlack) {
  OpenList(14);
  testinput::MoveTo(0, 0);
  LayeredSurface s;
  ASSERT_TRUE(list.Compose(s));
  const Image img = testpictures::Pixels(s);
  EXPECT_EQ(img.width, 42);
  EXPECT_EQ(img.height, 164);
  // Every row has a label; the selected one (row 0: 14 points) in black, the others in blue.
  for (int r = 0; r < 8; ++r) {
    const Rect row = list.row_rect(r);
    int best = 255 * 3;
    uint32_t darkest = 0;
    for (int y = row.top + 2; y < row.bottom - 2; ++y)
      for (int x = row.left + 4; x < row.right - 4; ++x) {
        const uint32_t p = img.at(x, y);
        const int sum = testpictures::R(p) + testpictures::G(p) + testpictures::B(p);
        if (sum < best) best = sum, darkest = p;
      }
    ASSERT_LT(best, 400) << "row " << r << " has no label";
    if (r == 0)
      EXPECT_LT(
          std::max({testpictures::R(darkest), testpictures::G(darkest), testpictures::B(darkest)}),
          60);
    else
      EXPECT_GT(testpictures::B(darkest) - testpictures::R(darkest), 40) << "row " << r;
  }
  // The selected row's highlight frame; a plain row shows the white panel.
  const Rect r0 = list.row_rect(0), r3 = list.row_rect(3);
  EXPECT_NE(img.at(r0.left + 1, (r0.top + r0.bottom) / 2), 0xFFFFFFFFu);
  EXPECT_EQ(img.at(r3.left + 1, (r3.top + r3.bottom) / 2), 0xFFFFFFFFu);
  // The scroll bar: its thumb where position 5 of 0 to 8 puts it, darker than its track.
  const Rect bar = list.scroll_bar_rect();
  const Rect thumb = list.scroll_bar().Layout().thumb;
  const uint32_t on_thumb = img.at(bar.left + 6, bar.top + (thumb.top + thumb.bottom) / 2);
  const uint32_t on_track = img.at(bar.left + 6, bar.top + 14);
  EXPECT_LT(testpictures::R(on_thumb), testpictures::R(on_track));
  std::printf("size list picture: %ls\n",
              testpictures::SavePicture(img, L"size_list.png", 3).c_str());
}

TEST_F(HeightComboTest, ClosesOnAClickElsewhere) {
  Elsewhere other;
  ASSERT_TRUE(other.Create(800, 450, 200, 150));
  OpenList(14);
  POINT p = OnBar(-30);  // the track: stays open
  ClickAt(p.x, p.y);
  EXPECT_TRUE(list.IsVisible());
  ClickAt(900, 500);
  EXPECT_FALSE(list.IsVisible());
  EXPECT_EQ(other.presses.size(), 1u);
  EXPECT_TRUE(list.chosen.empty());
}

}  // namespace
