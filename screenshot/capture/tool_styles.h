// The capture window's rules for the drawing tools' styles: the pen style kept for each shape
// tool during a capture, which tool a change on the colour bar belongs to, how each change
// reaches the settings, and how choosing a tool shows, hides and places its style bar.
#pragma once

#include "screenshot/output/settings_values.h"

// The pen style of one shape tool: what the colour bar shows and the board draws new shapes with.
struct PenSlot {
  int color_index = settings::kDefaultColorIndex;
  int width_index = settings::kDefaultPenWidthIndex;
  int dash_style = settings::kDefaultDashStyle;
};

inline bool operator==(const PenSlot& a, const PenSlot& b) {
  return a.color_index == b.color_index && a.width_index == b.width_index &&
         a.dash_style == b.dash_style;
}

// The pen slots of the four shape tools (1 rectangle, 2 ellipse, 3 arrow, 4 brush).
class PenStyleSlots {
 public:
  // Colour and width as the settings keep them (an out-of-range stored value gives the
  // default); the dash style starts solid, since it lasts for one capture only.
  void LoadFrom(const SettingsValues& settings);

  // The slot of a shape tool; any other tool answers a default slot.
  const PenSlot& Of(int tool) const;
  // Keeps `slot` for a shape tool without touching the settings (the bar's style taken at the
  // first stroke); false for any other tool.
  bool Store(int tool, const PenSlot& slot);

  // A change chosen on the colour bar for `tool`: kept in its slot and written to `settings`
  // under the tool's section. False, with nothing changed, for a tool other than 1-4 or a value
  // out of range (a width index outside 0..2, a colour outside the palette): the settings file
  // only ever receives values the bars can show.
  bool SetWidth(int tool, int width_index, SettingsValues& settings);
  bool SetColor(int tool, int color_index, SettingsValues& settings);
  // The dash style goes into the store's record too, though the file never keeps it.
  bool SetDash(int tool, int dash_style, SettingsValues& settings);

 private:
  PenSlot slots_[5];  // indexed by tool; [0] stays the default
};

// The tool whose style a change on a style bar belongs to: the current tool, or in select mode
// the selected object's kind (0 when nothing is selected).
int StyleTool(int current_tool, int selected_kind);

// What choosing a tool does with its style bar (the colour bar for shape tools, the text bar for
// text), given where the choice came from and what is shown.
enum class BarPlacement { kKeep, kStyleBar, kMenu };
struct StyleBarPlan {
  bool same_tool = false;  // the tool bar's button of the current tool, clicked again
  BarPlacement place = BarPlacement::kKeep;  // where the bar goes before it is shown or not
  bool show = false;                         // the bar's visibility afterwards
  bool load = false;                         // the tool's style goes into the bar and the board
};
// From the tool bar, a bar is placed next to it when neither style bar is shown; clicking the
// current tool again only toggles its bar. From the menu, a hidden bar is placed by the menu
// rule; the bar ends shown and loaded.
StyleBarPlan PlanStyleBar(int tool, int current_tool, bool from_menu, bool own_bar_visible,
                          bool other_bar_visible);
