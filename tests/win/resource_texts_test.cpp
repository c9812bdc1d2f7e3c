// The engine's texts and layouts as the engine will find them: Snapshot.exe (beside this test
// program) is loaded as a data file and every numbered string, dialog template, the context menu
// and the manifest are read back and compared with what the engine relies on. The ids are written
// out as numbers on purpose, so a wrong name in the resource header shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "win/support/test_pictures.h"

namespace {

using ResourcesTest = testpictures::EngineModuleTest;

HINSTANCE Engine() { return testpictures::EngineInstance(); }

// ---------------------------------------------------------------------------------------------
// Strings

TEST_F(ResourcesTest, StringTableHoldsTheEngineTexts) {
  const std::map<int, std::wstring> texts = {
      {104, L"RGB:(%d,%d,%d)"},
      {106, L"%d \u00D7 %d"},
      {150, L"添加矩形"},
      {151, L"添加椭圆"},
      {152, L"添加箭头"},
      {153, L"画刷工具"},
      {154, L"添加文字"},
      {155, L"选择对象"},
      {156, L"撤销"},
      {157, L"恢复"},
      {158, L"复制到剪贴板"},
      {159, L"保存截图"},
      {160, L"退出截图"},
      {165, L"字号"},
      {167, L"加粗"},
      {168, L"斜体"},
      {170, L"截屏图片"},
      {171, L"截屏图片 (%u)"},
      {172, L"\u201C%s\u201D已经存在，是否要覆盖？"},
      {173, L"选择区域进行模糊"},
  };
  for (const auto& [id, text] : texts) {
    wchar_t buf[256] = {};
    int n = LoadStringW(Engine(), static_cast<UINT>(id), buf, 256);
    EXPECT_EQ(std::wstring(buf, n > 0 ? n : 0), text) << "string " << id;
  }
}

// ---------------------------------------------------------------------------------------------
// Dialog templates

struct DlgItem {
  DWORD style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
};

struct Dlg {
  DWORD style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::vector<DlgItem> items;
};

// Reader for both template forms (DLGTEMPLATE and DLGTEMPLATEEX).
class TemplateReader {
 public:
  explicit TemplateReader(const uint8_t* p) : base_(p), p_(p) {}
  WORD word() {
    WORD v;
    memcpy(&v, p_, 2);
    p_ += 2;
    return v;
  }
  DWORD dword() {
    DWORD v;
    memcpy(&v, p_, 4);
    p_ += 4;
    return v;
  }
  short sword() { return static_cast<short>(word()); }
  void skipSzOrOrd() {
    WORD w = word();
    if (w == 0xFFFF)
      word();
    else
      while (w != 0) w = word();
  }
  void skipString() {
    while (word() != 0) {
    }
  }
  void align4() {
    while ((p_ - base_) % 4) ++p_;
  }
  void skip(size_t n) { p_ += n; }

 private:
  const uint8_t* base_;
  const uint8_t* p_;
};

bool loadDialog(int id, Dlg* d) {
  HRSRC res = FindResourceW(Engine(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  if (!res) return false;
  const uint8_t* p = static_cast<const uint8_t*>(LockResource(LoadResource(Engine(), res)));
  if (!p) return false;
  TemplateReader r(p);
  bool ex = reinterpret_cast<const WORD*>(p)[1] == 0xFFFF;
  int count;
  if (ex) {
    r.word();
    r.word();
    r.dword();  // version, signature, help id
    d->exStyle = r.dword();
    d->style = r.dword();
  } else {
    d->style = r.dword();
    d->exStyle = r.dword();
  }
  count = r.word();
  d->x = r.sword();
  d->y = r.sword();
  d->cx = r.sword();
  d->cy = r.sword();
  r.skipSzOrOrd();  // menu
  r.skipSzOrOrd();  // class
  r.skipString();   // title
  if (d->style & DS_SETFONT) {
    r.word();           // point size
    if (ex) r.skip(4);  // weight, italic, charset
    r.skipString();     // face
  }
  for (int i = 0; i < count; ++i) {
    r.align4();
    DlgItem it;
    if (ex) {
      r.dword();
      it.exStyle = r.dword();
      it.style = r.dword();
    } else {
      it.style = r.dword();
      it.exStyle = r.dword();
    }
    it.x = r.sword();
    it.y = r.sword();
    it.cx = r.sword();
    it.cy = r.sword();
    it.id = ex ? r.dword() : r.word();
    r.skipSzOrOrd();  // class
    r.skipSzOrOrd();  // title
    WORD extra = r.word();
    r.skip(extra);
    d->items.push_back(it);
  }
  return true;
}

struct Rect {
  int x, y, cx, cy;
};

// Swatches: palette index i has id 1001 + i; eight columns 12 pixels apart, rows at y 6 and 18.
void addSwatches(std::map<DWORD, Rect>& m, int firstColumn) {
  for (int i = 0; i < 16; ++i) m[1001 + i] = {firstColumn + 12 * (i % 8), i < 8 ? 6 : 18, 10, 10};
}

void expectLayout(const Dlg& d, int cx, int cy, const std::map<DWORD, Rect>& controls) {
  EXPECT_EQ(d.cx, cx);
  EXPECT_EQ(d.cy, cy);
  EXPECT_TRUE(d.style & WS_POPUP);
  EXPECT_FALSE(d.style & WS_CHILD);
  EXPECT_FALSE(d.style & WS_VISIBLE) << "the bars are created hidden";
  ASSERT_EQ(d.items.size(), controls.size());
  std::map<DWORD, Rect> seen;
  for (const DlgItem& it : d.items) {
    auto want = controls.find(it.id);
    ASSERT_NE(want, controls.end()) << "unexpected control " << it.id;
    EXPECT_FALSE(seen.count(it.id)) << "control " << it.id << " twice";
    seen[it.id] = {it.x, it.y, it.cx, it.cy};
    EXPECT_EQ(it.x, want->second.x) << "control " << it.id;
    EXPECT_EQ(it.y, want->second.y) << "control " << it.id;
    EXPECT_EQ(it.cx, want->second.cx) << "control " << it.id;
    EXPECT_EQ(it.cy, want->second.cy) << "control " << it.id;
    EXPECT_TRUE(it.style & WS_CHILD);
  }
}

TEST_F(ResourcesTest, ColourBarTemplateIsItsPixelLayout) {
  Dlg d;
  ASSERT_TRUE(loadDialog(301, &d));
  std::map<DWORD, Rect> controls = {
      {1019, {7, 7, 20, 20}},
      {1020, {30, 7, 20, 20}},
      {1021, {53, 7, 20, 20}},
      {1017, {85, 6, 22, 22}},
  };
  addSwatches(controls, 112);
  expectLayout(d, 213, 34, controls);
}

TEST_F(ResourcesTest, TextBarTemplateIsItsPixelLayout) {
  Dlg d;
  ASSERT_TRUE(loadDialog(302, &d));
  std::map<DWORD, Rect> controls = {
      {1025, {7, 7, 40, 22}},   {1027, {52, 7, 56, 22}},  {1023, {115, 7, 22, 22}},
      {1024, {144, 7, 22, 22}}, {1017, {178, 6, 22, 22}},
  };
  addSwatches(controls, 205);
  expectLayout(d, 306, 34, controls);
}

TEST_F(ResourcesTest, BackdropTemplateIsAnEmptyTopmostPopup) {
  Dlg d;
  ASSERT_TRUE(loadDialog(303, &d));
  EXPECT_TRUE(d.style & WS_POPUP);
  EXPECT_TRUE(d.style & DS_SETFONT);
  EXPECT_FALSE(d.style & WS_CHILD);
  EXPECT_FALSE(d.style & WS_VISIBLE) << "the dialog shows itself once it is placed";
  EXPECT_EQ(d.exStyle & (WS_EX_TOPMOST | WS_EX_WINDOWEDGE),
            DWORD(WS_EX_TOPMOST | WS_EX_WINDOWEDGE));
  EXPECT_TRUE(d.items.empty());
}

// ---------------------------------------------------------------------------------------------
// Context menu

TEST_F(ResourcesTest, ContextMenuHasItsItemsInOrder) {
  HMENU menu = LoadMenuW(Engine(), MAKEINTRESOURCEW(109));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  wchar_t title[64] = {};
  GetMenuStringW(menu, 0, title, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(title), L"context_tool_menu");
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);

  struct Item {
    UINT id;
    const wchar_t* text;  // null for a separator
  };
  const Item items[] = {
      {40001, L"添加矩形"}, {40002, L"添加椭圆"},
      {40003, L"添加箭头"}, {40004, L"画刷工具"},
      {40017, L"模糊工具"}, {40005, L"添加文字"},
      {40007, L"删除"},     {40008, L"撤销"},
      {0, nullptr},         {40010, L"完成截图"},
      {40011, L"保存截图"}, {40012, L"重选截图区域"},
      {0, nullptr},         {40014, L"显示工具条\n隐藏工具条"},
      {0, nullptr},         {40015, L"退出截图"},
  };
  const int count = static_cast<int>(sizeof(items) / sizeof(items[0]));
  ASSERT_EQ(GetMenuItemCount(popup), count);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE("item " + std::to_string(i));
    wchar_t buf[256] = {};
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    mii.dwTypeData = buf;
    mii.cch = 255;
    ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &mii));
    EXPECT_EQ(mii.hSubMenu, nullptr);
    if (!items[i].text) {
      EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_FALSE(mii.fType & MFT_SEPARATOR);
    EXPECT_EQ(mii.wID, items[i].id);
    EXPECT_EQ(std::wstring(buf), std::wstring(items[i].text));
  }
  DestroyMenu(menu);
}

TEST_F(ResourcesTest, ManifestIsEmbedded) {
  EXPECT_NE(FindResourceW(Engine(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
}

}  // namespace
