// The tools of a capture and the commands that choose them.
#include "screenshot/base/tool_commands.h"

#include "screenshot/res/resource.h"

const std::array<ToolCommand, 7> kToolCommands = {{
    {kToolRectangle, ID_TOOLBAR_RECTANGLE, ID_MENU_RECTANGLE},
    {kToolEllipse, ID_TOOLBAR_ELLIPSE, ID_MENU_ELLIPSE},
    {kToolArrow, ID_TOOLBAR_ARROW, ID_MENU_ARROW},
    {kToolBrush, ID_TOOLBAR_BRUSH, ID_MENU_BRUSH},
    {kToolText, ID_TOOLBAR_TEXT, ID_MENU_TEXT},
    {kToolSelect, ID_TOOLBAR_SELECT, 0},  // reached only through its command identifier
    {kToolMosaic, ID_TOOLBAR_MOSAIC, ID_MENU_MOSAIC},
}};

ToolKind ToolOfToolbarCommand(unsigned id) {
  for (const ToolCommand& c : kToolCommands)
    if (id != 0 && c.toolbar_command == id) return c.tool;
  return kToolNone;
}

ToolKind ToolOfMenuCommand(unsigned id) {
  for (const ToolCommand& c : kToolCommands)
    if (id != 0 && c.menu_command == id) return c.tool;
  return kToolNone;
}

unsigned MenuCommandOfTool(int tool) {
  for (const ToolCommand& c : kToolCommands)
    if (c.tool == tool) return c.menu_command;
  return 0;
}
