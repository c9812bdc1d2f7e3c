// How other programs reach the launcher's window: its class, caption, messages and item numbers.
//
// The notification icon reports through kNotifyMessage with the mouse message in lParam, the way
// the shell delivers it; menu items and the radio buttons arrive as WM_COMMAND with these
// numbers. tests/gui/launcher_test.py sends the same numbers and must be kept in step.
#pragma once

namespace launcher {

inline constexpr wchar_t kWindowClass[] = L"LumettaLauncher";
inline constexpr wchar_t kWindowCaption[] = L"Lumetta";

// WM_APP + 1: the notification icon's callback message.
inline constexpr unsigned kNotifyMessage = 0x8000 + 1;
inline constexpr unsigned kNotifyIconId = 1;

// Controls of the main window.
inline constexpr int kGroupBoxId = 1001;
inline constexpr int kAutoStartOnId = 1002;   // "设置开机自启动："
inline constexpr int kAutoStartOffId = 1003;  // "取消开机自启动："
inline constexpr int kHotkeyLabelId = 1004;   // the hotkey's target, outside the visible area

// Items of the icon's pop-up menu "系统菜单", in menu order. A hotkey item's command is 2000 plus
// its virtual-key code, so the key can be read from the command.
struct MenuItem {
  int command;
  const wchar_t* text;
  int key;  // virtual-key code the item makes the hotkey; 0 for the other items
};
inline constexpr int kOpenCommand = 2001;
inline constexpr int kCloseCommand = 2002;
inline constexpr int kHotkeyCommandBase = 2000;
inline constexpr MenuItem kMenuItems[] = {
    {kOpenCommand, L"打开", 0},
    {kCloseCommand, L"关闭", 0},
    {kHotkeyCommandBase + 113, L"热键F2", 113},
    {kHotkeyCommandBase + 114, L"热键F3", 114},
    {kHotkeyCommandBase + 115, L"热键F4", 115},
    {kHotkeyCommandBase + 116, L"热键F5", 116},
    {kHotkeyCommandBase + 112, L"热键F1", 112},
};

}  // namespace launcher
