// Reading of RT_DIALOG resources (plain DLGTEMPLATE and extended DLGTEMPLATEEX forms).
//
// The bars do not use their dialog templates as dialogs: a template is only a layout, a window size
// and a list of placeholder rectangles with ids, all numbers taken as pixels. This unit walks the
// template bytes into a plain structure; every read is checked against the size of the block, so a
// damaged resource is rejected rather than read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Window-style bits the template walk cares about.
constexpr std::uint32_t kTemplateVisible = 0x10000000;  // WS_VISIBLE
constexpr std::uint32_t kTemplateSetFont = 0x00000040;  // DS_SETFONT: a font block follows

struct DialogItemTemplate {
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t cx = 0;
  std::int16_t cy = 0;
  std::uint32_t id = 0;  // 16 bits in the plain form, 32 in the extended one
  // Window class: the predefined ordinals 0x80..0x85 are turned into their class names ("Button",
  // "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"), any other ordinal into "Static".
  std::u16string class_name;
  // Title: inline text, or a string resource number when has_title_ordinal is set.
  std::u16string title;
  bool has_title_ordinal = false;
  std::uint16_t title_ordinal = 0;
};

struct DialogTemplate {
  bool extended = false;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t cx = 0;
  std::int16_t cy = 0;
  std::vector<DialogItemTemplate> items;
};

// Parses a whole template. Returns false (with *out partly filled) when the block is too short
// for what it announces: the header, a menu/class/title/font field, any of the item records the
// header counts, or an item's creation data.
bool ParseDialogTemplate(const void* data, std::size_t size, DialogTemplate* out);

// The template with nothing in it, for creating the bare dialog window: only the fixed header is
// kept (18 bytes plain, 26 extended) with WS_VISIBLE and DS_SETFONT cleared, the item count,
// position and size set to 0, and empty menu, class and title fields after it. Empty when the
// block is too short for a header.
std::vector<std::uint8_t> MakeEmptyDialogTemplate(const void* data, std::size_t size);
