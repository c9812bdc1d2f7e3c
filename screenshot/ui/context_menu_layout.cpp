// The context menu without windows: item layout and item looks.
#include "screenshot/ui/context_menu_layout.h"

#include <algorithm>

namespace {

// Button state bits (the owner-draw state values).
constexpr unsigned kStateDisabled = 0x04;
constexpr unsigned kStateChecked = 0x08;
constexpr unsigned kStateHot = 0x40;

}  // namespace

MenuLayout LayoutContextMenu(const std::vector<MenuItemMetrics>& items, int separator_height) {
  int icon_width = 0, row_height = 0, text_width = 0;
  for (const MenuItemMetrics& m : items) {
    if (m.separator) continue;
    icon_width = std::max(icon_width, m.icon_width);
    text_width = std::max(text_width, m.text_width);
    row_height = std::max({row_height, m.icon_height, m.text_height});
  }
  const int item_width = icon_width + kMenuTextPadding + text_width;

  MenuLayout layout;
  layout.text_x = kMenuMarginLeft + icon_width;
  int y = kMenuMarginTop;
  for (const MenuItemMetrics& m : items) {
    const int h = m.separator ? separator_height : row_height;
    layout.items.push_back({kMenuMarginLeft, y, kMenuMarginLeft + item_width, y + h});
    y += h;
  }
  layout.width = kMenuMarginLeft + item_width + kMenuMarginRight;
  layout.height = y + kMenuMarginBottom;
  return layout;
}

bool IsToolMenuItem(unsigned id) { return (id >= 40001 && id <= 40005) || id == 40017; }

MenuItemLook ContextMenuItemLook(unsigned state, unsigned id) {
  MenuItemLook look;
  if (state & kStateHot)
    look.frame = MenuItemLook::kHoverFrame;
  else if ((state & kStateChecked) && IsToolMenuItem(id))
    look.frame = MenuItemLook::kCheckedFrame;
  const bool disabled = (state & kStateDisabled) != 0;
  look.icon_frame = disabled ? 1 : 0;
  look.second_text = (state & kStateChecked) != 0;
  look.text_colour = disabled ? kMenuDisabledTextColour : kMenuTextColour;
  return look;
}

const wchar_t* MenuItemText(const wchar_t* text, bool second, std::size_t* length) {
  const wchar_t* feed = text;
  while (*feed && *feed != L'\n') ++feed;
  const wchar_t* start = text;
  const wchar_t* end = feed;
  if (*feed) {  // two alternatives
    if (second) {
      start = feed + 1;
      end = start;
      while (*end) ++end;
    }
  }
  *length = static_cast<std::size_t>(end - start);
  return start;
}

Point MenuIconOrigin(const Rect& item, int text_x, int width, int height) {
  return {item.left + (text_x - item.left - width) / 2,
          item.top + (item.bottom - item.top - height) / 2};
}
