// The capture window's rules for the drawing tools' styles.
#include "screenshot/capture/tool_styles.h"

#include "screenshot/base/palette.h"
#include "screenshot/base/tool_commands.h"

namespace {

const PenSlot kDefaultSlot;

}  // namespace

void PenStyleSlots::LoadFrom(const SettingsValues& settings) {
  for (int tool = kToolRectangle; tool <= kToolBrush; ++tool) {
    const std::wstring section = settings::ToolSectionName(tool);
    slots_[tool].color_index = settings.GetValidColorIndex(section);
    slots_[tool].width_index = settings.GetValidPenWidthIndex(section);
    slots_[tool].dash_style = settings::kDefaultDashStyle;
  }
}

const PenSlot& PenStyleSlots::Of(int tool) const {
  return IsPenTool(tool) ? slots_[tool] : kDefaultSlot;
}

bool PenStyleSlots::Store(int tool, const PenSlot& slot) {
  if (!IsPenTool(tool)) return false;
  slots_[tool] = slot;
  return true;
}

bool PenStyleSlots::SetWidth(int tool, int width_index, SettingsValues& settings) {
  if (!IsPenTool(tool) || width_index < 0 || width_index >= palette::kPenWidthCount) return false;
  slots_[tool].width_index = width_index;
  return settings.SetPenWidthIndex(settings::ToolSectionName(tool), width_index);
}

bool PenStyleSlots::SetColor(int tool, int color_index, SettingsValues& settings) {
  if (!IsPenTool(tool) || color_index < 0 || color_index >= palette::kColorCount) return false;
  slots_[tool].color_index = color_index;
  return settings.SetColorIndex(settings::ToolSectionName(tool), color_index);
}

bool PenStyleSlots::SetDash(int tool, int dash_style, SettingsValues& settings) {
  if (!IsPenTool(tool)) return false;
  slots_[tool].dash_style = dash_style;
  return settings.SetDashStyle(settings::ToolSectionName(tool), dash_style);
}

int StyleTool(int current_tool, int selected_kind) {
  return current_tool == kToolSelect ? selected_kind : current_tool;
}

StyleBarPlan PlanStyleBar(int tool, int current_tool, bool from_menu, bool own_bar_visible,
                          bool other_bar_visible) {
  StyleBarPlan plan;
  plan.same_tool = !from_menu && current_tool == tool;
  if (from_menu) {
    // A bar already shown stays where the user has it.
    if (!own_bar_visible) plan.place = BarPlacement::kMenu;
  } else if (!own_bar_visible && !other_bar_visible) {
    plan.place = BarPlacement::kStyleBar;
  }
  plan.show = plan.same_tool ? !own_bar_visible : true;
  plan.load = !plan.same_tool;
  return plan;
}
