// A board on its own for the board's tests: a hidden host window, a frozen "screen" with known
// pixels, a GDI+ session, and a board that records its notifications and what the host would
// show after each one.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/board/CScrawlBoard.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"

namespace testboard {

// The frozen screen's pixel at (x, y) of the host: opaque, different in every place.
inline uint32_t ScreenPixel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(((x * 5) & 0x7F) << 16 | ((y * 3) & 0x7F) << 8 | 0x20);
}

// Premultiplied source-over, the host's way of blending the upper layers.
inline uint32_t Over(uint32_t src, uint32_t dst) {
  const uint32_t sa = src >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= std::min<uint32_t>(255, s + (d * (255 - sa) + 127) / 255) << shift;
  }
  return out;
}

inline std::vector<uint32_t> PixelsOf(HBITMAP bitmap) {
  DIBSECTION ds = {};
  if (!bitmap || GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds)) return {};
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(ds.dsBm.bmBits);
  return std::vector<uint32_t>(p, p + ds.dsBm.bmWidth * ds.dsBm.bmHeight);
}

class TestBoard : public CScrawlBoard {
 public:
  // What the host shows after the last OnLayersChanged: the background with the two upper
  // layers blended over it; and which layers that call carried.
  std::vector<uint32_t> shown;
  bool shown_overlay = false, shown_hover = false;
  int layer_calls = 0;
  std::vector<int> events, style_targets;
  std::vector<POINT> menus;
  std::function<void()> on_menu;  // runs as the menu's chosen command would
  bool keep_shown = true;         // false: only count the calls (long sessions)

  void OnLayersChanged(HBITMAP background, HBITMAP overlay, HBITMAP hover) override {
    ++layer_calls;
    if (!keep_shown) return;
    shown = PixelsOf(background);
    shown_overlay = overlay != nullptr;
    shown_hover = hover != nullptr;
    for (HBITMAP upper : {overlay, hover}) {
      if (!upper) continue;
      const std::vector<uint32_t> px = PixelsOf(upper);
      for (size_t i = 0; i < shown.size() && i < px.size(); ++i) shown[i] = Over(px[i], shown[i]);
    }
  }
  void OnBoardEvent(int event) override { events.push_back(event); }
  // The text box's notifications: the caret (board coordinates, empty: none), whether it opened
  // or closed, and whether a composition is in progress.
  std::vector<RECT> carets;
  std::vector<BOOL> caret_phases, text_editing, composing;
  void OnCaretChanged(const RECT* caret, BOOL visible) override {
    carets.push_back(caret ? *caret : RECT{});
    caret_phases.push_back(visible);
  }
  void OnTextEditing(BOOL active) override { text_editing.push_back(active); }
  void OnComposing(BOOL active) override { composing.push_back(active); }
  void OnStyleTarget(int kind) override { style_targets.push_back(kind); }
  void OnContextMenu(POINT screen) override {
    menus.push_back(screen);
    if (on_menu) on_menu();
  }
};

class BoardTest : public testing::Test {
 protected:
  static constexpr int kOriginX = 30, kOriginY = 20;  // the board on the host
  static constexpr int kWidth = 200, kHeight = 150;
  static constexpr int kScreenWidth = 320, kScreenHeight = 240;

  void SetUp() override {
    ASSERT_TRUE(gdiplus_.ok());
    host_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP, 100, 100, kScreenWidth,
                            kScreenHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host_);
    screen_.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x)
        screen_[static_cast<size_t>(y) * kScreenWidth + x] = ScreenPixel(x, y) & 0x00FFFFFF;
    ASSERT_TRUE(board_.Attach(kOriginX, kOriginY, kWidth, kHeight, host_, ScreenView()));
    objects_before_ = ObjectCore::LiveCount();
  }
  void TearDown() override {
    board_.Detach();
    if (GetCapture() == host_) ReleaseCapture();
    DestroyWindow(host_);
  }

  // The frozen screen as the capture window keeps it: alpha bytes 0, as a screen copy has them.
  PixelView ScreenView() {
    return PixelView{screen_.data(), kScreenWidth, kScreenWidth, kScreenHeight};
  }
  // A message to the board at board point (x, y); whether it was consumed.
  bool Send(UINT msg, int x, int y, WPARAM wp = 0) {
    LRESULT result = 0;
    return board_.ProcessMessage(host_, msg, wp, MAKELPARAM(x + kOriginX, y + kOriginY), result) !=
           FALSE;
  }
  void Press(int x, int y) { Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  void Move(int x, int y) { Send(WM_MOUSEMOVE, x, y, MK_LBUTTON); }
  void Release(int x, int y) { Send(WM_LBUTTONUP, x, y); }
  // A drag in `steps` moves from (x0, y0) to (x1, y1), released there.
  void Drag(int x0, int y0, int x1, int y1, int steps = 4) {
    Press(x0, y0);
    for (int i = 1; i <= steps; ++i) Move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    Release(x1, y1);
  }
  // The pointer at board point (x, y) as the system moves it: the cursor, then the move.
  void Hover(int x, int y) {
    SetCursorPos(100 + kOriginX + x, 100 + kOriginY + y);
    LRESULT r = 0;
    board_.ProcessMessage(host_, WM_SETCURSOR, reinterpret_cast<WPARAM>(host_),
                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), r);
    Send(WM_MOUSEMOVE, x, y);
  }
  void Choose(int tool, COLORREF color, int width, int dash = 0) {
    board_.SetTool(tool);
    board_.SetPenColor(color);
    board_.SetPenWidth(width);
    board_.SetDashStyle(dash);
  }
  // What the user sees at board point (x, y) after the last notification.
  uint32_t Shown(int x, int y) const {
    return board_.shown.at(static_cast<size_t>(y) * kWidth + x);
  }
  // The screen's own pixel under board point (x, y).
  static uint32_t Under(int x, int y) { return ScreenPixel(x + kOriginX, y + kOriginY); }
  static uint32_t At(const BoardLayer& layer, int x, int y) { return layer.pixels().At(x, y); }
  int ObjectCount() const {
    int n = 0;
    for (auto* o = board_.first_object(); o; o = static_cast<CScrawlBoard::CObjectBase*>(o->next))
      ++n;
    return n;
  }
  int RecordCount() const {
    int n = 0;
    for (auto* r = board_.first_record(); r; r = r->newer()) ++n;
    return n;
  }
  CScrawlBoard::CObjectBase* Last() const {
    auto* o = board_.first_object();
    while (o && o->next) o = static_cast<CScrawlBoard::CObjectBase*>(o->next);
    return o;
  }

  ScopedGdiplus gdiplus_;  // first: outlives every GDI+ object of the board
  HWND host_ = nullptr;
  std::vector<uint32_t> screen_;
  TestBoard board_;
  int32_t objects_before_ = 0;
};

}  // namespace testboard
