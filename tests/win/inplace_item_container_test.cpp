// The in-place item host on a real window: routing of mouse and keyboard messages to windowless
// items, their capture, timers and posted messages through the helper window, and their leaving.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceItem.h"
#include "screenshot/ui/CInplaceItemContainer.h"
#include "win/support/test_input.h"

namespace {

using testinput::PumpFiltered;
using testinput::PumpUntil;

struct Seen {
  UINT message;
  WPARAM wParam;
  int x, y;     // lParam as a point
  bool window;  // came with the host window (routed input) rather than null (a notice)
};

class RecordingItem : public CInplaceItem {
 public:
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD) override {
    seen.push_back({uMsg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), hWnd != nullptr});
    lResult = 0;
    if (uMsg == WM_CREATE) {
      lResult = refuse_creation ? 1 : 0;
      return TRUE;
    }
    if (uMsg == WM_PRINTCLIENT) {
      // A 2 x 2 red mark at the item's own origin.
      RECT mark = {0, 0, 2, 2};
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(reinterpret_cast<HDC>(wParam), &mark, red);
      DeleteObject(red);
      return TRUE;
    }
    return uMsg != WM_DESTROY;
  }
  void OnFinalMessage() override { ++final_notices; }
  int Count(UINT message) const {
    int n = 0;
    for (const Seen& s : seen) n += s.message == message;
    return n;
  }
  const Seen* Last(UINT message) const {
    for (auto it = seen.rbegin(); it != seen.rend(); ++it)
      if (it->message == message) return &*it;
    return nullptr;
  }
  std::vector<Seen> seen;
  bool refuse_creation = false;
  int final_notices = 0;
};

// A host whose own map handles nothing: everything reaches the container.
class HostWindow : public CWindowBase {
 public:
  BEGIN_MSG_MAP(HostWindow)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  END_MSG_MAP()
  LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }
  LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (container.ProcessMessage(uMsg, wParam, lParam, result)) return result;
    return CWindowBase::DefWindowProc(uMsg, wParam, lParam);
  }
  CInplaceItemContainer container;
};

class InplaceItemContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP | WS_VISIBLE, kX, kY,
                             300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    host.Attach(h);
    ASSERT_TRUE(host.container.Attach(h));
    ASSERT_TRUE(host.container.AddItem(&a, WS_VISIBLE, 10, 10, 50, 40, 1));
    ASSERT_TRUE(host.container.AddItem(&b, WS_VISIBLE, 100, 10, 50, 40, 2));
    testinput::Drain();
  }
  void TearDown() override {
    if (host.hwnd()) DestroyWindow(host.hwnd());
    testinput::Drain();
  }
  LRESULT Send(UINT message, int x, int y) {
    return SendMessageW(host.hwnd(), message, 0, MAKELPARAM(x, y));
  }

  static constexpr int kX = 200, kY = 150;
  HostWindow host;
  RecordingItem a, b;
};

TEST_F(InplaceItemContainerTest, MouseGoesToTheItemUnderThePointerInItsOwnCoordinates) {
  EXPECT_EQ(a.Count(WM_CREATE), 1);
  Send(WM_MOUSEMOVE, 15, 22);
  const Seen* move = a.Last(WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->x, 5);
  EXPECT_EQ(move->y, 12);
  EXPECT_TRUE(move->window);
  EXPECT_EQ(host.container.hot_item(), &a);
  Send(WM_LBUTTONDOWN, 59, 49);  // the last pixel of a
  EXPECT_EQ(a.Last(WM_LBUTTONDOWN)->x, 49);
  EXPECT_EQ(a.Last(WM_LBUTTONDOWN)->y, 39);

  // Over b: a is told the pointer left, b gets the move.
  Send(WM_MOUSEMOVE, 120, 30);
  EXPECT_EQ(a.Count(WM_MOUSELEAVE), 1);
  EXPECT_EQ(b.Last(WM_MOUSEMOVE)->x, 20);
  EXPECT_EQ(host.container.hot_item(), &b);
  // Between the items: nothing is hot, b is told.
  Send(WM_MOUSEMOVE, 80, 30);
  EXPECT_EQ(b.Count(WM_MOUSELEAVE), 1);
  EXPECT_EQ(host.container.hot_item(), nullptr);
  // Leaving the window tells the hot item.
  Send(WM_MOUSEMOVE, 20, 20);
  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(a.Count(WM_MOUSELEAVE), 2);
  EXPECT_EQ(host.container.hot_item(), nullptr);
}

TEST_F(InplaceItemContainerTest, HiddenAndDisabledItemsGetNoInput) {
  host.container.ShowItem(&a, false);
  Send(WM_MOUSEMOVE, 20, 20);
  Send(WM_LBUTTONDOWN, 20, 20);
  EXPECT_EQ(a.Count(WM_MOUSEMOVE) + a.Count(WM_LBUTTONDOWN), 0);
  EXPECT_FALSE(host.container.IsItemVisible(&a));
  host.container.ShowItem(&a, true);
  host.container.EnableItem(&a, false);
  Send(WM_LBUTTONDOWN, 20, 20);
  EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 0);
  host.container.EnableItem(&a, true);
  Send(WM_LBUTTONDOWN, 20, 20);
  EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 1);
  // While a window holds the capture its input is its own.
  SetCapture(host.hwnd());
  Send(WM_LBUTTONDOWN, 20, 20);
  EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 1);
  ReleaseCapture();
}

// A host that answers hit tests itself: always b.
class PickB : public CInplaceItemContainer {
 public:
  CInplaceItem* HitTestItem(POINT) override { return picked; }
  CInplaceItem* picked = nullptr;
};

TEST(InplaceItemHitTest, TheHostsOwnHitTestComesFirst) {
  HWND h = CreateWindowExW(0, L"static", nullptr, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(h);
  PickB container;
  ASSERT_TRUE(container.Attach(h));
  EXPECT_FALSE(container.Attach(h));  // once
  RecordingItem a, b;
  container.AddItem(&a, WS_VISIBLE, 0, 0, 50, 50, 1);
  container.AddItem(&b, WS_VISIBLE, 60, 0, 30, 30, 2);
  container.picked = &b;
  LRESULT r;
  container.ProcessMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), r);
  EXPECT_EQ(b.Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(b.Last(WM_MOUSEMOVE)->x, -50);  // still relative to b
  EXPECT_EQ(a.Count(WM_MOUSEMOVE), 0);
  container.picked = nullptr;  // none: the rectangles decide
  container.ProcessMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), r);
  EXPECT_EQ(a.Count(WM_MOUSEMOVE), 1);
  container.Detach();
  DestroyWindow(h);
}

TEST_F(InplaceItemContainerTest, ItemsCanRefuseCreationAndAreToldAboutSizeChanges) {
  RecordingItem refusing;
  refusing.refuse_creation = true;
  EXPECT_FALSE(host.container.AddItem(&refusing, WS_VISIBLE, 0, 100, 10, 10, 3));
  EXPECT_EQ(refusing.Count(WM_DESTROY), 1);
  EXPECT_FALSE(refusing.IsHosted());
  EXPECT_FALSE(host.container.AddItem(&a, WS_VISIBLE, 0, 0, 5, 5, 4));  // hosted already

  host.container.SetItemRect(&a, RECT{10, 10, 60, 50});  // moved nowhere, same size
  EXPECT_EQ(a.Count(WM_WINDOWPOSCHANGED), 1);
  EXPECT_EQ(a.Count(WM_SIZE), 0);
  host.container.SetItemRect(&a, RECT{20, 60, 90, 65});
  EXPECT_EQ(a.Count(WM_SIZE), 1);
  EXPECT_EQ(a.Last(WM_SIZE)->x, 70);
  EXPECT_EQ(a.Last(WM_SIZE)->y, 5);
  EXPECT_EQ(a.GetItemSize().cx, 70);
  EXPECT_EQ(a.GetItemRect().top, 60);
  EXPECT_EQ(a.GetHostWindow(), host.hwnd());
}

TEST_F(InplaceItemContainerTest, CaptureBringsInputFromOutsideTheItemAndEndsWithANotice) {
  ASSERT_TRUE(a.SetItemCapture());
  EXPECT_TRUE(a.HasItemCapture());
  EXPECT_EQ(host.container.capture_item(), &a);
  EXPECT_TRUE(host.container.IsOwnWindow(GetCapture()));
  EXPECT_NE(GetCapture(), host.hwnd());  // the helper window holds it
  // Real input far outside the item (and the window) still reaches it, relative to it.
  testinput::MoveTo(kX + 400, kY + 300);
  const Seen* move = a.Last(WM_MOUSEMOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->x, 400 - 10);
  EXPECT_EQ(move->y, 300 - 10);
  testinput::SendMouseAndWait(MOUSEEVENTF_LEFTDOWN, {WM_LBUTTONDOWN});
  testinput::Release();
  EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(a.Count(WM_LBUTTONUP), 1);
  EXPECT_EQ(b.Count(WM_LBUTTONUP), 0);
  // Giving it up sends the notice.
  a.ReleaseItemCapture();
  EXPECT_EQ(a.Count(WM_CAPTURECHANGED), 1);
  EXPECT_FALSE(a.HasItemCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  // Losing it to another window too.
  ASSERT_TRUE(b.SetItemCapture());
  SetCapture(host.hwnd());
  EXPECT_EQ(b.Count(WM_CAPTURECHANGED), 1);
  EXPECT_EQ(host.container.capture_item(), nullptr);
  ReleaseCapture();
  // Passing it from one item to another tells the first.
  ASSERT_TRUE(a.SetItemCapture());
  ASSERT_TRUE(b.SetItemCapture());
  EXPECT_EQ(a.Count(WM_CAPTURECHANGED), 2);
  EXPECT_EQ(host.container.capture_item(), &b);
  b.ReleaseItemCapture();
}

TEST_F(InplaceItemContainerTest, TimersTickUntilKilledOrTheItemLeaves) {
  ASSERT_TRUE(a.SetItemTimer(1001, 20));
  ASSERT_TRUE(b.SetItemTimer(1001, 20));  // the same id for another item is another timer
  EXPECT_TRUE(PumpUntil([&] { return a.Count(WM_TIMER) >= 2 && b.Count(WM_TIMER) >= 2; }, 2000));
  const int a_ticks = a.Count(WM_TIMER), b_ticks = b.Count(WM_TIMER);
  EXPECT_GE(a_ticks, 2);
  EXPECT_GE(b_ticks, 2);
  EXPECT_EQ(a.Last(WM_TIMER)->wParam, 1001u);
  a.KillItemTimer(1001);
  host.container.RemoveItem(&b);
  EXPECT_EQ(b.Count(WM_DESTROY), 1);
  EXPECT_EQ(b.final_notices, 1);
  EXPECT_FALSE(b.IsHosted());
  EXPECT_FALSE(
      PumpUntil([&] { return a.Count(WM_TIMER) != a_ticks || b.Count(WM_TIMER) != b_ticks; }, 150));
  EXPECT_FALSE(b.SetItemTimer(5, 10));  // out of its host the services do nothing
}

TEST_F(InplaceItemContainerTest, PostedMessagesArriveFromTheLoopAndOnlyForLiveItems) {
  ASSERT_TRUE(a.PostItemMessage(WM_APP + 1, 7, MAKELPARAM(3, 4)));
  ASSERT_TRUE(a.PostItemMessage(WM_APP + 2, 8, 0));
  ASSERT_TRUE(b.PostItemMessage(WM_APP + 1, 9, 0));
  EXPECT_EQ(a.Count(WM_APP + 1), 0);  // not at once
  host.container.RemoveItem(&b);
  ASSERT_TRUE(PumpUntil([&] { return a.Count(WM_APP + 2) > 0; }, 1000));
  testinput::Drain();
  ASSERT_EQ(a.Count(WM_APP + 1), 1);
  EXPECT_EQ(a.Last(WM_APP + 1)->wParam, 7u);
  EXPECT_EQ(a.Last(WM_APP + 1)->y, 4);
  EXPECT_EQ(a.Count(WM_APP + 2), 1);
  EXPECT_EQ(b.Count(WM_APP + 1), 0);  // it left first
  // Posted in order.
  int first = -1, second = -1;
  for (size_t i = 0; i < a.seen.size(); ++i) {
    if (a.seen[i].message == WM_APP + 1) first = static_cast<int>(i);
    if (a.seen[i].message == WM_APP + 2) second = static_cast<int>(i);
  }
  EXPECT_LT(first, second);
}

TEST_F(InplaceItemContainerTest, KeysGoToTheFocusItemUntilTheWindowLosesFocus) {
  SendMessageW(host.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(a.Count(WM_KEYDOWN) + b.Count(WM_KEYDOWN), 0);  // no focus item yet
  ASSERT_TRUE(b.SetItemFocus());
  EXPECT_EQ(b.Count(WM_SETFOCUS), 1);
  SendMessageW(host.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(host.hwnd(), WM_CHAR, L'x', 0);
  EXPECT_EQ(b.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(b.Last(WM_CHAR)->wParam, static_cast<WPARAM>(L'x'));
  ASSERT_TRUE(a.SetItemFocus());
  EXPECT_EQ(b.Count(WM_KILLFOCUS), 1);
  SendMessageW(host.hwnd(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(a.Count(WM_KILLFOCUS), 1);
  EXPECT_EQ(host.container.focus_item(), nullptr);
  SendMessageW(host.hwnd(), WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(a.Count(WM_KEYUP), 0);
}

TEST_F(InplaceItemContainerTest, DrawingPutsEachVisibleItemAtItsPlace) {
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -200, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  host.container.ShowItem(&b, false);
  host.container.DrawItems(dc);
  GdiFlush();
  auto px = [&](int x, int y) { return static_cast<uint32_t*>(bits)[y * 300 + x] & 0xFFFFFF; };
  EXPECT_EQ(px(10, 10), 0xFF0000u);  // a's origin
  EXPECT_EQ(px(11, 11), 0xFF0000u);
  EXPECT_EQ(px(12, 12), 0u);
  EXPECT_EQ(px(0, 0), 0u);
  EXPECT_EQ(px(100, 10), 0u);  // b is hidden
  EXPECT_EQ(b.Count(WM_PRINTCLIENT), 0);
  // The device context is left as it was: drawing at 0, 0 afterwards lands at 0, 0.
  RECT corner = {0, 0, 1, 1};
  FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  GdiFlush();
  EXPECT_EQ(px(0, 0), 0xFFFFFFu);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST_F(InplaceItemContainerTest, DetachingSendsEveryItemAwayAndEndsItsServices) {
  ASSERT_TRUE(a.SetItemTimer(1, 10));
  ASSERT_TRUE(a.PostItemMessage(WM_APP, 0, 0));
  host.container.Detach();
  EXPECT_EQ(a.Count(WM_DESTROY), 1);
  EXPECT_EQ(b.Count(WM_DESTROY), 1);
  EXPECT_EQ(a.final_notices, 1);
  EXPECT_FALSE(a.IsHosted());
  EXPECT_FALSE(host.container.IsAttached());
  EXPECT_FALSE(PumpUntil([&] { return a.Count(WM_TIMER) + a.Count(WM_APP) > 0; }, 60));
  EXPECT_FALSE(a.SetItemCapture());
  EXPECT_FALSE(a.PostItemMessage(WM_APP, 0, 0));
  LRESULT r;
  EXPECT_FALSE(host.container.ProcessMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), r));
  // Attached again, items can come back.
  ASSERT_TRUE(host.container.Attach(host.hwnd()));
  EXPECT_TRUE(host.container.AddItem(&a, WS_VISIBLE, 0, 0, 10, 10, 1));
}

// An item whose leaving takes the whole host down (as a list that closes when its bar goes).
class DetachingItem : public RecordingItem {
 public:
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD id) override {
    if (uMsg == WM_DESTROY && container) container->Detach();
    return RecordingItem::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, id);
  }
  CInplaceItemContainer* container = nullptr;
};

TEST_F(InplaceItemContainerTest, AnItemDetachingTheHostAsItLeavesEndsEveryItemOnce) {
  DetachingItem c;
  c.container = &host.container;
  ASSERT_TRUE(host.container.AddItem(&c, WS_VISIBLE, 200, 100, 20, 20, 3));
  host.container.RemoveItem(&c);
  EXPECT_FALSE(host.container.IsAttached());
  EXPECT_EQ(a.Count(WM_DESTROY), 1);
  EXPECT_EQ(b.Count(WM_DESTROY), 1);
  EXPECT_EQ(c.Count(WM_DESTROY), 1);
  EXPECT_EQ(c.final_notices, 1);
  EXPECT_FALSE(c.IsHosted());
  EXPECT_FALSE(a.IsHosted());
}

TEST_F(InplaceItemContainerTest, AnItemDestroyedFirstLeavesQuietly) {
  {
    RecordingItem short_lived;
    ASSERT_TRUE(host.container.AddItem(&short_lived, WS_VISIBLE, 200, 100, 20, 20, 9));
    ASSERT_TRUE(short_lived.SetItemTimer(3, 10));
    Send(WM_MOUSEMOVE, 205, 105);
    EXPECT_EQ(host.container.hot_item(), &short_lived);
  }
  EXPECT_EQ(host.container.hot_item(), nullptr);
  Send(WM_MOUSEMOVE, 205, 105);  // nothing there any more
  PumpFiltered(60);              // its timer is gone with it
  EXPECT_EQ(host.container.hot_item(), nullptr);
}

}  // namespace
