// The context menu's item rectangles from measured sizes, and how each item is drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot/ui/context_menu_layout.h"

namespace {

MenuItemMetrics Item(int icon_w, int icon_h, int text_w, int text_h) {
  MenuItemMetrics m;
  m.icon_width = icon_w;
  m.icon_height = icon_h;
  m.text_width = text_w;
  m.text_height = text_h;
  return m;
}

MenuItemMetrics Separator() {
  MenuItemMetrics m;
  m.separator = true;
  m.icon_width = 99;  // whatever a separator carries does not count
  m.text_width = 999;
  m.text_height = 99;
  return m;
}

TEST(ContextMenuLayout, ItemsStackInsideTheMarginsWithOneRowHeight) {
  // Icons 24 x 26; texts 12 pixels high, the two-line tool bar item 24; the widest text 72.
  const std::vector<MenuItemMetrics> items = {Item(24, 26, 48, 12), Item(0, 0, 72, 12),
                                              Separator(),          Item(0, 0, 60, 24),
                                              Separator(),          Item(24, 26, 48, 12)};
  const MenuLayout layout = LayoutContextMenu(items, 2);
  ASSERT_EQ(layout.items.size(), 6u);
  EXPECT_EQ(layout.text_x, 5 + 24);
  const int item_width = 24 + 6 + 72;
  EXPECT_EQ(layout.items[0], (Rect{5, 8, 5 + item_width, 34}));
  EXPECT_EQ(layout.items[1], (Rect{5, 34, 5 + item_width, 60}));
  EXPECT_EQ(layout.items[2], (Rect{5, 60, 5 + item_width, 62}));  // separator: 2 high
  EXPECT_EQ(layout.items[3], (Rect{5, 62, 5 + item_width, 88}));
  EXPECT_EQ(layout.items[4], (Rect{5, 88, 5 + item_width, 90}));
  EXPECT_EQ(layout.items[5], (Rect{5, 90, 5 + item_width, 116}));
  EXPECT_EQ(layout.width, 5 + item_width + 5);
  EXPECT_EQ(layout.height, 116 + 8);
}

TEST(ContextMenuLayout, TallestTextSetsTheRowWhenItBeatsTheIcons) {
  const MenuLayout layout =
      LayoutContextMenu({Item(24, 26, 48, 14), Item(0, 0, 60, 30), Separator()}, 3);
  EXPECT_EQ(layout.items[0].bottom - layout.items[0].top, 30);
  EXPECT_EQ(layout.items[1].bottom - layout.items[1].top, 30);
  EXPECT_EQ(layout.items[2].bottom - layout.items[2].top, 3);
  EXPECT_EQ(layout.height, 8 + 30 + 30 + 3 + 8);
  // No icons at all: the text column starts at the margin.
  const MenuLayout bare = LayoutContextMenu({Item(0, 0, 40, 12)}, 2);
  EXPECT_EQ(bare.text_x, 5);
  EXPECT_EQ(bare.width, 5 + 6 + 40 + 5);
  EXPECT_EQ(LayoutContextMenu({}, 2).height, 16);
}

TEST(ContextMenuLayout, LookFollowsHoverCheckAndDisabledStates) {
  // Plain enabled item.
  MenuItemLook look = ContextMenuItemLook(0, 40011);
  EXPECT_EQ(look.frame, MenuItemLook::kNoFrame);
  EXPECT_EQ(look.icon_frame, 0);
  EXPECT_FALSE(look.second_text);
  EXPECT_EQ(look.text_colour.red, 48);
  // Hovered: the hover frame.
  EXPECT_EQ(ContextMenuItemLook(0x40, 40011).frame, MenuItemLook::kHoverFrame);
  EXPECT_EQ(ContextMenuItemLook(0x40, 40001).frame, MenuItemLook::kHoverFrame);
  // The current tool's item (checked) shows the checked frame; every tool item can.
  for (unsigned id : {40001u, 40002u, 40003u, 40004u, 40005u, 40017u})
    EXPECT_EQ(ContextMenuItemLook(0x08, id).frame, MenuItemLook::kCheckedFrame) << id;
  // The checked tool bar item shows its second text but no frame.
  look = ContextMenuItemLook(0x08, 40014);
  EXPECT_EQ(look.frame, MenuItemLook::kNoFrame);
  EXPECT_TRUE(look.second_text);
  // Disabled: greyed icon and grey text.
  look = ContextMenuItemLook(0x04, 40007);
  EXPECT_EQ(look.icon_frame, 1);
  EXPECT_EQ(look.text_colour.red, 143);
  EXPECT_EQ(look.text_colour.green, 143);
  EXPECT_EQ(look.text_colour.blue, 143);
  EXPECT_FALSE(IsToolMenuItem(40007));
  EXPECT_FALSE(IsToolMenuItem(40006));
}

TEST(ContextMenuLayout, ItemTextPicksTheAlternativeForTheCheckState) {
  auto shown = [](const wchar_t* text, bool second) {
    size_t n = 0;
    const wchar_t* s = MenuItemText(text, second, &n);
    return std::wstring(s, n);
  };
  EXPECT_EQ(shown(L"显示工具条\n隐藏工具条", false), L"显示工具条");
  EXPECT_EQ(shown(L"显示工具条\n隐藏工具条", true), L"隐藏工具条");
  EXPECT_EQ(shown(L"添加矩形", false), L"添加矩形");
  EXPECT_EQ(shown(L"添加矩形", true), L"添加矩形");  // checked tools keep their only text
  EXPECT_EQ(shown(L"a\nb\nc", true), L"b\nc");       // only the first line feed splits
  EXPECT_EQ(shown(L"", true), L"");
}

TEST(ContextMenuLayout, IconsAreCentredInTheIconColumn) {
  const Rect item = {5, 8, 107, 34};
  EXPECT_EQ(MenuIconOrigin(item, 29, 24, 26), (Point{5, 8}));
  EXPECT_EQ(MenuIconOrigin(item, 29, 20, 20), (Point{7, 11}));
  EXPECT_EQ(MenuIconOrigin({5, 8, 107, 36}, 29, 24, 26), (Point{5, 9}));
}

}  // namespace
