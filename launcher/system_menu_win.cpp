// The icon's pop-up menu "系统菜单".
#include "launcher/system_menu_win.h"

#include "launcher/window_protocol.h"

namespace launcher {

HMENU CreateSystemMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (const MenuItem& item : kMenuItems) {
    if (!AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text)) {
      DestroyMenu(menu);
      return nullptr;
    }
  }
  return menu;
}

}  // namespace launcher
