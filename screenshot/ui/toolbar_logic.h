// The main tool bar's window-free rules: its buttons and their layout, the look of each button at
// paint time, the checked-flag rule of the tool group and where a dragged bar may go.
//
// The bar is one row of image buttons on a rounded panel. Each icon bitmap holds two equal frames
// side by side (enabled, greyed), so a button is half its bitmap wide and the bitmap's height
// high; the bar leaves 7 pixels before the first button, 8 after the last and 2 above and below.
#pragma once

#include <array>

#include "screenshot/base/geometry.h"

namespace toolbar {

// The buttons from left to right; also the order in which they are added to the bar.
enum Button {
  kRectangle,
  kEllipse,
  kArrow,
  kBrush,
  kMosaic,
  kText,
  kUndo,
  kSave,
  kExit,
  kFinish,
  kButtonCount
};

// What a button is: the command it sends, the current-tool value that draws it pressed (0 for
// the buttons that are no tool), its tooltip string and its size when its bitmap is missing.
struct ButtonSpec {
  unsigned command;
  int tool;
  unsigned tip_string;
  Size nominal;
};

extern const std::array<ButtonSpec, kButtonCount> kButtons;

// Paint order and the order in which the pointer is matched against buttons for the tooltip.
// No two buttons overlap, so the orders only matter for buttons of zero size.
extern const std::array<Button, kButtonCount> kPaintOrder;
extern const std::array<Button, kButtonCount> kTooltipOrder;

constexpr int kFirstButtonX = 7;
constexpr int kButtonTop = 2;
constexpr int kRightPadding = 8;
constexpr int kHeightPadding = 4;     // the bar is the first icon's height plus this
constexpr int kBackgroundMargin = 3;  // nine-grid margins of the panel on every side

struct ToolbarLayout {
  std::array<Rect, kButtonCount> buttons;  // client coordinates of the bar
  Size window;
};

// The button rectangles and the bar's size from the icon bitmaps' full sizes (both frames). A
// bitmap that could not be loaded (a size without area) counts with its button's nominal size,
// so the bar keeps its shape and its buttons stay clickable.
ToolbarLayout LayoutToolbar(const std::array<Size, kButtonCount>& icon_bitmaps);

// The first button, in tooltip order, whose rectangle holds the point; kButtonCount when none.
Button TooltipButtonAt(const ToolbarLayout& layout, Point point);

// Button state bits as the button manager reports them.
constexpr unsigned kStatePressed = 0x01;
constexpr unsigned kStateDisabled = 0x04;
constexpr unsigned kStateChecked = 0x08;
constexpr unsigned kStateHot = 0x40;

enum class Highlight { kNone, kHover, kPressed };

// How one button is drawn: which frame of the highlight bitmap goes under the icon (left half
// hover, right half pressed) and which icon frame (left enabled, right greyed).
struct ButtonLook {
  Highlight highlight = Highlight::kNone;
  bool greyed = false;
};

inline bool operator==(const ButtonLook& a, const ButtonLook& b) {
  return a.highlight == b.highlight && a.greyed == b.greyed;
}

// The look of a button in |state| (the manager's state: checked wins over disabled, which wins
// over pressed and hot). A tool button in no state at all is drawn pressed while its tool is the
// current one; hover wins over pressed.
ButtonLook LookOfButton(unsigned state, int button_tool, int current_tool);

// The tool group: the commands that choose a tool (41001 to 41006 and 41017).
bool IsToolCommand(unsigned id);

// The checked flag a button ends with after SetToolChecked(id, on): cleared for on = 0; for a
// tool command only mosaic can be checked; any other command takes the flag as given.
bool CheckedAfterSetToolChecked(unsigned id, int on);

// Where the bar goes while it is dragged: the window keeps its offset from the cursor.
Point DragPosition(Point cursor, Point cursor_at_start, Point window_at_start);

// Keeps a bar of |bar| size at |pos| on |monitor|: a bar reaching the monitor's right or bottom
// edge (or the virtual screen's width or height) is pinned to that edge, then one left of or
// above the monitor is pinned to its left or top edge.
Point KeepOnMonitor(Point pos, Size bar, Size virtual_screen, const Rect& monitor);

}  // namespace toolbar
