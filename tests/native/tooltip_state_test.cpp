// The tooltip's timing and pointer rules, on a fake clock with a fake pointer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "screenshot/ui/tooltip_state.h"

namespace {

// Two bars (owner windows) and the tooltip's own window, as identities.
const int kBarA = 1, kBarB = 2, kTip = 3, kElsewhere = 4;
TipWindow W(const int& id) { return &id; }

const Rect kButton1 = {10, 5, 34, 31};
const Rect kButton2 = {40, 5, 64, 31};
const Point kBarOrigin = {500, 300};  // both bars' client origin on the screen

// Window timers on a clock that only moves when told, and a pointer that only moves when told.
class FakeDesktop : public TooltipHost {
 public:
  struct Timer {
    long long due;
    int period;
  };
  struct Shown {
    long long at;
    std::wstring text;
    Point pointer;
  };

  void StartTimer(int id, int ms) override { timers[id] = {now + ms, ms}; }
  void StopTimer(int id) override { timers.erase(id); }
  TipPointer QueryPointer(TipWindow) override {
    return {under, {kBarOrigin.x + pointer.x, kBarOrigin.y + pointer.y}, pointer};
  }
  Point OwnerToScreen(TipWindow, Point p) override {
    return {kBarOrigin.x + p.x, kBarOrigin.y + p.y};
  }
  void ShowText(const wchar_t* text, Point p) override {
    shown.push_back({now, text, p});
    visible = true;
  }
  void HideText() override {
    visible = false;
    hidden_at = now;
  }
  void TrackLeave(TipWindow owner) override { tracking.push_back(owner); }
  TipWindow Self() override { return W(kTip); }

  // Runs the clock forward, firing due timers in order (they stay armed, like window timers).
  void Advance(TooltipStateMachine& tip, long long ms) {
    const long long end = now + ms;
    for (;;) {
      int next_id = 0;
      long long next_due = end + 1;
      for (const auto& t : timers)
        if (t.second.due < next_due) next_id = t.first, next_due = t.second.due;
      if (next_due > end) break;
      now = next_due;
      timers[next_id].due += timers[next_id].period;
      EXPECT_TRUE(tip.OnTimer(next_id));
    }
    now = end;
  }
  // The pointer rests over |window| at |p| (that window's client coordinates).
  void PointAt(const int& window, Point p) {
    under = W(window);
    pointer = p;
  }

  long long now = 0;
  std::map<int, Timer> timers;
  TipWindow under = nullptr;
  Point pointer;
  std::vector<Shown> shown;
  bool visible = false;
  long long hidden_at = -1;
  std::vector<TipWindow> tracking;
};

class TooltipStateTest : public ::testing::Test {
 protected:
  // A mouse move seen by the loop and then handled by the bar, which reports its item.
  void MoveOverItem(const int& bar, const Rect& item, Point p, const wchar_t* text) {
    desk.PointAt(bar, p);
    tip.Relay(TooltipStateMachine::Input::kMove, W(bar), p);
    tip.Show(W(bar), item, p, text);
  }
  void MoveOff(const int& window, Point p) {
    desk.PointAt(window, p);
    tip.Relay(TooltipStateMachine::Input::kMove, W(window), p);
  }

  FakeDesktop desk;
  TooltipStateMachine tip{desk};
};

TEST_F(TooltipStateTest, RestingOnAnItemShowsAfter800msAndHidesAfterFiveChecks) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  EXPECT_EQ(tip.state(), TooltipStateMachine::kWaiting);
  desk.Advance(tip, 799);
  EXPECT_TRUE(desk.shown.empty());
  // Small moves over the same item change nothing, the delay keeps running.
  MoveOverItem(kBarA, kButton1, {22, 13}, L"矩形工具");
  desk.Advance(tip, 1);
  ASSERT_EQ(desk.shown.size(), 1u);
  EXPECT_EQ(desk.shown[0].at, 800);
  EXPECT_EQ(desk.shown[0].text, L"矩形工具");
  EXPECT_EQ(desk.shown[0].pointer, (Point{522, 313}));  // at the pointer, on the screen
  EXPECT_EQ(tip.state(), TooltipStateMachine::kShown);

  desk.Advance(tip, 2499);
  EXPECT_TRUE(desk.visible);
  EXPECT_EQ(tip.ticks(), 4);
  desk.Advance(tip, 1);
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(desk.hidden_at, 3300);  // 800 ms delay + five 500 ms checks
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_TRUE(desk.timers.empty());
  // Still on the item: the bar is asked to report when the pointer leaves it.
  ASSERT_EQ(desk.tracking.size(), 1u);
  EXPECT_EQ(desk.tracking[0], W(kBarA));

  // It does not come back while the pointer stays on the item...
  MoveOverItem(kBarA, kButton1, {25, 14}, L"矩形工具");
  desk.Advance(tip, 5000);
  EXPECT_EQ(desk.shown.size(), 1u);
  // ...but does once the pointer has left it (the leave notice) and come back.
  tip.Relay(TooltipStateMachine::Input::kLeave, W(kBarA), {});
  MoveOverItem(kBarA, kButton1, {25, 14}, L"矩形工具");
  desk.Advance(tip, 800);
  EXPECT_EQ(desk.shown.size(), 2u);
  EXPECT_TRUE(desk.visible);
}

TEST_F(TooltipStateTest, AMoveOffTheItemAlsoLetsItComeBack) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 3300);
  EXPECT_FALSE(desk.visible);
  MoveOff(kBarA, {2, 2});  // the bar's background
  EXPECT_EQ(tip.owner(), nullptr);
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  EXPECT_EQ(tip.state(), TooltipStateMachine::kWaiting);
  desk.Advance(tip, 800);
  EXPECT_EQ(desk.shown.size(), 2u);
}

TEST_F(TooltipStateTest, NextItemWhileShownSwitchesAtOnce) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 1800);  // shown at 800, two checks done
  ASSERT_EQ(desk.shown.size(), 1u);
  // Onto the neighbour: the loop sees the move leave button 1, then the bar reports button 2.
  MoveOverItem(kBarA, kButton2, {50, 12}, L"椭圆工具");
  ASSERT_EQ(desk.shown.size(), 2u);
  EXPECT_EQ(desk.shown[1].at, 1800);  // no new delay
  EXPECT_EQ(desk.shown[1].text, L"椭圆工具");
  EXPECT_EQ(desk.shown[1].pointer, (Point{550, 312}));
  EXPECT_EQ(tip.state(), TooltipStateMachine::kShown);
  EXPECT_EQ(desk.timers.count(TooltipStateMachine::kHideDelayTimer), 0u);
  // The count of checks starts again for the new item.
  desk.Advance(tip, 2499);
  EXPECT_TRUE(desk.visible);
  desk.Advance(tip, 1);
  EXPECT_FALSE(desk.visible);

  // An item of another bar counts as another item too.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 800);
  MoveOverItem(kBarB, kButton1, {20, 12}, L"加粗");
  EXPECT_EQ(desk.shown.back().text, L"加粗");
  EXPECT_EQ(tip.owner(), W(kBarB));
}

TEST_F(TooltipStateTest, LeavingHidesAfter300msUnlessAnItemFollows) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 1000);
  MoveOff(kElsewhere, {5, 5});
  EXPECT_EQ(tip.state(), TooltipStateMachine::kHiding);
  EXPECT_EQ(tip.owner(), nullptr);
  desk.Advance(tip, 299);
  EXPECT_TRUE(desk.visible);
  desk.Advance(tip, 1);
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_TRUE(desk.timers.empty());

  // Hiding, then another item within the 300 ms: shown again at once, nothing hides it.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 800);
  MoveOff(kBarA, {36, 2});  // the gap between the buttons
  desk.Advance(tip, 100);
  MoveOverItem(kBarA, kButton2, {50, 12}, L"椭圆工具");
  EXPECT_EQ(tip.state(), TooltipStateMachine::kShown);
  EXPECT_EQ(desk.shown.back().text, L"椭圆工具");
  EXPECT_EQ(desk.timers.count(TooltipStateMachine::kHideDelayTimer), 0u);
  desk.Advance(tip, 1000);
  EXPECT_TRUE(desk.visible);
}

TEST_F(TooltipStateTest, PointerGoneAtACheckStartsTheHideDelay) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 800);
  // The pointer leaves without the loop seeing a move (another program's window).
  desk.PointAt(kElsewhere, {0, 0});
  desk.Advance(tip, 500);
  EXPECT_EQ(tip.state(), TooltipStateMachine::kHiding);
  EXPECT_TRUE(desk.visible);
  desk.Advance(tip, 300);
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(desk.hidden_at, 1600);

  // Resting on the tooltip itself counts as staying.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 800);
  desk.PointAt(kTip, {3, 3});
  desk.Advance(tip, 2000);
  EXPECT_TRUE(desk.visible);
  EXPECT_EQ(tip.ticks(), 4);
  desk.Advance(tip, 500);
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(tip.owner(), nullptr);  // not on the item at the end: nothing to wait for
}

TEST_F(TooltipStateTest, NoTooltipWhenThePointerIsGoneAtTheEndOfTheDelay) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.PointAt(kElsewhere, {0, 0});
  desk.Advance(tip, 5000);
  EXPECT_TRUE(desk.shown.empty());
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_TRUE(desk.timers.empty());
  // Over the bar but beside the item is not enough either.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  MoveOverItem(kBarA, kButton2, {50, 12}, L"椭圆工具");
  desk.PointAt(kBarA, {36, 12});
  desk.Advance(tip, 5000);
  EXPECT_TRUE(desk.shown.empty());
}

TEST_F(TooltipStateTest, MovingOffWhileWaitingCancels) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 500);
  MoveOff(kBarA, {2, 2});
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_EQ(tip.owner(), nullptr);
  desk.Advance(tip, 2000);
  EXPECT_TRUE(desk.shown.empty());
  // Hopping to the next item while waiting restarts the delay for it.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 500);
  MoveOverItem(kBarA, kButton2, {50, 12}, L"椭圆工具");
  desk.Advance(tip, 799);
  EXPECT_TRUE(desk.shown.empty());
  desk.Advance(tip, 1);
  ASSERT_EQ(desk.shown.size(), 1u);
  EXPECT_EQ(desk.shown[0].text, L"椭圆工具");
}

TEST_F(TooltipStateTest, ButtonPressOnTheItemHidesUntilThePointerLeaves) {
  // While shown: hidden at once, and not shown again for the same item.
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 900);
  ASSERT_TRUE(desk.visible);
  tip.Relay(TooltipStateMachine::Input::kButton, W(kBarA), {20, 12});
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(desk.hidden_at, 900);
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_TRUE(desk.timers.empty());
  MoveOverItem(kBarA, kButton1, {21, 12}, L"矩形工具");
  desk.Advance(tip, 2000);
  EXPECT_EQ(desk.shown.size(), 1u);

  // While waiting: the delay is dropped.
  MoveOff(kBarA, {2, 2});
  MoveOverItem(kBarA, kButton2, {50, 12}, L"椭圆工具");
  tip.Relay(TooltipStateMachine::Input::kButton, W(kBarA), {50, 12});
  desk.Advance(tip, 2000);
  EXPECT_EQ(desk.shown.size(), 1u);
  EXPECT_EQ(tip.owner(), W(kBarA));
}

TEST_F(TooltipStateTest, ClickOnTheTooltipHidesIt) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 800);
  desk.PointAt(kTip, {4, 4});
  tip.OnClicked();
  EXPECT_FALSE(desk.visible);
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_EQ(tip.owner(), nullptr);
  EXPECT_TRUE(desk.timers.empty());
}

TEST_F(TooltipStateTest, TextsAreCutAndEmptyOnesIgnored) {
  tip.Show(W(kBarA), kButton1, {20, 12}, nullptr);
  tip.Show(W(kBarA), kButton1, {20, 12}, L"");
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_TRUE(desk.timers.empty());

  const std::wstring long_text(40, L'字');
  MoveOverItem(kBarA, kButton1, {20, 12}, long_text.c_str());
  desk.Advance(tip, 800);
  ASSERT_EQ(desk.shown.size(), 1u);
  EXPECT_EQ(desk.shown[0].text, std::wstring(31, L'字'));
}

TEST_F(TooltipStateTest, ResetStopsEverything) {
  MoveOverItem(kBarA, kButton1, {20, 12}, L"矩形工具");
  desk.Advance(tip, 900);
  MoveOff(kBarA, {2, 2});
  tip.Reset();
  EXPECT_TRUE(desk.timers.empty());
  EXPECT_EQ(tip.state(), TooltipStateMachine::kIdle);
  EXPECT_EQ(tip.owner(), nullptr);
}

}  // namespace
