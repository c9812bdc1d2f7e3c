// The main tool bar's window-free rules.
#include "screenshot/ui/toolbar_logic.h"

#include "screenshot/base/tool_commands.h"
#include "screenshot/res/resource.h"

namespace toolbar {

namespace {

constexpr Size kToolSize = {24, 26};
constexpr Size kFinishSize = {52, 26};

Size ButtonSizeOf(const Size& bitmap, const Size& nominal) {
  const Size size = {bitmap.width / 2, bitmap.height};
  if (size.width <= 0 || size.height <= 0) return nominal;
  return size;
}

}  // namespace

const std::array<ButtonSpec, kButtonCount> kButtons = {{
    {ID_TOOLBAR_RECTANGLE, kToolRectangle, IDS_TIP_RECTANGLE, kToolSize},
    {ID_TOOLBAR_ELLIPSE, kToolEllipse, IDS_TIP_ELLIPSE, kToolSize},
    {ID_TOOLBAR_ARROW, kToolArrow, IDS_TIP_ARROW, kToolSize},
    {ID_TOOLBAR_BRUSH, kToolBrush, IDS_TIP_BRUSH, kToolSize},
    {ID_TOOLBAR_MOSAIC, kToolMosaic, IDS_TIP_MOSAIC, kToolSize},
    {ID_TOOLBAR_TEXT, kToolText, IDS_TIP_TEXT, kToolSize},
    {ID_TOOLBAR_UNDO, 0, IDS_TIP_UNDO, kToolSize},
    {ID_TOOLBAR_SAVE, 0, IDS_TIP_SAVE, kToolSize},
    {ID_TOOLBAR_EXIT, 0, IDS_TIP_EXIT, kToolSize},
    {ID_TOOLBAR_COPY, 0, IDS_TIP_COPY, kFinishSize},
}};

const std::array<Button, kButtonCount> kPaintOrder = {
    kRectangle, kEllipse, kArrow, kBrush, kMosaic, kText, kUndo, kFinish, kSave, kExit};

const std::array<Button, kButtonCount> kTooltipOrder = {
    kRectangle, kEllipse, kArrow, kBrush, kText, kUndo, kFinish, kSave, kExit, kMosaic};

ToolbarLayout LayoutToolbar(const std::array<Size, kButtonCount>& icon_bitmaps) {
  ToolbarLayout layout;
  int x = kFirstButtonX;
  for (int i = 0; i < kButtonCount; ++i) {
    const Size size = ButtonSizeOf(icon_bitmaps[i], kButtons[i].nominal);
    layout.buttons[i] = {x, kButtonTop, x + size.width, kButtonTop + size.height};
    x += size.width;
  }
  layout.window.width = x + kRightPadding;
  layout.window.height = layout.buttons[kRectangle].Height() + kHeightPadding;
  return layout;
}

Button TooltipButtonAt(const ToolbarLayout& layout, Point point) {
  for (Button b : kTooltipOrder)
    if (layout.buttons[b].Contains(point)) return b;
  return kButtonCount;
}

ButtonLook LookOfButton(unsigned state, int button_tool, int current_tool) {
  if (state == 0 && button_tool != 0 && button_tool == current_tool) state = kStatePressed;
  ButtonLook look;
  if (state & kStateHot)
    look.highlight = Highlight::kHover;
  else if (state & kStatePressed)
    look.highlight = Highlight::kPressed;
  look.greyed = (state & kStateDisabled) != 0;
  return look;
}

bool IsToolCommand(unsigned id) {
  return (id >= ID_TOOLBAR_RECTANGLE && id <= ID_TOOLBAR_SELECT) || id == ID_TOOLBAR_MOSAIC;
}

bool CheckedAfterSetToolChecked(unsigned id, int on) {
  if (on == 0) return false;
  // Of the tools only mosaic keeps a checked look; the others show the current tool instead.
  if (IsToolCommand(id)) return id == ID_TOOLBAR_MOSAIC;
  return true;
}

Point DragPosition(Point cursor, Point cursor_at_start, Point window_at_start) {
  return {cursor.x + (window_at_start.x - cursor_at_start.x),
          cursor.y + (window_at_start.y - cursor_at_start.y)};
}

Point KeepOnMonitor(Point pos, Size bar, Size virtual_screen, const Rect& monitor) {
  if (pos.x + bar.width >= virtual_screen.width || pos.x + bar.width >= monitor.right)
    pos.x = monitor.right - bar.width;
  if (pos.y + bar.height >= virtual_screen.height || pos.y + bar.height >= monitor.bottom)
    pos.y = monitor.bottom - bar.height;
  if (pos.x < monitor.left) pos.x = monitor.left;
  if (pos.y < monitor.top) pos.y = monitor.top;
  return pos;
}

}  // namespace toolbar
