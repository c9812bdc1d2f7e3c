// CreateFromTemplate: the engine's bar templates and hand-made ones become windows whose size and
// controls are the template's numbers taken as pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot/ui/CreateFromTemplate.h"
#include "win/support/test_pictures.h"

namespace {

struct Placeholder {
  int id, x, y, cx, cy;
};

// The bar layouts (colour bar 301, text bar 302), written out from the bars' descriptions.
std::vector<Placeholder> ColorBarLayout() {
  std::vector<Placeholder> v = {
      {1019, 7, 7, 20, 20}, {1020, 30, 7, 20, 20}, {1021, 53, 7, 20, 20}, {1017, 85, 6, 22, 22}};
  for (int i = 0; i < 16; ++i) v.push_back({1001 + i, 112 + 12 * (i % 8), i < 8 ? 6 : 18, 10, 10});
  return v;
}

std::vector<Placeholder> TextBarLayout() {
  std::vector<Placeholder> v = {{1025, 7, 7, 40, 22},
                                {1027, 52, 7, 56, 22},
                                {1023, 115, 7, 22, 22},
                                {1024, 144, 7, 22, 22},
                                {1017, 178, 6, 22, 22}};
  for (int i = 0; i < 16; ++i) v.push_back({1001 + i, 205 + 12 * (i % 8), i < 8 ? 6 : 18, 10, 10});
  return v;
}

SIZE WindowSize(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void ExpectPlaceholders(HWND window, const std::vector<Placeholder>& layout) {
  std::vector<TemplateButton> read = ReadPlaceholderRects(window);
  ASSERT_EQ(read.size(), layout.size());
  for (size_t i = 0; i < layout.size(); ++i) {  // in template order, top of the Z order first
    const Placeholder& p = layout[i];
    EXPECT_EQ(read[i].id, p.id) << i;
    EXPECT_EQ(read[i].rect.left, p.x) << p.id;
    EXPECT_EQ(read[i].rect.top, p.y) << p.id;
    EXPECT_EQ(read[i].rect.right, p.x + p.cx) << p.id;
    EXPECT_EQ(read[i].rect.bottom, p.y + p.cy) << p.id;
    RECT one;
    ASSERT_TRUE(ReadPlaceholderRect(window, p.id, &one)) << p.id;
    EXPECT_TRUE(EqualRect(&one, &read[i].rect)) << p.id;
  }
}

class CreateFromTemplateTest : public testpictures::EngineModuleTest {
 protected:
  void TearDown() override {
    for (HWND w : windows_)
      if (IsWindow(w)) DestroyWindow(w);
  }
  const HINSTANCE engine_ = engine();
  HWND Keep(HWND w) {
    windows_.push_back(w);
    return w;
  }
  std::vector<HWND> windows_;
};

TEST_F(CreateFromTemplateTest, EngineBarTemplatesArePixelLayouts) {
  struct Case {
    UINT id;
    SIZE size;
    std::vector<Placeholder> layout;
  } cases[] = {
      {301, {213, 34}, ColorBarLayout()}, {302, {306, 34}, TextBarLayout()}, {303, {320, 200}, {}}};
  for (const Case& c : cases) {
    HWND w = Keep(CreateFromTemplate(engine_, c.id, nullptr, nullptr));
    ASSERT_NE(w, nullptr) << c.id;
    const SIZE size = WindowSize(w);
    EXPECT_EQ(size.cx, c.size.cx) << c.id;
    EXPECT_EQ(size.cy, c.size.cy) << c.id;
    EXPECT_FALSE(IsWindowVisible(w)) << c.id << ": the template has no WS_VISIBLE";
    ExpectPlaceholders(w, c.layout);
  }
  EXPECT_EQ(CreateFromTemplate(engine_, 399, nullptr, nullptr), nullptr);  // no such template
}

// Template bytes written field by field.
class Bytes {
 public:
  Bytes& u16(std::uint16_t v) {
    b_.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b_.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& str(const wchar_t* s) {
    for (; *s; ++s) u16(*s);
    return u16(0);
  }
  Bytes& ord(std::uint16_t v) { return u16(0xFFFF).u16(v); }
  Bytes& align4() {
    while (b_.size() % 4) b_.push_back(0);
    return *this;
  }
  std::vector<std::uint8_t>& get() { return b_; }

 private:
  std::vector<std::uint8_t> b_;
};

const std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

// A plain template with a caption, a font and four controls: button by class ordinal with an
// inline title, an inline "Static" class with a title given by string number 104 of the engine,
// an edit by ordinal, and a control whose template forgot WS_CHILD.
std::vector<std::uint8_t> PlainTemplate(DWORD style) {
  Bytes b;
  b.u32(style).u32(0).u16(4).u16(0).u16(0).u16(250).u16(120);
  b.u16(0).u16(0).str(L"Caption").u16(8).str(L"MS Shell Dlg");
  b.align4().u32(kChild | BS_PUSHBUTTON).u32(0).u16(10).u16(12).u16(60).u16(20).u16(501);
  b.ord(0x80).str(L"Push").u16(0);
  b.align4().u32(kChild).u32(0).u16(80).u16(12).u16(100).u16(16).u16(502);
  b.str(L"Static").ord(104).u16(0);
  b.align4().u32(kChild | WS_BORDER).u32(0).u16(10).u16(40).u16(200).u16(24).u16(503);
  b.ord(0x81).str(L"typed").u16(0);
  b.align4().u32(WS_VISIBLE).u32(0).u16(10).u16(70).u16(30).u16(30).u16(504);
  b.ord(0x82).str(L"").u16(0);
  return b.get();
}

TEST_F(CreateFromTemplateTest, HandMadePlainTemplate) {
  std::vector<std::uint8_t> t =
      PlainTemplate(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT);
  HWND w = Keep(CreateFromTemplateData(engine_, t.data(), t.size(), nullptr, nullptr));
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  // The window, caption and frame included, is 250 x 120: pixels, not dialog units.
  const SIZE size = WindowSize(w);
  EXPECT_EQ(size.cx, 250);
  EXPECT_EQ(size.cy, 120);
  ExpectPlaceholders(w, {{501, 10, 12, 60, 20},
                         {502, 80, 12, 100, 16},
                         {503, 10, 40, 200, 24},
                         {504, 10, 70, 30, 30}});

  wchar_t text[300] = {};
  GetWindowTextW(GetDlgItem(w, 501), text, 300);
  EXPECT_STREQ(text, L"Push");
  GetWindowTextW(GetDlgItem(w, 502), text, 300);
  EXPECT_STREQ(text, L"RGB:(%d,%d,%d)");  // string 104 of the engine
  GetWindowTextW(GetDlgItem(w, 503), text, 300);
  EXPECT_STREQ(text, L"typed");
  wchar_t cls[32] = {};
  GetClassNameW(GetDlgItem(w, 501), cls, 32);
  EXPECT_EQ(lstrcmpiW(cls, L"Button"), 0);
  GetClassNameW(GetDlgItem(w, 503), cls, 32);
  EXPECT_EQ(lstrcmpiW(cls, L"Edit"), 0);
  // The control without WS_CHILD in its template is a child all the same.
  HWND orphan = GetDlgItem(w, 504);
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(GetParent(orphan), w);
  EXPECT_TRUE(GetWindowLongW(orphan, GWL_STYLE) & WS_CHILD);

  // Same template without WS_VISIBLE: hidden, same layout.
  std::vector<std::uint8_t> hidden = PlainTemplate(WS_POPUP | WS_CAPTION | DS_SETFONT);
  HWND h = Keep(CreateFromTemplateData(engine_, hidden.data(), hidden.size(), nullptr, nullptr));
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(WindowSize(h).cx, 250);
  EXPECT_EQ(WindowSize(h).cy, 120);
}

TEST_F(CreateFromTemplateTest, HandMadeExtendedTemplate) {
  Bytes b;
  b.u16(1).u16(0xFFFF).u32(0).u32(WS_EX_TOOLWINDOW).u32(WS_POPUP | WS_VISIBLE | DS_SETFONT);
  b.u16(3).u16(5).u16(5).u16(180).u16(60);
  b.u16(0).u16(0).str(L"").u16(9).u16(400).u16(0).str(L"Tahoma");
  // 32-bit id, extended style, creation data of 4 bytes.
  b.align4().u32(0).u32(WS_EX_CLIENTEDGE).u32(kChild).u16(3).u16(4).u16(50).u16(20).u32(70000);
  b.ord(0x80).str(L"Big").u16(4).u16(0xAAAA).u16(0xBBBB);
  // Unknown inline class: skipped, the rest still made.
  b.align4().u32(0).u32(0).u32(kChild).u16(60).u16(4).u16(20).u16(20).u32(7);
  b.str(L"NoSuchClassHere").str(L"").u16(0);
  b.align4().u32(0).u32(0).u32(kChild).u16(90).u16(30).u16(40).u16(25).u32(8);
  b.ord(0x84).str(L"").u16(0);
  std::vector<std::uint8_t>& t = b.get();

  HWND w = Keep(CreateFromTemplateData(engine_, t.data(), t.size(), nullptr, nullptr));
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(WindowSize(w).cx, 180);
  EXPECT_EQ(WindowSize(w).cy, 60);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  HWND big = GetDlgItem(w, 70000);
  ASSERT_NE(big, nullptr);
  EXPECT_TRUE(GetWindowLongW(big, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetDlgItem(w, 7), nullptr);
  std::vector<TemplateButton> read = ReadPlaceholderRects(w);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].id, 70000);
  EXPECT_EQ(read[0].rect.left, 3);
  EXPECT_EQ(read[0].rect.right, 53);
  EXPECT_EQ(read[1].id, 8);
  EXPECT_EQ(read[1].rect.top, 30);
  EXPECT_EQ(read[1].rect.bottom, 55);
  wchar_t cls[32] = {};
  GetClassNameW(GetDlgItem(w, 8), cls, 32);
  EXPECT_EQ(lstrcmpiW(cls, L"ScrollBar"), 0);
}

int g_init_calls = 0;
LPARAM g_init_param = -1;

INT_PTR CALLBACK RecordInit(HWND, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    ++g_init_calls;
    g_init_param = lparam;
  }
  return FALSE;
}

TEST_F(CreateFromTemplateTest, DialogProcedureParentAndMirroredLayout) {
  g_init_calls = 0;
  g_init_param = -1;
  HWND owner = Keep(CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
  Bytes b;
  b.u32(WS_POPUP).u32(WS_EX_LAYOUTRTL).u16(1).u16(0).u16(0).u16(200).u16(50);
  b.u16(0).u16(0).str(L"");
  b.align4().u32(kChild).u32(0).u16(10).u16(5).u16(30).u16(20).u16(9);
  b.ord(0x82).str(L"").u16(0);
  HWND w = Keep(CreateFromTemplateData(engine_, b.get().data(), b.get().size(), owner, RecordInit));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(g_init_calls, 1);
  EXPECT_EQ(g_init_param, 0);
  EXPECT_EQ(GetWindow(w, GW_OWNER), owner);
  // In a right-to-left window the rectangle comes back in the window's own (mirrored) client
  // coordinates, with left and right in order.
  RECT r;
  ASSERT_TRUE(ReadPlaceholderRect(w, 9, &r));
  EXPECT_LT(r.left, r.right);
  EXPECT_EQ(r.right - r.left, 30);
  EXPECT_EQ(r.left, 10);
  EXPECT_FALSE(ReadPlaceholderRect(w, 10, &r));
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(CreateFromTemplateTest, DamagedTemplatesCreateNothing) {
  const int windows_before = ThreadWindowCount();
  std::vector<std::uint8_t> t = PlainTemplate(WS_POPUP | WS_VISIBLE | DS_SETFONT);
  const size_t full = t.size();
  for (size_t cut : {full - 1, full - 3, full / 2, size_t(20), size_t(10), size_t(0)}) {
    std::vector<std::uint8_t> part(t.begin(), t.begin() + cut);
    EXPECT_EQ(CreateFromTemplateData(engine_, part.data(), cut, nullptr, nullptr), nullptr)
        << "cut at " << cut;
  }
  EXPECT_EQ(CreateFromTemplateData(engine_, nullptr, 100, nullptr, nullptr), nullptr);
  EXPECT_EQ(ThreadWindowCount(), windows_before);
}

}  // namespace
