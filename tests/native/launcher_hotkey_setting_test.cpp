// The stored hotkey text, the keys that may be the hotkey, and the registration identifiers.
#include "launcher/hotkey_setting.h"

#include <gtest/gtest.h>

using namespace launcher;

TEST(LauncherHotkeySetting, TextReadsAsTheLeadingDecimalNumberAndBadTextAsZero) {
  EXPECT_EQ(KeyCodeFromText("114"), 114);
  EXPECT_EQ(KeyCodeFromText(" \t+115"), 115);
  EXPECT_EQ(KeyCodeFromText("113abc"), 113);
  EXPECT_EQ(KeyCodeFromText("-1"), -1);
  EXPECT_EQ(KeyCodeFromText("abc"), 0);
  EXPECT_EQ(KeyCodeFromText(""), 0);
  EXPECT_EQ(KeyCodeFromText("-"), 0);
  EXPECT_EQ(KeyCodeFromText("\xC5\xE4"), 0);  // a GB character
  // Out of range of int: no wrapped or clamped value that could happen to be a key.
  EXPECT_EQ(KeyCodeFromText("999999999999"), 0);
  EXPECT_EQ(KeyCodeFromText("4294967410"), 0);  // 2^32 + 114
  EXPECT_EQ(KeyCodeFromText(std::string(5000, '9')), 0);
  EXPECT_EQ(KeyCodeFromText("2147483647"), 2147483647);
  EXPECT_EQ(KeyCodeFromText("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(KeyCodeFromText("2147483648"), 0);
}

TEST(LauncherHotkeySetting, OnlyF1ToF5AreHotkeys) {
  EXPECT_FALSE(IsHotkeyKey(0));
  EXPECT_FALSE(IsHotkeyKey(111));
  for (int key = 112; key <= 116; ++key) EXPECT_TRUE(IsHotkeyKey(key)) << key;
  EXPECT_FALSE(IsHotkeyKey(117));
  EXPECT_FALSE(IsHotkeyKey(-1));
}

TEST(LauncherHotkeySetting, IdentifiersCountFrom33001AndStayInTheApplicationsRange) {
  HotkeyIdSequence ids;
  EXPECT_EQ(ids.Take(), 33001);
  EXPECT_EQ(ids.Take(), 33002);
  int last = 0;
  for (int id = 33003; id <= 0xBFFF; ++id) last = ids.Take();
  EXPECT_EQ(last, 0xBFFF);
  EXPECT_EQ(ids.Take(), 33001);
}
