// The tooltip on a real desktop: its window, its timing with real timers and the real pointer,
// where it opens, and the picture it presents.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_pictures.h"

namespace {

using namespace testpictures;

// ---- the desktop -----------------------------------------------------------------------------

// Lets everything queued run for |ms| milliseconds, or until |done| says so; every message is
// shown to the tooltip first, as the engine's loop does.
template <typename Done>
void Pump(CToolTipWindow& tip, DWORD ms, Done done) {
  const DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      tip.RelayEvent(&msg);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return;
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(end - now) <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(end - now, 5), QS_ALLINPUT);
  }
}
void Pump(CToolTipWindow& tip, DWORD ms) {
  Pump(tip, ms, [] { return false; });
}

bool Visible(const CToolTipWindow& tip) { return tip.hwnd() && IsWindowVisible(tip.hwnd()); }

// The window under the tooltip's timers: one tool at (10, 5)-(34, 31) of its client area.
class ToolTipTest : public EngineModuleTest {
 protected:
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
  }

  HWND MakeOwner(int x, int y, int w = 200, int h = 36) {
    owner_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"static", L"bar",
                             WS_POPUP | WS_VISIBLE | SS_NOTIFY, x, y, w, h, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    return owner_;
  }
  // Puts the real pointer on |client| of the owner and lets the moves it causes pass.
  void PointAt(CToolTipWindow& tip, POINT client) {
    POINT screen = client;
    ClientToScreen(owner_, &screen);
    SetCursorPos(screen.x, screen.y);
    Pump(tip, 150);
  }
  // Rests the pointer on the tool, asks for |text| there and waits for the tooltip to show.
  void ShowOverTool(CToolTipWindow& tip, const wchar_t* text) {
    PointAt(tip, {20, 12});
    tip.Show(owner_, tool_, {20, 12}, text);
    Pump(tip, 1500, [&] { return Visible(tip); });
  }

  HWND owner_ = nullptr;
  const RECT tool_ = {10, 5, 34, 31};
};

TEST_F(ToolTipTest, ShowsAfter800msAndHidesAbout2500msLaterWithRealTimers) {
  ASSERT_TRUE(MakeOwner(300, 200));
  CToolTipWindow tip;
  PointAt(tip, {20, 12});
  POINT cursor;
  GetCursorPos(&cursor);

  tip.Show(owner_, tool_, {20, 12}, L"矩形工具");
  const DWORD start = GetTickCount();
  ASSERT_TRUE(tip.hwnd());
  // The window: a disabled, topmost, layered tool window that takes no input.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(tip.hwnd(), GWL_EXSTYLE)) &
                (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
            static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(tip.hwnd(), GWL_STYLE)) &
                (WS_POPUP | WS_DISABLED | WS_BORDER),
            static_cast<DWORD>(WS_POPUP | WS_DISABLED | WS_BORDER));
  EXPECT_EQ(tip.state(), 1);

  Pump(tip, 700);
  EXPECT_FALSE(Visible(tip)) << "shown before the delay";
  EXPECT_EQ(tip.state(), 1);
  Pump(tip, 1500, [&] { return Visible(tip); });
  const DWORD shown = GetTickCount() - start;
  ASSERT_TRUE(Visible(tip));
  EXPECT_EQ(tip.state(), 2);
  EXPECT_GE(shown, 780u);
  EXPECT_LE(shown, 1300u);
  // Below-right of the pointer.
  RECT r;
  GetWindowRect(tip.hwnd(), &r);
  EXPECT_EQ(r.left, cursor.x + 3);
  EXPECT_EQ(r.top, cursor.y + 19);

  Pump(tip, 4000, [&] { return !Visible(tip); });
  const DWORD hidden = GetTickCount() - start;
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip.state(), 0);
  EXPECT_GE(hidden - shown, 2350u);
  EXPECT_LE(hidden - shown, 3200u);
  std::printf("tooltip shown after %lu ms, hidden %lu ms later\n",
              static_cast<unsigned long>(shown), static_cast<unsigned long>(hidden - shown));

  // Still resting on the item: it stays away.
  tip.Show(owner_, tool_, {21, 12}, L"矩形工具");
  Pump(tip, 1200);
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip.state(), 0);
}

TEST_F(ToolTipTest, LeavingHidesAfter300msAndAPressHidesAtOnce) {
  ASSERT_TRUE(MakeOwner(300, 200));
  CToolTipWindow tip;
  ShowOverTool(tip, L"矩形工具");
  ASSERT_TRUE(Visible(tip));

  // The pointer moves to the bar's background: hidden 300 ms later.
  PointAt(tip, {120, 20});
  EXPECT_EQ(tip.state(), 3);
  const DWORD left = GetTickCount();
  Pump(tip, 1000, [&] { return !Visible(tip); });
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip.state(), 0);
  EXPECT_LE(GetTickCount() - left, 500u);

  // Back on the item, shown again; a press on it hides the tooltip at once.
  ShowOverTool(tip, L"矩形工具");
  ASSERT_TRUE(Visible(tip));
  MSG press = {owner_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 12)};
  tip.RelayEvent(&press);
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip.state(), 0);
}

TEST_F(ToolTipTest, AClickOnTheTooltipHidesIt) {
  ASSERT_TRUE(MakeOwner(300, 200));
  CToolTipWindow tip;
  ShowOverTool(tip, L"矩形工具");
  ASSERT_TRUE(Visible(tip));
  RECT r;
  GetWindowRect(tip.hwnd(), &r);
  // Resting on the tooltip keeps it; a click on it (real input) hides it.
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Pump(tip, 600);
  EXPECT_TRUE(Visible(tip));
  EXPECT_EQ(tip.state(), 2);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  Pump(tip, 300, [&] { return !Visible(tip); });
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip.state(), 0);
}

TEST_F(ToolTipTest, NearTheBottomRightCornerItOpensAboveAndShiftedLeft) {
  const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  ASSERT_TRUE(MakeOwner(sw - 40, sh - 36, 40, 36));
  CToolTipWindow tip;
  PointAt(tip, {20, 12});
  POINT cursor;
  GetCursorPos(&cursor);
  tip.Show(owner_, tool_, {20, 12}, L"保存截图到文件");
  Pump(tip, 1500, [&] { return Visible(tip); });
  ASSERT_TRUE(Visible(tip));
  RECT r;
  GetWindowRect(tip.hwnd(), &r);
  EXPECT_EQ(r.right, sw);
  EXPECT_EQ(r.bottom, cursor.y - 19);
  tip.Destroy();
  EXPECT_FALSE(tip.hwnd());
}

TEST_F(ToolTipTest, PicturePanelWithGreyBlueText) {
  CToolTipWindow tip;
  LayeredSurface s;
  ASSERT_TRUE(tip.Compose(L"矩形工具", s));
  const Image img = Pixels(s);
  // The text's size and the panel's 13 pixels of margins and shadow: four 12-pixel characters
  // (only boxes without a Chinese face, which are narrower).
  EXPECT_GE(img.width, 13 + (ChineseGlyphsAvailable() ? 40 : 12));
  EXPECT_LE(img.width, 13 + 60);
  EXPECT_GE(img.height, 13 + 10);
  EXPECT_LE(img.height, 13 + 20);

  // Corners are transparent, the panel around the text is opaque white, the shadow below it is
  // dark and translucent.
  EXPECT_LT(A(img.at(0, 0)), 64);
  EXPECT_EQ(img.at(3, img.height / 2), 0xFFFFFFFFu);
  const uint32_t shadow = img.at(img.width / 2, img.height - 3);
  EXPECT_GT(A(shadow), 0);
  EXPECT_LT(A(shadow), 255);
  EXPECT_LT(R(shadow), A(shadow));  // darker than white
  for (uint32_t p : img.px) {
    ASSERT_LE(R(p), A(p));  // premultiplied throughout
    ASSERT_LE(G(p), A(p));
    ASSERT_LE(B(p), A(p));
  }

  // The text: inked pixels inside the text area, blue-grey (blue > green > red); nothing as dark
  // outside it (the panel's outline is lighter).
  int inked = 0;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const uint32_t p = img.at(x, y);
      if (A(p) != 255 || R(p) >= 160) continue;
      const bool in_text = x >= 5 && y >= 5 && x < img.width - 8 && y < img.height - 8;
      EXPECT_TRUE(in_text) << x << "," << y;
      EXPECT_GE(B(p), G(p));
      EXPECT_GE(G(p), R(p));
      ++inked;
    }
  EXPECT_GT(inked, 60) << "no readable text";
  const std::wstring path = SavePicture(img, L"tooltip.png", 4);
  EXPECT_FALSE(path.empty());
  std::printf("tooltip picture: %ls\n", path.c_str());
}

TEST_F(ToolTipTest, ProcessWideTooltipAndItsTeardown) {
  EXPECT_EQ(GetToolTipWindow(), nullptr);
  CreateToolTipWindow();
  CToolTipWindow* tip = GetToolTipWindow();
  ASSERT_TRUE(tip);
  CreateToolTipWindow();
  EXPECT_EQ(GetToolTipWindow(), tip);  // one per process
  ASSERT_TRUE(MakeOwner(300, 200));
  tip->Show(owner_, tool_, {20, 12}, L"");  // empty texts make no window
  EXPECT_FALSE(tip->hwnd());
  tip->Show(owner_, tool_, {20, 12}, L"撤销");
  HWND window = tip->hwnd();
  ASSERT_TRUE(window);
  DestroyToolTipWindow();
  EXPECT_EQ(GetToolTipWindow(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  // The timer it had started is gone with the window: nothing fires into a deleted object.
  MSG msg;
  const DWORD end = GetTickCount() + 1000;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      EXPECT_NE(msg.message, static_cast<UINT>(WM_TIMER));
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
  DestroyToolTipWindow();  // twice is harmless
}

}  // namespace
