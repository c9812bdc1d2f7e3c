// The launcher's hotkey registrations: identifiers, refused keys, modifiers, keys held elsewhere.
#include <gtest/gtest.h>

#include "launcher/CHotkeyRegistrar.h"

namespace {

using launcher::CHotkeyRegistrar;

// Whether another registration of key (with modifiers) is refused: the key is held.
bool Held(UINT modifiers, UINT key) {
  if (!RegisterHotKey(nullptr, 0xB001, modifiers, key)) return true;
  UnregisterHotKey(nullptr, 0xB001);
  return false;
}

class LauncherHotkey : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_TRUE(window_);
  }
  void TearDown() override { DestroyWindow(window_); }
  HWND window_ = nullptr;
};

TEST_F(LauncherHotkey, EveryAttemptTakesTheNextIdentifierAndOnlyF1ToF5AreRegistered) {
  CHotkeyRegistrar hotkeys;
  EXPECT_EQ(hotkeys.Register(window_, 0, VK_F3), 33001);
  EXPECT_TRUE(Held(0, VK_F3));
  EXPECT_EQ(hotkeys.Register(window_, 0, 0), 0);      // 33002: no key from the INI file
  EXPECT_EQ(hotkeys.Register(window_, 0, VK_F6), 0);  // 33003
  EXPECT_EQ(hotkeys.Register(window_, 0, 'A'), 0);    // 33004
  EXPECT_EQ(hotkeys.Register(window_, 7, VK_F4), 0);  // 33005: unknown modifier code
  EXPECT_FALSE(Held(0, VK_F4));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0xB002, 0, VK_F5));  // another holder of F5
  EXPECT_EQ(hotkeys.Register(window_, 0, VK_F5), 0);       // 33006: refused
  UnregisterHotKey(nullptr, 0xB002);
  EXPECT_TRUE(CHotkeyRegistrar::Unregister(window_, 33001));
  EXPECT_FALSE(Held(0, VK_F3));
  // The same key again gets a new identifier.
  EXPECT_EQ(hotkeys.Register(window_, 0, VK_F3), 33007);
  EXPECT_TRUE(CHotkeyRegistrar::Unregister(window_, 33007));
  EXPECT_FALSE(CHotkeyRegistrar::Unregister(window_, 0));
}

TEST_F(LauncherHotkey, ModifierCodesMapToCtrlShiftAndAlt) {
  const UINT expected[] = {
      0,       MOD_CONTROL,           MOD_SHIFT,          MOD_CONTROL | MOD_SHIFT,
      MOD_ALT, MOD_CONTROL | MOD_ALT, MOD_SHIFT | MOD_ALT};
  CHotkeyRegistrar hotkeys;
  for (int code = 0; code <= 6; ++code) {
    const int id = hotkeys.Register(window_, code, VK_F2);
    EXPECT_TRUE(Held(expected[code], VK_F2)) << code;
    EXPECT_EQ(Held(0, VK_F2), code == 0) << code;
    CHotkeyRegistrar::Unregister(window_, id);
  }
}

}  // namespace
