// The composed picture on the real clipboard: what another program reads back as CF_DIB, and a
// clipboard that someone else keeps open.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/output/clipboard_output_win.h"

namespace {

class ClipboardOutput : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner_);
    // Every pixel differs, and the alpha is not 255, so order and dropped alpha both show.
    image_ = CreateTopDownDib(kW, kH, &view_);
    ASSERT_TRUE(image_);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        view_.At(x, y) = 0x40000000u | (x * 20) << 16 | (y * 30) << 8 | 7;
  }
  void TearDown() override {
    DeleteObject(image_);
    DestroyWindow(owner_);
  }

  static constexpr int kW = 5, kH = 3;
  HWND owner_ = nullptr;
  HBITMAP image_ = nullptr;
  PixelView view_;
};

TEST_F(ClipboardOutput, AnotherProgramReadsTheRowsBottomUpWithoutAlpha) {
  ASSERT_TRUE(PutImageOnClipboard(image_, owner_));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_DIB);
  ASSERT_TRUE(data);
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(data));
  ASSERT_TRUE(bytes);
  EXPECT_GE(GlobalSize(data), 40u + 16u * kH);
  BITMAPINFOHEADER h;
  std::memcpy(&h, bytes, sizeof(h));
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, kW);
  EXPECT_EQ(h.biHeight, kH);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  for (int y = 0; y < kH; ++y) {
    const uint8_t* row = bytes + 40 + (kH - 1 - y) * 16;  // 5 * 3 = 15, padded to 16
    for (int x = 0; x < kW; ++x) {
      EXPECT_EQ(row[3 * x], 7) << x << "," << y;
      EXPECT_EQ(row[3 * x + 1], y * 30) << x << "," << y;
      EXPECT_EQ(row[3 * x + 2], x * 20) << x << "," << y;
    }
  }
  GlobalUnlock(data);
  CloseClipboard();
}

TEST_F(ClipboardOutput, AClipboardHeldElsewhereIsLeftAsItWas) {
  // Another thread puts text there and keeps the clipboard open for a while.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND w = CreateWindowExW(0, L"static", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                             nullptr);
    OpenClipboard(w);
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(GlobalLock(text), "kept", 5);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    CloseClipboard();
    DestroyWindow(w);
  });
  WaitForSingleObject(opened, 10000);
  EXPECT_FALSE(PutImageOnClipboard(image_, owner_));
  SetEvent(release);
  holder.join();

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_TRUE(text);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "kept");
  GlobalUnlock(text);
  CloseClipboard();
  CloseHandle(opened);
  CloseHandle(release);
}

TEST_F(ClipboardOutput, TheNotificationStaysSetForTheProgramThatWaits) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, kCopyNotificationEvent);
  ASSERT_TRUE(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  SignalCopyNotification();
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));  // manual reset
  CloseHandle(event);
}

}  // namespace
