// The capture window with the text box open: the Delete key is the box's, and while an
// input-method composition is in progress so is Esc (it cancels the composition instead of
// ending the capture); afterwards Esc is the capture's again.
#include <windows.h>

#include <gtest/gtest.h>

#include "resource.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "win/support/test_ime.h"
#include "win/support/test_pictures.h"

namespace {

class CaptureText : public testpictures::EngineModuleTest {
 protected:
  void SetUp() override {
    EngineModuleTest::SetUp();
    ASSERT_TRUE(gdiplus_.ok());
    probe_ = CreateWindowExW(0, L"static", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(probe_);
    tool_ = new CScreenSnapshotTool;
    ASSERT_TRUE(tool_->Create(engine()));
    overlay_ = tool_->overlay_window();
    Send(WM_LBUTTONDOWN, 100, 100);
    Send(WM_MOUSEMOVE, 400, 300);
    Send(WM_LBUTTONUP, 400, 300);
    ASSERT_EQ(tool_->GetSelection(), (Rect{100, 100, 400, 300}));
    CScrawlBoard::CInplaceEditBox::SetIme(&ime_);
  }
  void TearDown() override {
    CScrawlBoard::CInplaceEditBox::SetIme(nullptr);
    if (tool_) {
      tool_->Finish();
      tool_->Release();
    }
    DestroyWindow(probe_);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void Send(UINT msg, int x, int y) {
    SendMessageW(overlay_, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  // Whether another window could take `vk` as a system-wide hot key now: the capture holds
  // it when not.
  bool KeyFree(UINT vk) {
    if (!RegisterHotKey(probe_, 7, 0, vk)) return false;
    UnregisterHotKey(probe_, 7);
    return true;
  }

  ScopedGdiplus gdiplus_;
  testime::FakeIme ime_;
  HWND probe_ = nullptr;
  CScreenSnapshotTool* tool_ = nullptr;
  HWND overlay_ = nullptr;
};

TEST_F(CaptureText, EscBelongsToTheInputMethodDuringAComposition) {
  ASSERT_FALSE(KeyFree(VK_ESCAPE));
  ASSERT_FALSE(KeyFree(VK_DELETE));
  tool_->OnToolbarCommand(ID_TOOLBAR_TEXT);
  Send(WM_LBUTTONDOWN, 150, 150);
  Send(WM_LBUTTONUP, 150, 150);
  ASSERT_TRUE(tool_->board().IsTextEditing());
  // The box's frame from the engine's pictures: a corner knob on the box's corner, the
  // translucent backdrop of the second colour beside it.
  const COLORREF second = tool_->board().GetTextSecondColor();
  const uint32_t backdrop = 0xF0000000u | (GetRValue(second) * 240u >> 8) << 16 |
                            (GetGValue(second) * 240u >> 8) << 8 | (GetBValue(second) * 240u >> 8);
  const Rect r = tool_->board().text_box()->box_rect();
  const PixelView overlay = tool_->board().overlay_layer().pixels();
  EXPECT_EQ(overlay.At(r.left - 7, r.top - 5), backdrop);
  EXPECT_NE(overlay.At(r.left, r.top), backdrop);
  EXPECT_EQ(overlay.At(r.left, r.top) >> 24, 0xFFu);
  // The open box has the Delete key; Esc still ends the capture.
  EXPECT_TRUE(KeyFree(VK_DELETE));
  EXPECT_FALSE(KeyFree(VK_ESCAPE));
  const HWND edit = tool_->board().text_box()->edit_window();
  SendMessageW(edit, WM_IME_STARTCOMPOSITION, 0, 0);
  ime_.composition = L"ni";
  SendMessageW(edit, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
  EXPECT_TRUE(KeyFree(VK_ESCAPE));
  // The input method cancels the composition on Esc and ends it.
  ime_.composition.clear();
  SendMessageW(edit, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
  SendMessageW(edit, WM_IME_ENDCOMPOSITION, 0, 0);
  EXPECT_FALSE(KeyFree(VK_ESCAPE));
  EXPECT_TRUE(tool_->board().IsTextEditing());
  // Closing the box gives Delete back to the capture.
  tool_->OnToolbarCommand(ID_TOOLBAR_RECTANGLE);
  EXPECT_FALSE(tool_->board().IsTextEditing());
  EXPECT_FALSE(KeyFree(VK_DELETE));
  EXPECT_FALSE(KeyFree(VK_ESCAPE));
}

TEST_F(CaptureText, TypedTextIsCopiedWithTheCapture) {
  tool_->OnToolbarCommand(ID_TOOLBAR_TEXT);
  Send(WM_LBUTTONDOWN, 150, 150);
  Send(WM_LBUTTONUP, 150, 150);
  ASSERT_TRUE(tool_->board().IsTextEditing());
  const COLORREF color = tool_->board().GetTextColor();
  const uint32_t argb =
      0xFF000000u | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
  for (wchar_t c : std::wstring(L"Hello"))
    SendMessageW(tool_->board().text_box()->edit_window(), WM_CHAR, c, 0);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  // The box's pixels in the text colour; outside it the frozen screen, unchanged.
  const Rect box = tool_->board().text_box()->box_rect();
  const PixelView frozen = tool_->FinalPixels();  // the selection's frozen pixels
  std::vector<uint32_t> before;
  for (int y = 0; y < frozen.height; ++y)
    for (int x = 0; x < frozen.width; ++x) before.push_back(frozen.At(x, y) | 0xFF000000u);
  ScopedBitmap image(tool_->ComposeImage());
  ASSERT_TRUE(image);
  PixelView px;
  ASSERT_TRUE(ViewOfTopDownDib(image.get(), &px));
  ASSERT_EQ(px.width * px.height, static_cast<int>(before.size()));
  int inside = 0, outside = 0;
  for (int y = 0; y < px.height; ++y) {
    for (int x = 0; x < px.width; ++x) {
      const uint32_t p = px.At(x, y) | 0xFF000000u;
      if (box.Contains(Point{x, y}))
        inside += p == argb;
      else
        outside += p != before[static_cast<size_t>(y) * px.width + x];
    }
  }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

}  // namespace
