// The windowless button manager driven by real window messages on a real window.
#include <gtest/gtest.h>

#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceButtonManager.h"

namespace {

struct DrawRequest {
  UINT id, state, action;
};

class RecordingManager : public CInplaceButtonManager {
 public:
  void DrawButton(DRAWITEMSTRUCT* dis) override {
    draws.push_back({dis->itemID, dis->itemState, dis->itemAction});
  }
  void OnButtonRemoved(InplaceButton* b, LONG_PTR data) override {
    removed.push_back({b->id, static_cast<UINT>(data), 0});
  }
  std::vector<DrawRequest> draws;
  std::vector<DrawRequest> removed;
};

class ButtonWindow : public CWindowBase {
 public:
  BEGIN_MSG_MAP(ButtonWindow)
  MESSAGE_HANDLER(WM_COMMAND, OnCommand)
  CHAIN_MSG_MAP_MEMBER(mgr)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnBackgroundPress)
  END_MSG_MAP()

  LRESULT OnCommand(UINT, WPARAM wp, LPARAM, BOOL&) {
    commands.push_back(LOWORD(wp));
    return 0;
  }
  LRESULT OnBackgroundPress(UINT, WPARAM, LPARAM, BOOL&) {
    ++background_presses;
    return 0;
  }
  RecordingManager mgr;
  std::vector<UINT> commands;
  int background_presses = 0;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ButtonManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HWND h = CreateWindowExW(0, L"static", L"buttons", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    win.Attach(h);
    a = win.mgr.AddButton(10, 10, 30, 30, 101);
    b = win.mgr.AddButton(50, 10, 30, 30, 102);
    off = win.mgr.AddButton(90, 10, 30, 30, 103);
    win.mgr.EnableButton(off, false);
  }
  void TearDown() override {
    if (GetCapture() == win.hwnd()) ReleaseCapture();
    if (win.hwnd()) DestroyWindow(win.hwnd());
  }
  LRESULT Send(UINT msg, int x, int y) { return SendMessageW(win.hwnd(), msg, 0, At(x, y)); }

  ButtonWindow win;
  InplaceButton *a = nullptr, *b = nullptr, *off = nullptr;
};

TEST_F(ButtonManagerTest, ClickSendsCommandDragOffCancelsDragBackRestores) {
  Send(WM_LBUTTONDOWN, 20, 20);
  EXPECT_EQ(win.mgr.pressed(), a);
  EXPECT_EQ(GetCapture(), win.hwnd());
  EXPECT_EQ(win.mgr.GetButtonState(a), CInplaceButtonManager::kStatePressed);
  Send(WM_MOUSEMOVE, 200, 80);  // off the button: hover look
  EXPECT_EQ(win.mgr.GetButtonState(a), CInplaceButtonManager::kStateHot);
  Send(WM_LBUTTONUP, 200, 80);
  EXPECT_TRUE(win.commands.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(win.mgr.GetButtonState(a), 0u);

  Send(WM_LBUTTONDOWN, 20, 20);
  Send(WM_MOUSEMOVE, 200, 80);
  Send(WM_MOUSEMOVE, 25, 25);  // back on it: pressed look again
  EXPECT_EQ(win.mgr.GetButtonState(a), CInplaceButtonManager::kStatePressed);
  Send(WM_LBUTTONUP, 25, 25);
  ASSERT_EQ(win.commands.size(), 1u);
  EXPECT_EQ(win.commands[0], 101u);
  EXPECT_EQ(win.mgr.hot(), a);  // released inside: stays hot
  EXPECT_EQ(win.background_presses, 0);
}

TEST_F(ButtonManagerTest, DisabledButtonSwallowsThePressButNeverPressesOrGlows) {
  EXPECT_NE(Send(WM_MOUSEMOVE, 100, 20), 1);
  EXPECT_EQ(win.mgr.hot(), nullptr);
  Send(WM_LBUTTONDOWN, 100, 20);
  EXPECT_EQ(win.mgr.pressed(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(win.background_presses, 0);  // consumed: the bar starts no drag
  EXPECT_EQ(win.mgr.GetButtonState(off), CInplaceButtonManager::kStateDisabled);
  // A press on the background reaches the bar's own handler.
  Send(WM_LBUTTONDOWN, 200, 80);
  EXPECT_EQ(win.background_presses, 1);
}

TEST_F(ButtonManagerTest, HoverMovesBetweenButtonsAndLeaves) {
  Send(WM_MOUSEMOVE, 20, 20);
  EXPECT_EQ(win.mgr.hot(), a);
  ASSERT_FALSE(win.mgr.draws.empty());
  EXPECT_EQ(win.mgr.draws.back().id, 101u);
  EXPECT_EQ(win.mgr.draws.back().state, CInplaceButtonManager::kStateHot);
  win.mgr.draws.clear();
  Send(WM_MOUSEMOVE, 60, 20);
  EXPECT_EQ(win.mgr.hot(), b);
  // Old one repainted normal, then a follow-up notice for the new one.
  ASSERT_EQ(win.mgr.draws.size(), 2u);
  EXPECT_EQ(win.mgr.draws[0].id, 101u);
  EXPECT_EQ(win.mgr.draws[0].state, 0u);
  EXPECT_EQ(win.mgr.draws[1].id, 102u);
  EXPECT_EQ(win.mgr.draws[1].action, 0u);
  SendMessageW(win.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(win.mgr.hot(), nullptr);
  EXPECT_EQ(win.mgr.GetButtonState(b), 0u);
}

TEST_F(ButtonManagerTest, ReleaseOverAnotherButtonMakesItHotWithoutCommands) {
  Send(WM_LBUTTONDOWN, 20, 20);
  Send(WM_MOUSEMOVE, 60, 20);
  Send(WM_LBUTTONUP, 60, 20);
  EXPECT_TRUE(win.commands.empty());
  EXPECT_EQ(win.mgr.hot(), b);
  EXPECT_EQ(win.mgr.GetButtonState(b), CInplaceButtonManager::kStateHot);
  EXPECT_EQ(win.mgr.GetButtonState(a), 0u);
}

TEST_F(ButtonManagerTest, OverlappingButtonsHitTheLastAdded) {
  InplaceButton* top = win.mgr.AddButton(15, 15, 10, 10, 104);
  EXPECT_EQ(win.mgr.HitTest({20, 20}), top);
  EXPECT_EQ(win.mgr.HitTest({12, 12}), a);
  EXPECT_EQ(win.mgr.FindButton(102), b);
  Send(WM_LBUTTONDOWN, 20, 20);
  Send(WM_LBUTTONUP, 20, 20);
  ASSERT_EQ(win.commands.size(), 1u);
  EXPECT_EQ(win.commands[0], 104u);
}

TEST_F(ButtonManagerTest, RemovingButtonsWhilePressedStillReleasesTheCapture) {
  win.mgr.SetButtonData(a, 77);
  Send(WM_LBUTTONDOWN, 20, 20);
  ASSERT_EQ(GetCapture(), win.hwnd());
  win.mgr.RemoveAllButtons();
  EXPECT_EQ(win.mgr.removed.size(), 3u);
  EXPECT_EQ(win.mgr.removed.back().state, 77u);  // user data handed over on removal (a is last)
  b = win.mgr.AddButton(50, 10, 30, 30, 202);
  EXPECT_EQ(Send(WM_LBUTTONUP, 60, 20), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(win.commands.empty());
  EXPECT_EQ(win.mgr.hot(), b);
}

TEST_F(ButtonManagerTest, CaptureTakenByAnotherWindowCancelsThePress) {
  HWND other = CreateWindowExW(0, L"static", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  Send(WM_LBUTTONDOWN, 20, 20);
  ASSERT_EQ(win.mgr.pressed(), a);
  SetCapture(other);  // the system sends WM_CAPTURECHANGED to our window
  EXPECT_EQ(win.mgr.pressed(), nullptr);
  ReleaseCapture();
  Send(WM_LBUTTONUP, 20, 20);
  EXPECT_TRUE(win.commands.empty());
  DestroyWindow(other);
}

TEST_F(ButtonManagerTest, CheckedAndDisabledStatesWin) {
  win.mgr.SetButtonCheck(b, true);
  Send(WM_MOUSEMOVE, 60, 20);
  EXPECT_EQ(win.mgr.GetButtonState(b), CInplaceButtonManager::kStateChecked);
  win.mgr.EnableButton(b, false);
  EXPECT_EQ(win.mgr.hot(), nullptr);  // disabling the hot button clears it
  win.mgr.SetButtonCheck(b, false);
  EXPECT_EQ(win.mgr.GetButtonState(b), CInplaceButtonManager::kStateDisabled);
}

}  // namespace
