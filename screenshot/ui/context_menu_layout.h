// The context menu without windows: where its items go and how each one is drawn.
//
// Items are stacked from the top inside the panel's margins. Every normal item is one row high,
// the row being as tall as the tallest icon or text (the tool bar item measures as two lines, so
// it sets the row height); separators are as tall as their line picture. The icon column is as
// wide as the widest icon and the text column as the widest text plus 6 pixels.
#pragma once

#include <cstddef>
#include <vector>

#include "screenshot/ui/popup_placement.h"
#include "screenshot/ui/text_coverage.h"

// Panel margins, which are also the nine-grid margins of the menu's background picture.
constexpr int kMenuMarginLeft = 5;
constexpr int kMenuMarginTop = 8;
constexpr int kMenuMarginRight = 5;
constexpr int kMenuMarginBottom = 8;
// Room between the end of the widest text and the item's right edge.
constexpr int kMenuTextPadding = 6;

// What one item measured.
struct MenuItemMetrics {
  bool separator = false;
  int icon_width = 0;  // one frame of the icon; 0 without an icon
  int icon_height = 0;
  int text_width = 0;  // the whole text, every line of it
  int text_height = 0;
};

struct MenuLayout {
  std::vector<Rect> items;  // client coordinates, in item order
  int text_x = 0;           // left edge of the text column
  int width = 0;            // the window size
  int height = 0;
};

// Lays the items out; separators take |separator_height| rows.
MenuLayout LayoutContextMenu(const std::vector<MenuItemMetrics>& items, int separator_height);

// How an item is drawn for its button state (CInplaceButtonManager::GetButtonState bits: 4
// disabled, 8 checked, 0x40 hot).
struct MenuItemLook {
  enum Frame { kNoFrame = -1, kHoverFrame = 0, kCheckedFrame = 1 };
  int frame = kNoFrame;      // which frame of the highlight picture goes behind the item
  int icon_frame = 0;        // 0 the normal icon, 1 the greyed one
  bool second_text = false;  // the text after the line feed (the item is checked)
  TextColour text_colour = kMenuTextColour;
};
MenuItemLook ContextMenuItemLook(unsigned state, unsigned id);

// True for the items that choose a drawing tool, which show their checked state with a frame.
bool IsToolMenuItem(unsigned id);

// The part of |text| an item shows: before the first line feed, or after it for |second|; the
// whole text when there is no line feed. Returns the start and sets |length|.
const wchar_t* MenuItemText(const wchar_t* text, bool second, std::size_t* length);

// Top-left corner of a |width| x |height| icon frame centred in the icon column of |item|.
Point MenuIconOrigin(const Rect& item, int text_x, int width, int height);
