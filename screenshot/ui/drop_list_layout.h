// Geometry of the font and size drop lists: window size, rows, scroll bar, first visible row and
// where the popup opens next to the button that opened it.
#pragma once

#include <vector>

#include "screenshot/base/geometry.h"

// ---- font list --------------------------------------------------------------------------------

// Rows a font list shows at once; more entries than this scroll.
constexpr int kFontListPage = 9;
// A row is its entry's height plus 2 pixels above and below.
constexpr int kFontRowPadding = 4;
// Room around the rows and the scroll bar.
constexpr int kFontListBorder = 2;
// Row commands: row r sends kDropListRowCommand + r.
constexpr unsigned kDropListRowCommand = 1000;

struct FontListGeometry {
  Size window;
  Rect items;   // where the rows go
  Rect scroll;  // where the scroll bar goes (kept even while it is hidden)
  bool scroll_visible = false;
};

// The window fits the last min(9, count) entries (each height + 4) between 2-pixel borders; its
// width is the widest entry (|content_width|) + 6, the scroll bar's width and 4. With ten or
// more entries the scroll bar is shown right of the rows and the rows end at it; with fewer it is
// hidden and the rows take the whole width.
FontListGeometry LayoutFontList(const std::vector<int>& entry_heights, int content_width,
                                int scroll_width);

// The first visible entry for a selected one (-1: none): min(selected, count - 9), not below 0.
int FontListFirstVisible(int selected, int count);

// The rows from entry |first| on, each its entry's height + 4, stacked from the top of |items|
// while they fit in it and entries remain.
std::vector<Rect> LayoutFontRows(const std::vector<int>& entry_heights, int first,
                                 const Rect& items);

// The arrow step for a list showing |rows| rows: one row fewer, at least 1.
int FontListArrowStep(int rows);

// ---- size list --------------------------------------------------------------------------------

constexpr int kSizeListRows = 8;
constexpr int kSizeListHeight = 164;
constexpr int kSizeRowWidth = 26;
constexpr int kSizeRowHeight = 20;
constexpr int kSizeListArrowStep = 7;

struct SizeListGeometry {
  Size window;
  Rect rows[kSizeListRows];
  Rect scroll;
};

// 30 + the scroll bar's width by 164; eight 26 x 20 rows from (2, 2); the scroll bar from (28, 2)
// down to 162.
SizeListGeometry LayoutSizeList(int scroll_width);

// The first visible size for a selected index (-1: none): the selected one while it is below 9,
// else 8; 0 when nothing is selected.
int SizeListFirstVisible(int selected);

// ---- placement --------------------------------------------------------------------------------

// Where a |list| sized popup opens for the button at |anchor| (screen coordinates) on the
// monitor |bounds|: 2 pixels left of the button's left edge and 2 above its bottom edge, so its
// border overlaps the button's; kept from the monitor's left edge and from running more than 2
// pixels past its right edge; above the button (2 pixels below its top edge) when it would reach
// past the monitor's bottom edge.
Point PlaceFontList(const Rect& anchor, Size list, const Rect& bounds);
// The same for the size list, except that it may start 2 pixels before the monitor's left and
// top edges (its transparent border), never further.
Point PlaceSizeList(const Rect& anchor, Size list, const Rect& bounds);
