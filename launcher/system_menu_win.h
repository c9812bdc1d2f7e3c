// The icon's pop-up menu "系统菜单", built from the items in window_protocol.h.
#pragma once

#include <windows.h>

namespace launcher {

// A pop-up menu holding "打开", "关闭" and the hotkey items in their order, each sending its
// command; null when the system cannot make it. The caller destroys it.
HMENU CreateSystemMenu();

}  // namespace launcher
