// The main tool bar's rules: layout, the look of each button, the checked flag of the tool group
// and where a dragged bar may go.
#include <gtest/gtest.h>

#include "screenshot/ui/toolbar_logic.h"

namespace {

using namespace toolbar;

// The icon bitmaps as the engine's resources have them: 48 x 26, the finish icon 104 x 26.
std::array<Size, kButtonCount> ResourceBitmaps() {
  std::array<Size, kButtonCount> sizes;
  sizes.fill({48, 26});
  sizes[kFinish] = {104, 26};
  return sizes;
}

TEST(ToolbarLayout, TenButtonsInARowOnA283By30Bar) {
  const ToolbarLayout layout = LayoutToolbar(ResourceBitmaps());
  EXPECT_EQ(layout.window, (Size{283, 30}));
  const unsigned ids[kButtonCount] = {41001, 41002, 41003, 41004, 41017,
                                      41005, 41008, 41011, 41015, 41010};
  for (int i = 0; i < kFinish; ++i) {
    EXPECT_EQ(kButtons[i].command, ids[i]) << i;
    EXPECT_EQ(layout.buttons[i], (Rect{7 + 24 * i, 2, 31 + 24 * i, 28})) << i;
  }
  EXPECT_EQ(kButtons[kFinish].command, 41010u);
  EXPECT_EQ(layout.buttons[kFinish], (Rect{223, 2, 275, 28}));
  EXPECT_EQ(layout.buttons[kFinish].Width(), 52);
  // Tooltip strings 150..160 and 173 for mosaic; no button for select (155) or redo (157).
  EXPECT_EQ(kButtons[kRectangle].tip_string, 150u);
  EXPECT_EQ(kButtons[kMosaic].tip_string, 173u);
  EXPECT_EQ(kButtons[kText].tip_string, 154u);
  EXPECT_EQ(kButtons[kUndo].tip_string, 156u);
  EXPECT_EQ(kButtons[kFinish].tip_string, 158u);
  EXPECT_EQ(kButtons[kSave].tip_string, 159u);
  EXPECT_EQ(kButtons[kExit].tip_string, 160u);
}

TEST(ToolbarLayout, SizesFollowTheBitmapsAndMissingOnesKeepTheirNominalSize) {
  auto sizes = ResourceBitmaps();
  sizes[kRectangle] = {60, 32};  // a taller first icon makes the whole bar taller
  sizes[kUndo] = {0, 0};         // failed to load
  const ToolbarLayout layout = LayoutToolbar(sizes);
  EXPECT_EQ(layout.buttons[kRectangle], (Rect{7, 2, 37, 34}));
  EXPECT_EQ(layout.buttons[kEllipse].left, 37);
  EXPECT_EQ(layout.buttons[kUndo].Width(), 24);
  EXPECT_EQ(layout.buttons[kUndo].Height(), 26);
  EXPECT_EQ(layout.window, (Size{283 + 6, 36}));
}

TEST(ToolbarLayout, TooltipButtonUnderThePointer) {
  const ToolbarLayout layout = LayoutToolbar(ResourceBitmaps());
  EXPECT_EQ(TooltipButtonAt(layout, {7, 2}), kRectangle);
  EXPECT_EQ(TooltipButtonAt(layout, {30, 27}), kRectangle);
  EXPECT_EQ(TooltipButtonAt(layout, {31, 10}), kEllipse);
  EXPECT_EQ(TooltipButtonAt(layout, {110, 10}), kMosaic);
  EXPECT_EQ(TooltipButtonAt(layout, {274, 20}), kFinish);
  // The background around the buttons.
  EXPECT_EQ(TooltipButtonAt(layout, {6, 10}), kButtonCount);
  EXPECT_EQ(TooltipButtonAt(layout, {275, 10}), kButtonCount);
  EXPECT_EQ(TooltipButtonAt(layout, {100, 1}), kButtonCount);
  EXPECT_EQ(TooltipButtonAt(layout, {100, 28}), kButtonCount);
}

TEST(ToolbarLook, CurrentToolHoverDisabledAndChecked) {
  const ButtonLook plain = {Highlight::kNone, false};
  const ButtonLook pressed = {Highlight::kPressed, false};
  const ButtonLook hover = {Highlight::kHover, false};
  const ButtonLook greyed = {Highlight::kNone, true};
  // Current tool 1 and the pointer elsewhere: the rectangle button is drawn pressed, no other.
  EXPECT_EQ(LookOfButton(0, 1, 1), pressed);
  EXPECT_EQ(LookOfButton(0, 2, 1), plain);
  EXPECT_EQ(LookOfButton(0, 0, 1), plain);  // undo, save, ... are no tool
  // Hovering it shows the hover frame instead; pressing it (pointer inside) the pressed frame.
  EXPECT_EQ(LookOfButton(kStateHot, 1, 1), hover);
  EXPECT_EQ(LookOfButton(kStatePressed, 1, 0), pressed);
  EXPECT_EQ(LookOfButton(kStateHot, 2, 1), hover);
  // Disabled: only the greyed icon, even while it is the current tool.
  EXPECT_EQ(LookOfButton(kStateDisabled, 1, 1), greyed);
  EXPECT_EQ(LookOfButton(kStateDisabled, 0, 0), greyed);
  // Mosaic (9) and text (5) buttons follow their own tool values.
  EXPECT_EQ(LookOfButton(0, 9, 9), pressed);
  EXPECT_EQ(LookOfButton(0, 5, 5), pressed);
  EXPECT_EQ(LookOfButton(0, 5, 9), plain);
  // A command id as the current tool shows no tool pressed; so do 0 (none) and 6 (select).
  for (int tool : {1, 2, 3, 4, 5, 9})
    for (int current : {41001, 0, 6, 41017}) EXPECT_EQ(LookOfButton(0, tool, current), plain);
  // A checked button is never drawn as the current tool (and checked hides disabled).
  EXPECT_EQ(LookOfButton(kStateChecked, 9, 9), plain);
  EXPECT_EQ(LookOfButton(kStateChecked, 0, 0), plain);
}

TEST(ToolbarChecked, OnlyMosaicOfTheToolGroupCanBeChecked) {
  EXPECT_TRUE(CheckedAfterSetToolChecked(41017, 1));
  EXPECT_FALSE(CheckedAfterSetToolChecked(41017, 0));
  for (unsigned id : {41001u, 41002u, 41003u, 41004u, 41005u, 41006u}) {
    EXPECT_TRUE(IsToolCommand(id)) << id;
    EXPECT_FALSE(CheckedAfterSetToolChecked(id, 1)) << id;
    EXPECT_FALSE(CheckedAfterSetToolChecked(id, 0)) << id;
  }
  for (unsigned id : {41008u, 41010u, 41011u, 41015u}) {
    EXPECT_FALSE(IsToolCommand(id)) << id;
    EXPECT_TRUE(CheckedAfterSetToolChecked(id, 1)) << id;
    EXPECT_TRUE(CheckedAfterSetToolChecked(id, 7)) << id;
    EXPECT_FALSE(CheckedAfterSetToolChecked(id, 0)) << id;
  }
}

TEST(ToolbarDrag, KeepsTheOffsetFromTheCursor) {
  EXPECT_EQ(DragPosition({500, 400}, {110, 315}, {100, 300}), (Point{490, 385}));
  EXPECT_EQ(DragPosition({-5, -7}, {10, 10}, {0, 0}), (Point{-15, -17}));
}

TEST(ToolbarDrag, PinnedToTheEdgesOfTheMonitor) {
  const Size bar = {283, 30};
  const Size screen = {1280, 800};
  const Rect monitor = {0, 0, 1280, 800};
  // Inside: unchanged.
  EXPECT_EQ(KeepOnMonitor({100, 200}, bar, screen, monitor), (Point{100, 200}));
  // Beyond the right edge and above the top.
  EXPECT_EQ(KeepOnMonitor({1200, -40}, bar, screen, monitor), (Point{997, 0}));
  // Beyond the bottom and left of the left edge.
  EXPECT_EQ(KeepOnMonitor({-50, 790}, bar, screen, monitor), (Point{0, 770}));
  // Touching the right edge counts as reaching it.
  EXPECT_EQ(KeepOnMonitor({997, 10}, bar, screen, monitor), (Point{997, 10}));
}

TEST(ToolbarDrag, SecondMonitorsEdgesNotTheVirtualScreens) {
  // Two monitors side by side; the bar is dragged on the right one, whose right edge is also
  // the virtual screen's, and then past the left one's right edge while that one is nearest.
  const Size bar = {283, 30};
  const Size screen = {3200, 1024};
  const Rect left = {0, 0, 1280, 1024};
  const Rect right = {1280, 0, 3200, 1024};
  EXPECT_EQ(KeepOnMonitor({3000, 500}, bar, screen, right), (Point{2917, 500}));
  EXPECT_EQ(KeepOnMonitor({1200, 500}, bar, screen, left), (Point{997, 500}));
  EXPECT_EQ(KeepOnMonitor({1200, 500}, bar, screen, right), (Point{1280, 500}));
  // A monitor left of and above the primary one (negative coordinates).
  const Rect upper_left = {-1920, -1080, 0, 0};
  EXPECT_EQ(KeepOnMonitor({-2000, -1100}, bar, {3200, 2104}, upper_left), (Point{-1920, -1080}));
  EXPECT_EQ(KeepOnMonitor({-100, -10}, bar, {3200, 2104}, upper_left), (Point{-283, -30}));
}

}  // namespace
