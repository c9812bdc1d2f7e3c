// The launcher's icon menu and its notification icon image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/CTrayIcon.h"
#include "launcher/embedded_data.h"
#include "launcher/system_menu_win.h"
#include "launcher/window_protocol.h"

namespace {

TEST(LauncherUi, MenuHoldsOpenCloseAndTheHotkeysInOrder) {
  HMENU menu = launcher::CreateSystemMenu();
  ASSERT_TRUE(menu);
  const std::vector<std::wstring> texts = {L"打开",   L"关闭",   L"热键F2", L"热键F3",
                                           L"热键F4", L"热键F5", L"热键F1"};
  const std::vector<UINT> keys = {0, 0, VK_F2, VK_F3, VK_F4, VK_F5, VK_F1};
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(texts.size()));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    EXPECT_EQ(text, texts[i]) << i;
    const UINT command = GetMenuItemID(menu, i);
    if (keys[i]) {
      EXPECT_EQ(command, launcher::kHotkeyCommandBase + keys[i]) << i;
    }
  }
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(launcher::kOpenCommand));
  EXPECT_EQ(GetMenuItemID(menu, 1), static_cast<UINT>(launcher::kCloseCommand));
  DestroyMenu(menu);
}

TEST(LauncherUi, IconIsMadeFromTheEmbeddedIconFileAtEachSize) {
  const launcher::EmbeddedBytes file = launcher::IconFile();
  for (int pixels : {16, 32, 48, 24}) {
    HICON icon = launcher::CreateIconFromFileBytes(file.data, file.size, pixels);
    ASSERT_TRUE(icon) << pixels;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm = {};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, pixels);
    EXPECT_EQ(bm.bmHeight, pixels);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  const unsigned char junk[64] = {0, 0, 1, 0, 1, 0};
  EXPECT_EQ(launcher::CreateIconFromFileBytes(junk, sizeof junk, 16), nullptr);
}

}  // namespace
