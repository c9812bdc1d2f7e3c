// The drawing tools' styles in a capture: slots from the settings, which tool a colour-bar change
// belongs to, what reaches the settings (only the tool's own record, only values the bar can
// show), and how choosing a tool shows, hides and places its style bar.
#include "screenshot/capture/tool_styles.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kRect[] = L"ColorTbRectangle";
const wchar_t kEllipse[] = L"ColorTbEllipse";
const wchar_t kArrow[] = L"ColorTbArrow";
const wchar_t kBrush[] = L"ColorTbPolyline";

TEST(PenStyleSlots, LoadedFromTheSettingsWithDamagedValuesAsDefaults) {
  SettingsValues settings;
  settings.SetColorIndex(kEllipse, 4);
  settings.SetPenWidthIndex(kEllipse, 2);
  settings.SetDashStyle(kEllipse, 3);  // a hand-written dash style is not carried over
  settings.SetColorIndex(kArrow, 16);
  settings.SetPenWidthIndex(kArrow, -1);
  PenStyleSlots slots;
  slots.LoadFrom(settings);
  EXPECT_EQ(slots.Of(2), (PenSlot{4, 2, 0}));
  EXPECT_EQ(slots.Of(1), (PenSlot{10, 0, 0}));
  EXPECT_EQ(slots.Of(3), (PenSlot{10, 0, 0}));
  EXPECT_EQ(slots.Of(4), (PenSlot{10, 0, 0}));
  EXPECT_EQ(slots.Of(5), (PenSlot{10, 0, 0})) << "text has no pen slot";
  EXPECT_EQ(slots.Of(-7), (PenSlot{10, 0, 0}));
}

TEST(PenStyleSlots, ChangesGoToTheToolsSlotAndItsOwnSettingsRecord) {
  SettingsValues settings;
  PenStyleSlots slots;
  slots.LoadFrom(settings);
  EXPECT_TRUE(slots.SetWidth(2, 2, settings));
  EXPECT_TRUE(slots.SetColor(2, 4, settings));
  EXPECT_TRUE(slots.SetDash(4, 1, settings));
  EXPECT_EQ(slots.Of(2), (PenSlot{4, 2, 0}));
  EXPECT_EQ(slots.Of(4), (PenSlot{10, 0, 1}));
  EXPECT_EQ(settings.GetPenWidthIndex(kEllipse), 2);
  EXPECT_EQ(settings.GetColorIndex(kEllipse), 4);
  for (const wchar_t* other : {kRect, kArrow, kBrush}) {
    EXPECT_EQ(settings.GetPenWidthIndex(other), 0) << other;
    EXPECT_EQ(settings.GetColorIndex(other), 10) << other;
  }
}

TEST(PenStyleSlots, NoToolOrNoValidValueChangesNothing) {
  SettingsValues settings, untouched;
  PenStyleSlots slots;
  slots.LoadFrom(settings);
  // Text, select with nothing selected, mosaic, none.
  for (int tool : {0, 5, 6, 9}) {
    EXPECT_FALSE(slots.SetWidth(tool, 1, settings)) << tool;
    EXPECT_FALSE(slots.SetColor(tool, 3, settings)) << tool;
    EXPECT_FALSE(slots.SetDash(tool, 2, settings)) << tool;
  }
  EXPECT_FALSE(slots.SetWidth(1, 3, settings));
  EXPECT_FALSE(slots.SetWidth(1, -1, settings));
  EXPECT_FALSE(slots.SetColor(1, 16, settings));
  EXPECT_FALSE(slots.SetColor(1, -1, settings));
  EXPECT_EQ(slots.Of(1), (PenSlot{10, 0, 0}));
  for (const wchar_t* s : {kRect, kEllipse, kArrow, kBrush}) {
    EXPECT_EQ(settings.GetPenWidthIndex(s), untouched.GetPenWidthIndex(s));
    EXPECT_EQ(settings.GetColorIndex(s), untouched.GetColorIndex(s));
  }
  // Stored at the first stroke: the slot only.
  EXPECT_TRUE(slots.Store(3, PenSlot{7, 1, 2}));
  EXPECT_FALSE(slots.Store(5, PenSlot{7, 1, 2}));
  EXPECT_EQ(slots.Of(3), (PenSlot{7, 1, 2}));
  EXPECT_EQ(settings.GetColorIndex(kArrow), 10);
}

TEST(PenStyleSlots, SelectModeChangesBelongToTheSelectedKind) {
  EXPECT_EQ(StyleTool(2, 0), 2);
  EXPECT_EQ(StyleTool(2, 4), 2);
  EXPECT_EQ(StyleTool(6, 4), 4);
  EXPECT_EQ(StyleTool(6, 0), 0);
  EXPECT_EQ(StyleTool(6, 5), 5);
}

TEST(StyleBarChoice, FromTheToolBar) {
  // Nothing shown: placed next to the tool bar, shown and loaded.
  StyleBarPlan p = PlanStyleBar(1, 0, false, false, false);
  EXPECT_FALSE(p.same_tool);
  EXPECT_EQ(p.place, BarPlacement::kStyleBar);
  EXPECT_TRUE(p.show);
  EXPECT_TRUE(p.load);
  // Another shape tool while the bar is shown: it stays where it is, loaded anew.
  p = PlanStyleBar(2, 1, false, true, false);
  EXPECT_EQ(p.place, BarPlacement::kKeep);
  EXPECT_TRUE(p.show && p.load);
  // From text to a shape tool: the colour bar takes the text bar's place (they follow each other).
  p = PlanStyleBar(3, 5, false, false, true);
  EXPECT_EQ(p.place, BarPlacement::kKeep);
  EXPECT_TRUE(p.show && p.load);
}

TEST(StyleBarChoice, TheCurrentToolClickedAgainOnlyToggles) {
  StyleBarPlan hide = PlanStyleBar(1, 1, false, true, false);
  EXPECT_TRUE(hide.same_tool);
  EXPECT_FALSE(hide.show);
  EXPECT_FALSE(hide.load);
  EXPECT_EQ(hide.place, BarPlacement::kKeep);
  StyleBarPlan show = PlanStyleBar(1, 1, false, false, false);
  EXPECT_TRUE(show.show);
  EXPECT_FALSE(show.load);
  EXPECT_EQ(show.place, BarPlacement::kStyleBar);
}

TEST(StyleBarChoice, FromTheMenu) {
  // Never a same-tool click: the menu's current tool loads again and stays shown.
  StyleBarPlan p = PlanStyleBar(1, 1, true, true, false);
  EXPECT_FALSE(p.same_tool);
  EXPECT_EQ(p.place, BarPlacement::kKeep);
  EXPECT_TRUE(p.show && p.load);
  p = PlanStyleBar(2, 1, true, false, false);
  EXPECT_EQ(p.place, BarPlacement::kMenu);
  EXPECT_TRUE(p.show && p.load);
  p = PlanStyleBar(2, 5, true, false, true);
  EXPECT_EQ(p.place, BarPlacement::kMenu);
}

}  // namespace
