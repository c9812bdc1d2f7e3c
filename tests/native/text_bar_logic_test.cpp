// The text bar's window-free rules on its own layout (template 302): which presses drag it (the
// gaps between its buttons, never the swatch block or half a swatch around it), the frames of
// its drop buttons and toggles, and which tooltip a point asks for.
#include "screenshot/ui/text_bar_logic.h"

#include <gtest/gtest.h>

namespace {

using colorbar::PointClass;

Rect At(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

// The layout as template 302 gives it, written out here.
textbar::Layout BarLayout() {
  textbar::Layout l;
  l.size_button = At(7, 7, 40, 22);
  l.font_button = At(52, 7, 56, 22);
  l.bold = At(115, 7, 22, 22);
  l.italic = At(144, 7, 22, 22);
  l.current_color = At(178, 6, 22, 22);
  for (int i = 0; i < 16; ++i) l.swatches[i] = At(205 + 12 * (i % 8), i < 8 ? 6 : 18, 10, 10);
  return l;
}

const Rect kClient = {0, 0, 306, 34};

PointClass ClassAt(int x, int y, bool in_window = true) {
  return textbar::Classify(Point{x, y}, kClient, BarLayout(), in_window);
}

TEST(TextBarZones, GapsBetweenButtonsAndTheColourBoxDrag) {
  EXPECT_EQ(ClassAt(170, 17), PointClass::kDragArea) << "between italic and the colour box";
  EXPECT_EQ(ClassAt(49, 17), PointClass::kDragArea) << "between the size and font buttons";
  EXPECT_EQ(ClassAt(2, 2), PointClass::kDragArea) << "the panel's corner";
  EXPECT_EQ(ClassAt(188, 17), PointClass::kDragArea) << "the colour box is no button";
  EXPECT_EQ(ClassAt(140, 31), PointClass::kDragArea) << "under the toggles";
}

TEST(TextBarZones, ButtonsAndTheSwatchBlockWithHalfASwatchAroundItNeverDrag) {
  EXPECT_EQ(ClassAt(20, 15), PointClass::kOnControl) << "size button";
  EXPECT_EQ(ClassAt(80, 15), PointClass::kOnControl) << "font button";
  EXPECT_EQ(ClassAt(125, 15), PointClass::kOnControl) << "bold";
  EXPECT_EQ(ClassAt(150, 15), PointClass::kOnControl) << "italic";
  EXPECT_EQ(ClassAt(216, 10), PointClass::kOnControl) << "gap between two swatches";
  EXPECT_EQ(ClassAt(210, 16), PointClass::kOnControl) << "gap between the rows";
  // The block spans x 205..299 and y 6..28; half a swatch (5) more on each side.
  EXPECT_EQ(ClassAt(200, 17), PointClass::kOnControl) << "5 left of the block";
  EXPECT_EQ(ClassAt(303, 17), PointClass::kOnControl) << "4 right of the block";
  EXPECT_EQ(ClassAt(250, 1), PointClass::kOnControl) << "5 above the block";
  EXPECT_EQ(ClassAt(250, 32), PointClass::kOnControl) << "4 below the block";
  EXPECT_EQ(ClassAt(199, 17), PointClass::kDragArea)
      << "6 left of the block: the colour box's edge";
}

TEST(TextBarZones, OffTheClientAreaIsOutsideUnlessStillOnTheWindow) {
  EXPECT_EQ(ClassAt(-1, 10, false), PointClass::kOutside);
  EXPECT_EQ(ClassAt(306, 10, false), PointClass::kOutside);
  EXPECT_EQ(ClassAt(306, 10, true), PointClass::kDragArea);
}

TEST(TextBarLooks, DropButtonsShowNormalHotOrPressedFrames) {
  EXPECT_EQ(textbar::DropButtonFrame(0), textbar::DropFrame::kNormal);
  EXPECT_EQ(textbar::DropButtonFrame(colorbar::kStateHot), textbar::DropFrame::kHot);
  EXPECT_EQ(textbar::DropButtonFrame(colorbar::kStatePressed), textbar::DropFrame::kPressed);
}

TEST(TextBarLooks, TogglesShowNothingOffAndIdleHotFirstThenPressedOrOn) {
  using textbar::ToggleFrame;
  EXPECT_EQ(textbar::ToggleButtonFrame(0, false), ToggleFrame::kNone);
  EXPECT_EQ(textbar::ToggleButtonFrame(0, true), ToggleFrame::kPressedOrOn);
  EXPECT_EQ(textbar::ToggleButtonFrame(colorbar::kStatePressed, false), ToggleFrame::kPressedOrOn);
  EXPECT_EQ(textbar::ToggleButtonFrame(colorbar::kStateHot, false), ToggleFrame::kHot);
  EXPECT_EQ(textbar::ToggleButtonFrame(colorbar::kStateHot, true), ToggleFrame::kHot);
}

TEST(TextBarTooltips, SizeBoldItalicThenTheFontButtonElseNone) {
  const textbar::Layout l = BarLayout();
  using textbar::TipTarget;
  EXPECT_EQ(textbar::TooltipTargetAt(l, {8, 8}), TipTarget::kSize);
  EXPECT_EQ(textbar::TooltipTargetAt(l, {107, 28}), TipTarget::kFont);
  EXPECT_EQ(textbar::TooltipTargetAt(l, {136, 28}), TipTarget::kBold);
  EXPECT_EQ(textbar::TooltipTargetAt(l, {144, 7}), TipTarget::kItalic);
  EXPECT_EQ(textbar::TooltipTargetAt(l, {110, 15}), TipTarget::kNone);
  EXPECT_EQ(textbar::TooltipTargetAt(l, {210, 10}), TipTarget::kNone) << "swatches have none";
}

}  // namespace
