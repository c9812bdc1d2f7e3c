// The windowless scroll bar on a real window driven with real mouse input: arrows with their
// auto-repeat, track jumps, thumb drags, hot parts, and the scroll messages it sends.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceItemContainer.h"
#include "screenshot/ui/CInplaceScrollBar.h"
#include "win/support/test_input.h"

namespace {

using testinput::PumpUntil;

class RecordingBar : public CInplaceScrollBar {
 public:
  void OnPositionChanged(int position) override { reported.push_back(position); }
  std::vector<int> reported;
};

struct Scroll {
  UINT message;
  int code, position;
};

class BarHost : public CWindowBase {
 public:
  BEGIN_MSG_MAP(BarHost)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_VSCROLL, OnScroll)
  MESSAGE_HANDLER(WM_HSCROLL, OnScroll)
  END_MSG_MAP()
  LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }
  LRESULT OnScroll(UINT msg, WPARAM wp, LPARAM, BOOL&) {
    scrolls.push_back({msg, LOWORD(wp), HIWORD(wp)});
    return 0;
  }
  LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (container.ProcessMessage(uMsg, wParam, lParam, result)) return result;
    return CWindowBase::DefWindowProc(uMsg, wParam, lParam);
  }
  CInplaceItemContainer container;
  std::vector<Scroll> scrolls;
};

// The bar at (20, 10) of a window at (300, 200), 12 x 160: sixteen sizes, eight shown (travel 8,
// 8 pixels a position, thumb 72 long), arrow step 7.
class ScrollBarTest : public ::testing::Test {
 protected:
  static constexpr int kWinX = 300, kWinY = 200, kBarX = 20, kBarY = 10;

  void SetUp() override {
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"static", nullptr,
                             WS_POPUP | WS_VISIBLE, kWinX, kWinY, 200, 200, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    host.Attach(h);
    ASSERT_TRUE(host.container.Attach(h));
    bar.SetMaximum(15);
    bar.SetPage(8);
    bar.SetArrowStep(7);
    ASSERT_TRUE(host.container.AddItem(&bar, WS_VISIBLE, kBarX, kBarY, 12, 160, 0));
    host.container.SetInvalidateHandler([this](CInplaceItem*) { ++repaints; });
    testinput::MoveTo(kWinX + 80, kWinY + 190);  // over the window, off the bar
  }
  void TearDown() override {
    testinput::SendMouse(MOUSEEVENTF_LEFTUP);
    if (host.hwnd()) DestroyWindow(host.hwnd());
    testinput::Drain();
  }
  // Screen point of the bar's own (x, y).
  int X(int x) const { return kWinX + kBarX + x; }
  int Y(int y) const { return kWinY + kBarY + y; }

  BarHost host;
  RecordingBar bar;
  int repaints = 0;
};

TEST_F(ScrollBarTest, ADownArrowStepsAtOnceAndRepeatsWhileHeld) {
  testinput::PressAt(X(6), Y(154));
  EXPECT_EQ(bar.GetPosition(), 7);
  ASSERT_EQ(bar.reported, (std::vector<int>{7}));
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].message, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(host.scrolls[0].code, 1);
  EXPECT_EQ(host.scrolls[0].position, 7);
  EXPECT_EQ(bar.pressed_part(), kScrollPartDown);
  EXPECT_EQ(bar.PartLook(kScrollPartDown), 2);
  EXPECT_GT(repaints, 0);

  // Held: after the first delay the step repeats (the position stops at the travel, the steps
  // go on being reported).
  EXPECT_TRUE(PumpUntil([&] { return bar.reported.size() >= 3; }, 2000));
  EXPECT_EQ(bar.GetPosition(), 8);
  EXPECT_GE(bar.reported.size(), 3u);
  EXPECT_EQ(host.scrolls.back().code, 1);
  EXPECT_EQ(host.scrolls.back().position, 8);
  testinput::Release();
  EXPECT_EQ(bar.pressed_part(), kScrollPartNone);
  const size_t steps = bar.reported.size();
  // No step after the release (a repeat would come within 50 ms).
  EXPECT_FALSE(PumpUntil([&] { return bar.reported.size() > steps; }, 200));
  EXPECT_FALSE(bar.HasItemCapture());
}

TEST_F(ScrollBarTest, AReleasedArrowBeforeTheDelayStepsOnce) {
  bar.SetPosition(8);
  testinput::ClickAt(X(6), Y(5));
  EXPECT_EQ(bar.GetPosition(), 1);
  testinput::ClickAt(X(6), Y(5));
  EXPECT_EQ(bar.GetPosition(), 0);
  testinput::ClickAt(X(6), Y(5));  // at the top: stays, still reported as a step back
  EXPECT_EQ(bar.GetPosition(), 0);
  // Released before the first delay: no repeat follows.
  EXPECT_FALSE(PumpUntil([&] { return host.scrolls.size() > 3; }, 600));
  ASSERT_EQ(host.scrolls.size(), 3u);
  EXPECT_EQ(host.scrolls[2].code, 0);
  EXPECT_EQ(host.scrolls[2].position, 0);
}

TEST_F(ScrollBarTest, APressOnTheTrackJumpsTheThumbsMiddleToThePointer) {
  // Thumb at 12..84; a press at 99 wants the thumb to start at 63: position 6 starts at 60.
  testinput::ClickAt(X(6), Y(99));
  EXPECT_EQ(bar.GetPosition(), 6);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].code, 4);
  EXPECT_EQ(host.scrolls[0].position, 6);
  // Above the thumb now (60..132): back towards the top, clamped at 0.
  testinput::ClickAt(X(6), Y(13));
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(host.scrolls.back().code, 4);
  // One jump a press, no repeat.
  EXPECT_FALSE(PumpUntil([&] { return host.scrolls.size() > 2; }, 600));
}

TEST_F(ScrollBarTest, TheThumbFollowsADragAndShowsWhetherThePointerIsOnIt) {
  testinput::PressAt(X(6), Y(30));  // 18 pixels into the thumb
  EXPECT_EQ(bar.pressed_part(), kScrollPartThumb);
  EXPECT_EQ(bar.PartLook(kScrollPartThumb), 2);
  EXPECT_TRUE(host.scrolls.empty());
  testinput::MoveTo(X(6), Y(30 + 16));  // two positions down
  EXPECT_EQ(bar.GetPosition(), 2);
  ASSERT_FALSE(host.scrolls.empty());
  EXPECT_EQ(host.scrolls.back().code, 5);
  EXPECT_EQ(host.scrolls.back().position, 2);
  // Far below and outside the bar: the last position, drawn hot since the pointer is off it.
  testinput::MoveTo(X(60), Y(400));
  EXPECT_EQ(bar.GetPosition(), 8);
  EXPECT_EQ(bar.PartLook(kScrollPartThumb), 1);
  testinput::MoveTo(X(6), Y(-100));
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(bar.reported, (std::vector<int>{2, 8, 0}));
  testinput::Release();
  EXPECT_EQ(bar.pressed_part(), kScrollPartNone);
  testinput::MoveTo(X(6), Y(60));  // no longer dragging
  EXPECT_EQ(bar.GetPosition(), 0);
}

TEST_F(ScrollBarTest, LosingTheCaptureEndsThePressAndTheRepeat) {
  testinput::PressAt(X(6), Y(154));
  ASSERT_EQ(bar.GetPosition(), 7);
  SetCapture(host.hwnd());  // someone else takes the mouse
  EXPECT_EQ(bar.pressed_part(), kScrollPartNone);
  bar.SetPosition(0);
  EXPECT_FALSE(PumpUntil([&] { return bar.GetPosition() != 0; }, 600));  // no repeat
  ReleaseCapture();
}

TEST_F(ScrollBarTest, HotPartFollowsThePointerAndLeavesWithIt) {
  testinput::MoveTo(X(6), Y(40));
  EXPECT_EQ(bar.hot_part(), kScrollPartThumb);
  EXPECT_EQ(bar.PartLook(kScrollPartThumb), 1);
  testinput::MoveTo(X(6), Y(120));
  EXPECT_EQ(bar.hot_part(), kScrollPartTrackBelow);
  testinput::MoveTo(X(6), Y(2));
  EXPECT_EQ(bar.hot_part(), kScrollPartUp);
  testinput::MoveTo(kWinX + 80, kWinY + 190);  // off the bar, still over the window
  EXPECT_EQ(bar.hot_part(), kScrollPartNone);
  testinput::MoveTo(X(6), Y(2));
  ASSERT_EQ(bar.hot_part(), kScrollPartUp);
  // Out of the window: the leave notice the host asked for ends the hot part (the system may
  // take a moment to notice a pointer over no window).
  testinput::MoveTo(kWinX + 500, kWinY + 190);
  EXPECT_TRUE(PumpUntil([&] { return bar.hot_part() == kScrollPartNone; }, 2000));
}

TEST_F(ScrollBarTest, TheBaseLookFramesTheHotPartInOrangeOnTheSystemColours) {
  testinput::MoveTo(X(6), Y(154));  // the down arrow is hot
  ASSERT_EQ(bar.hot_part(), kScrollPartDown);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -200, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  host.container.DrawItems(dc);
  GdiFlush();
  auto rgb = [&](int x, int y) {
    const uint32_t p = static_cast<uint32_t*>(bits)[(kBarY + y) * 100 + kBarX + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  const COLORREF orange = RGB(200, 128, 0);
  EXPECT_EQ(rgb(0, 148), orange);  // the arrow's corner
  EXPECT_EQ(rgb(11, 159), orange);
  EXPECT_EQ(rgb(2, 150), orange);  // the second frame, 2 pixels in
  EXPECT_NE(rgb(1, 149), orange);
  EXPECT_EQ(rgb(6, 120), GetSysColor(COLOR_BTNSHADOW));  // the track below the thumb
  EXPECT_NE(rgb(0, 0), orange);                          // the up arrow is not hot
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST_F(ScrollBarTest, HorizontalBarsScrollAlongXAndSendHScroll) {
  host.container.SetItemRect(&bar, RECT{10, 20, 170, 32});
  bar.SetVertical(false);
  const int y = kWinY + 26;
  testinput::ClickAt(kWinX + 10 + 154, y);  // the right arrow
  EXPECT_EQ(bar.GetPosition(), 7);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].message, static_cast<UINT>(WM_HSCROLL));
  EXPECT_EQ(host.scrolls[0].code, 1);
  EXPECT_EQ(bar.Layout().thumb.left, 12 + 7 * 8);
}

TEST(ScrollBarValues, SettersClampWhatCannotBe) {
  CInplaceScrollBar bar;
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(bar.page(), 10);
  EXPECT_EQ(bar.maximum(), 100);
  EXPECT_EQ(bar.arrow_step(), 5);
  EXPECT_EQ(bar.hot_part(), kScrollPartNone);
  EXPECT_EQ(bar.pressed_part(), kScrollPartNone);
  bar.SetPosition(-3);
  bar.SetPage(-1);
  bar.SetMaximum(-9);
  bar.SetArrowStep(0);
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(bar.page(), 0);
  EXPECT_EQ(bar.maximum(), 0);
  EXPECT_EQ(bar.arrow_step(), 1);
  EXPECT_FALSE(bar.IsHosted());
  EXPECT_FALSE(bar.SetItemCapture());  // out of a host nothing happens
}

}  // namespace
