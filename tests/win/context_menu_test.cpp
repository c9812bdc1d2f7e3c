// The context menu on a real desktop: built from the engine's menu resource, its picture, where it
// opens, and its modal loop driven by real and posted input.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "resource.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CContextToolMenu.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_pictures.h"

namespace {

using namespace testpictures;

// ---- pictures --------------------------------------------------------------------------------

// Pixels of |img| inside |r| that are not the plain white panel.
int NonWhite(const Image& img, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += img.at(x, y) != 0xFFFFFFFFu;
  return n;
}

// Mean of each channel over |r|.
struct Mean {
  double r = 0, g = 0, b = 0;
};
Mean MeanOf(const Image& img, const RECT& r) {
  Mean m;
  const double n = static_cast<double>((r.right - r.left) * (r.bottom - r.top));
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      m.r += R(img.at(x, y)) / n;
      m.g += G(img.at(x, y)) / n;
      m.b += B(img.at(x, y)) / n;
    }
  return m;
}

// Most saturated pixel in |r| (max - min channel): the coloured icons stand out from the grey.
int MostSaturated(const Image& img, const RECT& r) {
  int best = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t p = img.at(x, y);
      best = std::max(best, std::max({R(p), G(p), B(p)}) - std::min({R(p), G(p), B(p)}));
    }
  return best;
}

// ---- input -----------------------------------------------------------------------------------

// A window of the test's thread that records the presses and keys it receives.
class TargetWindow : public CWindowBase {
 public:
  BEGIN_MSG_MAP(TargetWindow)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnRecord)
  MESSAGE_HANDLER(WM_KEYDOWN, OnRecord)
  MESSAGE_HANDLER(WM_MBUTTONDOWN, OnRecord)
  MESSAGE_HANDLER(WM_APP, OnRecord)
  END_MSG_MAP()
  LRESULT OnRecord(UINT msg, WPARAM, LPARAM, BOOL&) {
    received.push_back(msg);
    return 0;
  }
  std::vector<UINT> received;
};

// Real mouse input, as a user gives it: moves the pointer there and clicks.
void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  Sleep(80);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in[0], sizeof(INPUT));
  Sleep(30);
  SendInput(1, &in[1], sizeof(INPUT));
}

LPARAM ClientPoint(const RECT& r) {
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class ContextMenuTest : public EngineModuleTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    ASSERT_TRUE(menu_.Create());
  }
  void TearDown() override {
    if (menu_.hwnd()) DestroyWindow(menu_.hwnd());
    if (target_.hwnd()) DestroyWindow(target_.hwnd());
    MSG msg;  // nothing a test left behind reaches the next one
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  RECT Item(UINT id) {
    RECT r = {};
    EXPECT_TRUE(menu_.GetItemRect(id, &r)) << id;
    return r;
  }
  Image Composed() {
    LayeredSurface s;
    EXPECT_TRUE(menu_.Compose(s));
    return Pixels(s);
  }
  void MakeTarget(int x, int y) {
    HWND h = CreateWindowExW(0, L"static", L"target", WS_POPUP | WS_VISIBLE | SS_NOTIFY, x, y, 200,
                             150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    target_.Attach(h);
    Pump(100);
  }
  // Posts to the menu's loop before it runs; the loop finds them waiting.
  void PostEscape() { PostMessageW(nullptr, WM_HOTKEY, 1, MAKELPARAM(0, VK_ESCAPE)); }

  CContextToolMenu menu_;
  TargetWindow target_;
};

// ---- building and painting -------------------------------------------------------------------

TEST_F(ContextMenuTest, ItemsFromTheMenuResourceStackedInOneColumn) {
  const HWND h = menu_.hwnd();
  ASSERT_TRUE(h);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)) &
                (WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW),
            static_cast<DWORD>(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW));
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_POPUP);
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.right - wr.left, menu_.size().cx);
  EXPECT_EQ(wr.bottom - wr.top, menu_.size().cy);

  // Thirteen items in resource order, one row height, inside the 5/8 margins.
  const UINT order[] = {40001, 40002, 40003, 40004, 40017, 40005, 40007,
                        40008, 40010, 40011, 40012, 40014, 40015};
  const RECT first = Item(40001);
  EXPECT_EQ(first.left, 5);
  EXPECT_EQ(first.top, 8);
  const int row = first.bottom - first.top;
  EXPECT_GE(row, 26);  // the icons' height at least
  int previous_bottom = 8;
  for (UINT id : order) {
    const RECT r = Item(id);
    EXPECT_EQ(r.left, 5) << id;
    EXPECT_EQ(r.right, first.right) << id;
    EXPECT_EQ(r.bottom - r.top, row) << id;
    EXPECT_GE(r.top, previous_bottom) << id;
    previous_bottom = r.bottom;
  }
  // Separators (2 pixels each) after undo, reselect and the tool bar item.
  EXPECT_EQ(Item(40010).top, Item(40008).bottom + 2);
  EXPECT_EQ(Item(40014).top, Item(40012).bottom + 2);
  EXPECT_EQ(Item(40015).top, Item(40014).bottom + 2);
  EXPECT_EQ(menu_.size().cy, Item(40015).bottom + 8);
  EXPECT_EQ(menu_.size().cx, first.right + 5);
  EXPECT_FALSE(menu_.GetItemRect(40009, &wr));  // redo has no item
  EXPECT_FALSE(menu_.GetItemRect(0, &wr));      // nor do separators have an id

  EXPECT_EQ(menu_.GetItemText(40001), L"添加矩形");
  EXPECT_EQ(menu_.GetItemText(40012), L"重选截图区域");
  EXPECT_FALSE(menu_.Create());  // once only
}

TEST_F(ContextMenuTest, ToolBarItemShowsHideWhenCheckedAndShowOtherwise) {
  EXPECT_EQ(menu_.GetItemText(40014), L"显示工具条");
  const RECT r = Item(40014);
  const Image unchecked = Composed();
  menu_.SetItemCheck(40014, true);
  EXPECT_EQ(menu_.GetItemText(40014), L"隐藏工具条");
  const Image checked = Composed();
  if (!ChineseGlyphsAvailable()) GTEST_SKIP() << "no Chinese face: both texts are boxes";
  // Only the text changed: the first glyph differs (显 / 隐), the rest of the menu is the same,
  // and no frame is drawn for this item.
  int changed = 0;
  for (int y = 0; y < checked.height; ++y)
    for (int x = 0; x < checked.width; ++x) {
      if (checked.at(x, y) == unchecked.at(x, y)) continue;
      ++changed;
      EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom) << x << "," << y;
    }
  EXPECT_GT(changed, 10);
  EXPECT_EQ(checked.at(r.left + 2, r.top + 2), 0xFFFFFFFFu);
  menu_.SetItemCheck(40014, false);
  EXPECT_EQ(menu_.GetItemText(40014), L"显示工具条");
  menu_.SetItemCheck(40099, true);  // not in the menu: ignored
  menu_.EnableItem(40099, false);
}

TEST_F(ContextMenuTest, PictureWithIconsTextsCheckedHoverAndGreyedItems) {
  menu_.SetItemCheck(40001, true);  // the current tool
  menu_.EnableItem(40007, false);   // nothing to delete
  menu_.SetItemCheck(40014, true);  // the tool bar is visible
  const RECT rect_item = Item(40001), save = Item(40011), del = Item(40007), undo = Item(40008);
  // Hover over "save" through the button manager, as the modal loop's mouse moves do.
  SendMessageW(menu_.hwnd(), WM_MOUSEMOVE, 0, ClientPoint(save));
  const Image img = Composed();

  // The panel: transparent corners, opaque white inside.
  EXPECT_LT(A(img.at(0, 0)), 128);
  EXPECT_EQ(img.at(img.width / 2, 3), 0xFFFFFFFFu);
  // The checked frame behind the current tool and the hover frame behind "save": light blue at
  // their edges (blue above red), where the plain panel is white.
  const uint32_t checked_edge = img.at(rect_item.left, (rect_item.top + rect_item.bottom) / 2);
  const uint32_t hover_edge = img.at(save.left, (save.top + save.bottom) / 2);
  EXPECT_GT(B(checked_edge) - R(checked_edge), 40);
  EXPECT_GT(B(hover_edge) - R(hover_edge), 40);
  const Mean hover_fill =
      MeanOf(img, {save.right - 8, save.top + 4, save.right - 4, save.bottom - 4});
  EXPECT_LT(hover_fill.r, 250);                                                 // tinted, not white
  EXPECT_EQ(img.at(undo.left + 1, (undo.top + undo.bottom) / 2), 0xFFFFFFFFu);  // no frame
  EXPECT_NE(checked_edge, hover_edge);  // the two frames differ

  // Icons in the icon column: the enabled check mark is coloured, the disabled delete icon grey.
  const int text_x = 5 + 24;
  const RECT finish = Item(40010);
  EXPECT_GT(MostSaturated(img, {finish.left, finish.top, text_x, finish.bottom}), 60);
  EXPECT_LT(MostSaturated(img, {del.left, del.top, text_x, del.bottom}), 40);
  EXPECT_GT(NonWhite(img, {del.left + 2, del.top + 2, text_x - 2, del.bottom - 2}), 20);
  // Items without an icon leave the column white.
  const RECT reselect = Item(40012);
  EXPECT_EQ(NonWhite(img, {reselect.left, reselect.top, text_x, reselect.bottom}), 0);

  // Texts: dark grey for enabled items, light grey for the disabled one.
  auto darkest = [&](const RECT& r) {
    int d = 255;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = text_x; x < r.right; ++x) d = std::min(d, R(img.at(x, y)));
    return d;
  };
  EXPECT_LT(darkest(undo), 100);
  EXPECT_GT(darkest(del), 130);
  EXPECT_LT(darkest(del), 200);
  EXPECT_GT(NonWhite(img, {text_x, reselect.top, reselect.right, reselect.bottom}), 80);
  // Chinese characters keep their full width (about 12 pixels each): "添加矩形" spans over 40.
  if (ChineseGlyphsAvailable()) {
    int first = img.width, last = -1;
    for (int y = rect_item.top + 3; y < rect_item.bottom - 3; ++y)  // inside the checked frame
      for (int x = text_x; x < rect_item.right - 3; ++x)
        if (R(img.at(x, y)) < 140) first = std::min(first, x), last = std::max(last, x);
    EXPECT_GE(last - first + 1, 40);
    EXPECT_LE(last - first + 1, 56);
  }
  // The separators: a line across the item column between undo and finish.
  EXPECT_LT(R(img.at((undo.left + undo.right) / 2, undo.bottom)), 250);

  const std::wstring path = SavePicture(img, L"context_menu.png", 2);
  EXPECT_FALSE(path.empty());
  std::printf("menu picture: %ls\n", path.c_str());
}

// ---- the modal loop --------------------------------------------------------------------------

TEST_F(ContextMenuTest, ClickOnAnItemReturnsItsIdWithRealInput) {
  const SIZE size = menu_.size();
  const RECT save = Item(40011);
  const int x = 300, y = 150;
  std::thread user([&] {
    Sleep(400);
    ClickAt(x + (save.left + save.right) / 2, y + (save.top + save.bottom) / 2);
  });
  const UINT chosen = menu_.TrackPopup(x, y);
  user.join();
  EXPECT_EQ(chosen, 40011u);
  RECT wr;
  GetWindowRect(menu_.hwnd(), &wr);
  EXPECT_EQ(wr.left, x);
  EXPECT_EQ(wr.top, y);
  EXPECT_EQ(wr.right - wr.left, size.cx);
}

TEST_F(ContextMenuTest, ClickOutsideReturnsZeroAndReachesTheWindowUnderIt) {
  MakeTarget(700, 300);
  std::thread user([&] {
    Sleep(400);
    ClickAt(760, 350);
  });
  const UINT chosen = menu_.TrackPopup(300, 150);
  user.join();
  EXPECT_EQ(chosen, 0u);
  EXPECT_FALSE(IsWindowVisible(menu_.hwnd()));  // closed at once
  EXPECT_TRUE(target_.received.empty());        // the press is still queued...
  Pump(300);
  ASSERT_FALSE(target_.received.empty());  // ...and reaches the window it was meant for
  EXPECT_EQ(target_.received[0], static_cast<UINT>(WM_LBUTTONDOWN));

  // A press where no window of this program is (the desktop): seen only by the mouse hook.
  std::thread desktop_user([&] {
    Sleep(400);
    ClickAt(1100, 650);
  });
  const DWORD start = GetTickCount();
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  EXPECT_GE(GetTickCount() - start, 350u);  // open until the press
  desktop_user.join();

  // The same with a press posted to a window of the thread.
  target_.received.clear();
  PostMessageW(target_.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, target_.hwnd(), WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE));
}

TEST_F(ContextMenuTest, EscapeHotKeyCancelsOtherKeysAreIgnored) {
  MakeTarget(700, 300);
  // Keys for other windows and hot keys other than Esc change nothing; a click on the menu then
  // still chooses, proving the loop went on.
  PostMessageW(target_.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(target_.hwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PostMessageW(nullptr, WM_HOTKEY, 2, MAKELPARAM(0, VK_DELETE));
  PostMessageW(target_.hwnd(), WM_APP, 0, 0);  // ordinary messages are still dispatched
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(Item(40012)));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 40012u);
  ASSERT_EQ(target_.received.size(), 1u);
  EXPECT_EQ(target_.received[0], static_cast<UINT>(WM_APP));

  PostEscape();
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  // Esc arriving as real key presses on another window is ignored too (the hot key is the way).
  PostMessageW(target_.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(Item(40015)));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 40015u);
}

TEST_F(ContextMenuTest, SeparatorsDisabledItemsAndMarginsDoNotChoose) {
  menu_.EnableItem(40007, false);
  const RECT undo = Item(40008);
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(Item(40007)));
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, undo.bottom));  // line
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));             // margin
  PostMessageW(menu_.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(undo));            // right
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(undo));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 40008u);
  // Enabled again, it can be chosen.
  menu_.EnableItem(40007, true);
  PostMessageW(menu_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(Item(40007)));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 40007u);
}

CContextToolMenu* g_second = nullptr;
UINT g_second_result = 99;
DWORD g_second_time = 0;

// Runs inside the first menu's loop: tries to open the second menu, then closes the first.
void CALLBACK OpenSecondMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const DWORD start = GetTickCount();
  g_second_result = g_second->TrackPopup(100, 100);
  g_second_time = GetTickCount() - start;
  PostMessageW(nullptr, WM_HOTKEY, 1, MAKELPARAM(0, VK_ESCAPE));
}

TEST_F(ContextMenuTest, OnlyOneMenuAtATime) {
  CContextToolMenu second;
  ASSERT_TRUE(second.Create());
  g_second = &second;
  // While the first menu runs, a timer of the thread tries to open the second one.
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, &OpenSecondMenu);
  ASSERT_TRUE(timer);
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  EXPECT_EQ(g_second_result, 0u);
  EXPECT_LT(g_second_time, 100u);  // refused at once, no loop of its own
  EXPECT_FALSE(IsWindowVisible(second.hwnd()));
  // Once the first has returned, the second can run.
  PostMessageW(second.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(second.TrackPopup(100, 100), 40001u);
  g_second = nullptr;
}

TEST_F(ContextMenuTest, OpensUpAndLeftNearTheBottomRightCorner) {
  HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi = {sizeof(mi)};
  ASSERT_TRUE(GetMonitorInfoW(monitor, &mi));
  const SIZE size = menu_.size();
  const int x = mi.rcMonitor.right - 10, y = mi.rcMonitor.bottom - 10;
  PostEscape();
  EXPECT_EQ(menu_.TrackPopup(x, y), 0u);
  RECT wr;
  GetWindowRect(menu_.hwnd(), &wr);
  EXPECT_EQ(wr.left, x - size.cx);
  EXPECT_EQ(wr.top, y - size.cy);
  // Near the right edge only: to the left, at the point's height.
  PostEscape();
  menu_.TrackPopup(x, 20);
  GetWindowRect(menu_.hwnd(), &wr);
  EXPECT_EQ(wr.left, x - size.cx);
  EXPECT_EQ(wr.top, 20);
}

CContextToolMenu* g_doomed = nullptr;

void CALLBACK DestroyDoomedMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  DestroyWindow(g_doomed->hwnd());
}

TEST_F(ContextMenuTest, QuitOrALostWindowEndTheLoop) {
  // A quit request ends the menu and stays queued for the engine's own loop.
  PostQuitMessage(7);
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  // The menu's window destroyed while it runs: the loop ends instead of waiting for a click.
  g_doomed = &menu_;
  ASSERT_TRUE(SetTimer(nullptr, 0, 100, &DestroyDoomedMenu));
  EXPECT_EQ(menu_.TrackPopup(300, 150), 0u);
  EXPECT_EQ(menu_.hwnd(), nullptr);
  g_doomed = nullptr;
  // With the menu gone, another one can open.
  CContextToolMenu next;
  ASSERT_TRUE(next.Create());
  PostMessageW(next.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(next.TrackPopup(100, 100), 40001u);
}

TEST_F(ContextMenuTest, DestroyingTheWindowFreesTheItemsTheObjectStays) {
  const HWND h = menu_.hwnd();
  DestroyWindow(h);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(menu_.hwnd(), nullptr);
  RECT r;
  EXPECT_FALSE(menu_.GetItemRect(40001, &r));
  EXPECT_EQ(menu_.TrackPopup(10, 10), 0u);  // no window, no menu
  // A menu deleted with its window still there takes the window along.
  auto* other = new CContextToolMenu;
  ASSERT_TRUE(other->Create());
  const HWND oh = other->hwnd();
  delete other;
  EXPECT_FALSE(IsWindow(oh));
  // Without the menu resource there is no menu, and no window is left behind.
  CWindowBase::SetModule(GetModuleHandleW(nullptr));
  CContextToolMenu bare;
  EXPECT_FALSE(bare.Create());
  EXPECT_EQ(bare.hwnd(), nullptr);
  CWindowBase::SetModule(engine());
}

}  // namespace
