// The tools of a capture and the commands that choose them: one table shared by the main tool
// bar, the context menu, the capture window and the settings file.
#pragma once

#include <array>

// The current tool: one small number used by the main tool bar, the capture window, the
// annotation board and the settings file.
enum ToolKind : int {
  kToolNone = 0,
  kToolRectangle = 1,
  kToolEllipse = 2,
  kToolArrow = 3,
  kToolBrush = 4,  // free-hand line
  kToolText = 5,
  kToolSelect = 6,
  kToolMosaic = 9,
};

// The drawing tools whose pen style (width, colour, dash) is kept per tool.
constexpr bool IsPenTool(int tool) { return tool >= kToolRectangle && tool <= kToolBrush; }

// A tool and the tool-bar and context-menu commands that choose it (0: no such command).
struct ToolCommand {
  ToolKind tool;
  unsigned toolbar_command;
  unsigned menu_command;
};

extern const std::array<ToolCommand, 7> kToolCommands;

// The tool a tool-bar command chooses; kToolNone for every other command.
ToolKind ToolOfToolbarCommand(unsigned id);
// The tool a context-menu command chooses; kToolNone for every other command.
ToolKind ToolOfMenuCommand(unsigned id);
// The context-menu command of a tool; 0 when the menu has none for it.
unsigned MenuCommandOfTool(int tool);
