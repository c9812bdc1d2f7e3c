// Walking RT_DIALOG templates: the two byte blocks below are what the resource compiler
// (windres) produced for these scripts, so the walker is checked against real output, not
// against templates written with its own idea of the format:
//
//   100 DIALOG 10, 20, 200, 150
//   STYLE DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION
//   CAPTION "Hi"
//   FONT 9, "Tahoma"
//   BEGIN
//     PUSHBUTTON "OK", 1, 5, 6, 50, 14
//     CONTROL "", 1001, "MyClass", WS_TABSTOP, 7, 8, 20, 21
//     ICON 5, 1004, -3, 10, 11, 12
//     EDITTEXT 1005, 1, 2, 3, 4
//   END
//
//   200 DIALOGEX 1, 2, 300, 40
//   STYLE WS_POPUP
//   EXSTYLE WS_EX_TOOLWINDOW
//   MENU 7
//   CLASS "DlgCls"
//   CAPTION "Title"
//   FONT 8, "MS Shell Dlg", 700, 1, 0x86
//   BEGIN
//     CONTROL "Go", 70000, "Button", BS_PUSHBUTTON, 10, 11, 12, 13, WS_EX_CLIENTEDGE, 99
//     CONTROL "", 2, "ComboBox", CBS_DROPDOWNLIST, 20, 21, 22, 23
//     CONTROL "", 3, "ListBox", 0, 30, 31, 32, 33
//     CONTROL "", 4, "ScrollBar", 0, 40, 41, 42, 43
//   END
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot/ui/dialog_template.h"

namespace {

const std::vector<std::uint8_t> kPlain = {
    0x40, 0x00, 0xC0, 0x90, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x0A, 0x00, 0x14, 0x00, 0xC8, 0x00,
    0x96, 0x00, 0x00, 0x00, 0x00, 0x00, 0x48, 0x00, 0x69, 0x00, 0x00, 0x00, 0x09, 0x00, 0x54, 0x00,
    0x61, 0x00, 0x68, 0x00, 0x6F, 0x00, 0x6D, 0x00, 0x61, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x50,
    0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x06, 0x00, 0x32, 0x00, 0x0E, 0x00, 0x01, 0x00, 0xFF, 0xFF,
    0x80, 0x00, 0x4F, 0x00, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x50,
    0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00, 0x14, 0x00, 0x15, 0x00, 0xE9, 0x03, 0x4D, 0x00,
    0x59, 0x00, 0x43, 0x00, 0x4C, 0x00, 0x41, 0x00, 0x53, 0x00, 0x53, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00, 0x00, 0xFD, 0xFF, 0x0A, 0x00,
    0x0B, 0x00, 0x0C, 0x00, 0xEC, 0x03, 0xFF, 0xFF, 0x82, 0x00, 0xFF, 0xFF, 0x05, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x81, 0x50, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00,
    0xED, 0x03, 0xFF, 0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00,
};

const std::vector<std::uint8_t> kExtended = {
    0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x40, 0x00, 0xC0, 0x80,
    0x04, 0x00, 0x01, 0x00, 0x02, 0x00, 0x2C, 0x01, 0x28, 0x00, 0xFF, 0xFF, 0x07, 0x00, 0x44, 0x00,
    0x4C, 0x00, 0x47, 0x00, 0x43, 0x00, 0x4C, 0x00, 0x53, 0x00, 0x00, 0x00, 0x54, 0x00, 0x69, 0x00,
    0x74, 0x00, 0x6C, 0x00, 0x65, 0x00, 0x00, 0x00, 0x08, 0x00, 0xBC, 0x02, 0x01, 0x86, 0x4D, 0x00,
    0x53, 0x00, 0x20, 0x00, 0x53, 0x00, 0x68, 0x00, 0x65, 0x00, 0x6C, 0x00, 0x6C, 0x00, 0x20, 0x00,
    0x44, 0x00, 0x6C, 0x00, 0x67, 0x00, 0x00, 0x00, 0x63, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x50, 0x0A, 0x00, 0x0B, 0x00, 0x0C, 0x00, 0x0D, 0x00, 0x70, 0x11, 0x01, 0x00,
    0x42, 0x00, 0x55, 0x00, 0x54, 0x00, 0x54, 0x00, 0x4F, 0x00, 0x4E, 0x00, 0x00, 0x00, 0x47, 0x00,
    0x6F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x03, 0x00, 0x00, 0x50, 0x14, 0x00, 0x15, 0x00, 0x16, 0x00, 0x17, 0x00, 0x02, 0x00, 0x00, 0x00,
    0x43, 0x00, 0x4F, 0x00, 0x4D, 0x00, 0x42, 0x00, 0x4F, 0x00, 0x42, 0x00, 0x4F, 0x00, 0x58, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x50, 0x1E, 0x00, 0x1F, 0x00, 0x20, 0x00, 0x21, 0x00, 0x03, 0x00, 0x00, 0x00,
    0x4C, 0x00, 0x49, 0x00, 0x53, 0x00, 0x54, 0x00, 0x42, 0x00, 0x4F, 0x00, 0x58, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50,
    0x28, 0x00, 0x29, 0x00, 0x2A, 0x00, 0x2B, 0x00, 0x04, 0x00, 0x00, 0x00, 0x53, 0x00, 0x43, 0x00,
    0x52, 0x00, 0x4F, 0x00, 0x4C, 0x00, 0x4C, 0x00, 0x42, 0x00, 0x41, 0x00, 0x52, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,
};

// Writes template bytes field by field, for the cases the resource compiler does not produce.
class Bytes {
 public:
  Bytes& u16(std::uint16_t v) {
    b_.push_back(v & 0xFF);
    b_.push_back(v >> 8);
    return *this;
  }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& str(const char16_t* s) {
    for (; *s; ++s) u16(*s);
    return u16(0);
  }
  Bytes& ord(std::uint16_t v) { return u16(0xFFFF).u16(v); }
  Bytes& raw(std::initializer_list<std::uint8_t> bytes) {
    b_.insert(b_.end(), bytes);
    return *this;
  }
  Bytes& align4() {
    while (b_.size() % 4) b_.push_back(0);
    return *this;
  }
  // Plain header: style, ex style, count, x, y, cx, cy.
  Bytes& header(std::uint32_t style, std::uint16_t count, std::int16_t cx, std::int16_t cy) {
    return u32(style).u32(0).u16(count).u16(0).u16(0).u16(cx).u16(cy);
  }
  // Plain item up to and including the id.
  Bytes& item(std::uint32_t style, std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy,
              std::uint16_t id) {
    return align4().u32(style).u32(0).u16(x).u16(y).u16(cx).u16(cy).u16(id);
  }
  const std::vector<std::uint8_t>& get() const { return b_; }

 private:
  std::vector<std::uint8_t> b_;
};

// Parses a copy of exactly `size` bytes, so that reading one byte too far trips the sanitizer.
bool Parse(const std::vector<std::uint8_t>& bytes, std::size_t size, DialogTemplate* out) {
  std::vector<std::uint8_t> exact(bytes.begin(), bytes.begin() + size);
  return ParseDialogTemplate(exact.empty() ? nullptr : exact.data(), size, out);
}

void ExpectItem(const DialogItemTemplate& item, std::uint32_t style, std::uint32_t ex_style, int x,
                int y, int cx, int cy, std::uint32_t id, const std::u16string& cls) {
  EXPECT_EQ(item.style, style) << item.id;
  EXPECT_EQ(item.ex_style, ex_style) << item.id;
  EXPECT_EQ(item.x, x) << item.id;
  EXPECT_EQ(item.y, y) << item.id;
  EXPECT_EQ(item.cx, cx) << item.id;
  EXPECT_EQ(item.cy, cy) << item.id;
  EXPECT_EQ(item.id, id);
  EXPECT_TRUE(item.class_name == cls) << item.id;
}

TEST(DialogTemplate, CompilerOutputPlainForm) {
  DialogTemplate t;
  ASSERT_TRUE(Parse(kPlain, kPlain.size(), &t));
  EXPECT_FALSE(t.extended);
  EXPECT_EQ(t.style, 0x90C00040u);  // WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT
  EXPECT_EQ(t.ex_style, 0u);
  EXPECT_EQ(t.x, 10);
  EXPECT_EQ(t.y, 20);
  EXPECT_EQ(t.cx, 200);
  EXPECT_EQ(t.cy, 150);
  ASSERT_EQ(t.items.size(), 4u);
  ExpectItem(t.items[0], 0x50010000, 0, 5, 6, 50, 14, 1, u"Button");
  EXPECT_TRUE(t.items[0].title == u"OK");
  EXPECT_FALSE(t.items[0].has_title_ordinal);
  ExpectItem(t.items[1], 0x50010000, 0, 7, 8, 20, 21, 1001, u"MYCLASS");
  EXPECT_TRUE(t.items[1].title.empty());
  ExpectItem(t.items[2], 0x50000003, 0, -3, 10, 11, 12, 1004, u"Static");
  EXPECT_TRUE(t.items[2].has_title_ordinal);
  EXPECT_EQ(t.items[2].title_ordinal, 5);
  ExpectItem(t.items[3], 0x50810000, 0, 1, 2, 3, 4, 1005, u"Edit");
}

TEST(DialogTemplate, CompilerOutputExtendedForm) {
  DialogTemplate t;
  ASSERT_TRUE(Parse(kExtended, kExtended.size(), &t));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.style, 0x80C00040u);  // WS_POPUP | WS_CAPTION (from CAPTION) | DS_SETFONT
  EXPECT_EQ(t.ex_style, 0x80u);     // WS_EX_TOOLWINDOW
  EXPECT_EQ(t.x, 1);
  EXPECT_EQ(t.y, 2);
  EXPECT_EQ(t.cx, 300);
  EXPECT_EQ(t.cy, 40);
  ASSERT_EQ(t.items.size(), 4u);
  ExpectItem(t.items[0], 0x50000000, 0x200, 10, 11, 12, 13, 70000, u"BUTTON");  // 32-bit id
  EXPECT_TRUE(t.items[0].title == u"Go");
  ExpectItem(t.items[1], 0x50000003, 0, 20, 21, 22, 23, 2, u"COMBOBOX");
  ExpectItem(t.items[2], 0x50000000, 0, 30, 31, 32, 33, 3, u"LISTBOX");
  ExpectItem(t.items[3], 0x50000000, 0, 40, 41, 42, 43, 4, u"SCROLLBAR");
}

TEST(DialogTemplate, EveryTruncationIsRejected) {
  // Both blocks end with the last item's creation-data count, so every byte is needed: cuts fall
  // inside strings, ordinals, the font block, item records and the item count.
  for (const auto* block : {&kPlain, &kExtended}) {
    for (std::size_t size = 0; size < block->size(); ++size) {
      DialogTemplate t;
      EXPECT_FALSE(Parse(*block, size, &t)) << "size " << size;
    }
  }
  DialogTemplate t;
  EXPECT_FALSE(ParseDialogTemplate(nullptr, 100, &t));
}

TEST(DialogTemplate, ClassOrdinalsTitlesAndCreationData) {
  Bytes b;
  b.header(0x80000000, 8, 640, 480).u16(0).u16(0).str(u"");  // no menu, class, title; no font
  const std::uint16_t ordinals[] = {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86};
  for (int i = 0; i < 7; ++i) {
    b.item(0x50000000, std::int16_t(i), 0, 1, 1, std::uint16_t(10 + i)).ord(ordinals[i]);
    if (i == 3)
      b.ord(0x1234).u16(3).raw({0xAA, 0xBB, 0xCC});  // title by number, 3 bytes creation data
    else
      b.str(u"t").u16(0);
  }
  // Inline class, item id 0xFFFF read as an unsigned number.
  b.item(0x40000000, -5, -6, 7, 8, 0xFFFF).str(u"CustomClass").str(u"\u6587\u5b57").u16(0);
  DialogTemplate t;
  ASSERT_TRUE(Parse(b.get(), b.get().size(), &t));
  ASSERT_EQ(t.items.size(), 8u);
  const char16_t* names[] = {u"Button",    u"Edit",     u"Static", u"ListBox",
                             u"ScrollBar", u"ComboBox", u"Static"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(t.items[i].class_name == names[i]) << i;
    EXPECT_EQ(t.items[i].x, i);
    EXPECT_EQ(t.items[i].id, 10u + i);
  }
  EXPECT_TRUE(t.items[3].has_title_ordinal);
  EXPECT_EQ(t.items[3].title_ordinal, 0x1234);
  EXPECT_TRUE(t.items[4].title == u"t");  // found after the odd-sized creation data
  EXPECT_FALSE(t.items[4].has_title_ordinal);
  ExpectItem(t.items[7], 0x40000000, 0, -5, -6, 7, 8, 0xFFFF, u"CustomClass");
  EXPECT_TRUE(t.items[7].title == u"\u6587\u5b57");

  // Creation data that runs past the end of the block.
  Bytes c;
  c.header(0, 1, 1, 1).u16(0).u16(0).str(u"").item(0, 0, 0, 1, 1, 1).ord(0x82).str(u"").u16(8);
  c.raw({1, 2, 3, 4, 5, 6, 7});
  EXPECT_FALSE(Parse(c.get(), c.get().size(), &t));
  c.raw({8});
  EXPECT_TRUE(Parse(c.get(), c.get().size(), &t));
}

TEST(DialogTemplate, HeaderFieldsAndFontAreSkipped) {
  // Menu by name, class by ordinal, a title that starts with U+FFFF (still a string: the dialog
  // manager reads titles only as strings), then a font block.
  Bytes b;
  b.header(0x00000040, 1, 30, 40).str(u"MENU").ord(0x7FF0).str(u"\uFFFF\u0041B");
  b.u16(9).str(u"Tahoma");
  b.item(0x50000000, 1, 2, 3, 4, 77).ord(0x80).str(u"x").u16(0);
  DialogTemplate t;
  ASSERT_TRUE(Parse(b.get(), b.get().size(), &t));
  ASSERT_EQ(t.items.size(), 1u);
  ExpectItem(t.items[0], 0x50000000, 0, 1, 2, 3, 4, 77, u"Button");

  // The extended font block is 6 bytes before the face name; menu by ordinal.
  Bytes e;
  e.u16(1).u16(0xFFFF).u32(0).u32(0).u32(0x40).u16(1).u16(0).u16(0).u16(50).u16(60);
  e.ord(3).u16(0).str(u"").u16(8).u16(400).raw({0, 1}).str(u"MS Shell Dlg");
  e.align4().u32(0).u32(0x20).u32(0x50000000).u16(9).u16(8).u16(7).u16(6).u32(123456);
  e.str(u"Inline").ord(2000).u16(0);
  ASSERT_TRUE(Parse(e.get(), e.get().size(), &t));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.cx, 50);
  ASSERT_EQ(t.items.size(), 1u);
  ExpectItem(t.items[0], 0x50000000, 0x20, 9, 8, 7, 6, 123456, u"Inline");
  EXPECT_TRUE(t.items[0].has_title_ordinal);
  EXPECT_EQ(t.items[0].title_ordinal, 2000);
}

TEST(DialogTemplate, EmptyCopyKeepsOnlyTheHeader) {
  const std::vector<std::uint8_t> plain = MakeEmptyDialogTemplate(kPlain.data(), kPlain.size());
  const std::vector<std::uint8_t> expected_plain = {
      0x00, 0x00, 0xC0, 0x80,                          // style without WS_VISIBLE and DS_SETFONT
      0x00, 0x00, 0x00, 0x00,                          // ex style
      0x00, 0x00,                                      // items
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // x, y, cx, cy
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,              // menu, class, title
  };
  EXPECT_EQ(plain, expected_plain);

  const std::vector<std::uint8_t> ext = MakeEmptyDialogTemplate(kExtended.data(), kExtended.size());
  const std::vector<std::uint8_t> expected_ext = {
      0x01, 0x00, 0xFF, 0xFF,  // version, signature
      0x00, 0x00, 0x00, 0x00,  // help id
      0x80, 0x00, 0x00, 0x00,  // ex style kept
      0x00, 0x00, 0xC0, 0x80,  // style without DS_SETFONT
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  };
  EXPECT_EQ(ext, expected_ext);

  // The copy is itself a valid, empty template.
  DialogTemplate t;
  ASSERT_TRUE(ParseDialogTemplate(ext.data(), ext.size(), &t));
  EXPECT_TRUE(t.extended);
  EXPECT_TRUE(t.items.empty());

  // Too short for a header: nothing.
  EXPECT_TRUE(MakeEmptyDialogTemplate(kPlain.data(), 17).empty());
  EXPECT_TRUE(MakeEmptyDialogTemplate(kExtended.data(), 25).empty());
  EXPECT_TRUE(MakeEmptyDialogTemplate(nullptr, 40).empty());
}

}  // namespace
