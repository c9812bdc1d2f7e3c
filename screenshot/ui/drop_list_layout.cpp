// Geometry of the font and size drop lists.
#include "screenshot/ui/drop_list_layout.h"

#include <algorithm>

FontListGeometry LayoutFontList(const std::vector<int>& entry_heights, int content_width,
                                int scroll_width) {
  const int count = static_cast<int>(entry_heights.size());
  int rows_height = 0;
  for (int i = std::max(0, count - kFontListPage); i < count; ++i)
    rows_height += entry_heights[i] + kFontRowPadding;

  FontListGeometry g;
  g.window = {content_width + 6 + scroll_width + 4, 2 * kFontListBorder + rows_height};
  const int bottom = g.window.height - kFontListBorder;
  g.scroll = {content_width + 8, kFontListBorder, g.window.width - kFontListBorder, bottom};
  g.scroll_visible = count > kFontListPage;
  g.items = {kFontListBorder, kFontListBorder,
             g.scroll_visible ? g.scroll.left : g.window.width - kFontListBorder, bottom};
  return g;
}

int FontListFirstVisible(int selected, int count) {
  if (selected < 0) return 0;
  return std::max(0, std::min(selected, count - kFontListPage));
}

std::vector<Rect> LayoutFontRows(const std::vector<int>& entry_heights, int first,
                                 const Rect& items) {
  std::vector<Rect> rows;
  int top = items.top;
  for (int i = std::max(first, 0); i < static_cast<int>(entry_heights.size()); ++i) {
    const int bottom = top + entry_heights[i] + kFontRowPadding;
    if (bottom > items.bottom) break;
    rows.push_back({items.left, top, items.right, bottom});
    top = bottom;
  }
  return rows;
}

int FontListArrowStep(int rows) { return std::max(1, rows - 1); }

SizeListGeometry LayoutSizeList(int scroll_width) {
  SizeListGeometry g;
  g.window = {30 + scroll_width, kSizeListHeight};
  for (int r = 0; r < kSizeListRows; ++r)
    g.rows[r] = {2, 2 + kSizeRowHeight * r, 2 + kSizeRowWidth, 2 + kSizeRowHeight * (r + 1)};
  g.scroll = {28, 2, 28 + scroll_width, kSizeListHeight - 2};
  return g;
}

int SizeListFirstVisible(int selected) {
  if (selected < 0) return 0;
  return selected < 9 ? selected : 8;
}

namespace {

Point PlaceBelow(const Rect& anchor, Size list, const Rect& bounds) {
  Point p{anchor.left - 2, anchor.bottom - 2};
  if (p.y + list.height > bounds.bottom) p.y = anchor.top + 2 - list.height;
  return p;
}

}  // namespace

Point PlaceFontList(const Rect& anchor, Size list, const Rect& bounds) {
  Point p = PlaceBelow(anchor, list, bounds);
  if (p.x < bounds.left)
    p.x = bounds.left;
  else
    p.x = std::min(p.x, bounds.right + 2 - list.width);
  return p;
}

Point PlaceSizeList(const Rect& anchor, Size list, const Rect& bounds) {
  Point p = PlaceBelow(anchor, list, bounds);
  p.x = std::max(bounds.left - 2, std::min(p.x, bounds.right + 2 - list.width));
  p.y = std::max(bounds.top - 2, p.y);
  return p;
}
