// The colour and pen bar on a real window: its window and layout, the pixels it composes for the
// selected, hovered and white swatches, the colour box and the width buttons, clicks that choose
// a colour or a width, and presses that drag it (never from the gaps between swatches).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resource.h"
#include "screenshot/base/message_filter.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/ui/CColorToolBar.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_mouse.h"
#include "win/support/test_pictures.h"

namespace {

using namespace testpictures;
using namespace testmouse;

class RecordingColorBar : public CColorToolBar {
 public:
  void OnPenWidthChanged(int i) override { widths.push_back(i * 10 + GetWidthIndex()); }
  void OnPenColorChanged(int i) override { colors.push_back(i * 100 + GetColorIndex()); }
  // Each entry: the index reported, and (in the low digits) the one the bar showed meanwhile.
  std::vector<int> widths, colors;
};

constexpr uint32_t kDark = 0xFF335B91u;  // RGB(51, 91, 145)
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// The opaque pixel of palette colour i, written out from the palette's RGB values.
uint32_t Swatch(int i) {
  static const uint32_t rgb[16] = {0x000000, 0x808080, 0x800000, 0x808000, 0x008000, 0x000080,
                                   0x800080, 0x008080, 0xFFFFFF, 0xC0C0C0, 0xFF0000, 0xFFFF00,
                                   0x00FF00, 0x0000FF, 0xFF00FF, 0x00FFFF};
  return 0xFF000000u | rgb[i];
}

// Top-left pixel of swatch i as the layout places it.
POINT SwatchAt(int i) { return POINT{112 + 12 * (i % 8), i < 8 ? 6 : 18}; }

class ColorBarTest : public EngineModuleTest {
 protected:
  static void SetUpTestSuite() {
    EngineModuleTest::SetUpTestSuite();
    created_registry_ = GetMessageFilterList() == nullptr;
    if (created_registry_) CreateMessageFilterList();
  }
  static void TearDownTestSuite() {
    if (created_registry_) DestroyMessageFilterList();
    EngineModuleTest::TearDownTestSuite();
  }
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    MoveTo(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // The owner stands in for the capture window, in the foreground, so that the capture the
    // bar takes for a drag holds outside it.
    owner_ = CreateWindowExW(0, L"static", L"owner", WS_POPUP | WS_VISIBLE, 0,
                             GetSystemMetrics(SM_CYSCREEN) - 10, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner_);
    SetForegroundWindow(owner_);
    ASSERT_TRUE(bar_.Create(300, 400, owner_));
  }
  void TearDown() override {
    if (bar_.hwnd()) DestroyWindow(bar_.hwnd());
    if (owner_) DestroyWindow(owner_);
    Pump(20);
  }
  void Show() {
    SetWindowPos(bar_.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    bar_.Paint();
    bar_.Show();
    Pump(100);
  }
  void Post(UINT msg, int x, int y) {
    PostMessageW(bar_.hwnd(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    Pump(30);
  }
  void Click(int x, int y) {
    Post(WM_LBUTTONDOWN, x, y);
    Post(WM_LBUTTONUP, x, y);
  }
  void Hover(int x, int y) { SendMessageW(bar_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  Image Composed() {
    LayeredSurface surface;
    EXPECT_TRUE(bar_.Compose(surface));
    return Pixels(surface);
  }
  // Whether the cursor the bar sets with the pointer at its client point (x, y) is size-all.
  bool SizeAllAt(int x, int y) {
    MoveTo(300 + x, 400 + y);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(bar_.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar_.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor() == LoadCursorW(nullptr, IDC_SIZEALL);
  }

  static bool created_registry_;
  HWND owner_ = nullptr;
  RecordingColorBar bar_;
};

bool ColorBarTest::created_registry_ = false;

// The two-pixel selection border of swatch i (dark outside, white inside, the colour within).
void ExpectSelectionBorder(const Image& bar, int i, int inset_top_left, const char* what) {
  const POINT p = SwatchAt(i);
  const int l = p.x + inset_top_left, t = p.y + inset_top_left, r = p.x + 10, b = p.y + 10;
  for (int k = 0; k <= r - l; ++k) {
    EXPECT_EQ(bar.at(l + k, t), kDark) << what << " top " << k;
    EXPECT_EQ(bar.at(l + k, b), kDark) << what << " bottom " << k;
  }
  for (int k = 0; k <= b - t; ++k) {
    EXPECT_EQ(bar.at(l, t + k), kDark) << what << " left " << k;
    EXPECT_EQ(bar.at(r, t + k), kDark) << what << " right " << k;
  }
  EXPECT_EQ(bar.at(l + 1, t + 1), kWhite) << what;
  EXPECT_EQ(bar.at(r - 1, b - 1), kWhite) << what;
  EXPECT_EQ(bar.at(l + 1, b - 1), kWhite) << what;
  EXPECT_EQ(bar.at(r - 2, t + 2), Swatch(i)) << what;
}

// Swatch i painted plainly: its colour over all 11 x 11 pixels.
void ExpectPlainSwatch(const Image& bar, int i) {
  const POINT p = SwatchAt(i);
  for (int y = 0; y <= 10; ++y)
    for (int x = 0; x <= 10; ++x) ASSERT_EQ(bar.at(p.x + x, p.y + y), Swatch(i)) << i;
}

TEST_F(ColorBarTest, HiddenLayeredPopupOfTheLayoutsSizeRegisteredAsAFilter) {
  HWND h = bar_.hwnd();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)), 0x08080088u);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner_);
  const RECT r = WindowRect(h);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 400);
  EXPECT_EQ(r.right - r.left, 213);
  EXPECT_EQ(r.bottom - r.top, 34);
  EXPECT_EQ(SendMessageW(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner_),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  // The buttons where the layout puts them.
  const auto& mgr = bar_.button_manager();
  int count = 0;
  for (const InplaceButton* b = mgr.first(); b; b = b->next) ++count;
  EXPECT_EQ(count, 19);
  const RECT swatch9 = mgr.FindButton(1009)->rect, width2 = mgr.FindButton(1021)->rect;
  EXPECT_EQ(swatch9.left, 112);
  EXPECT_EQ(swatch9.top, 18);
  EXPECT_EQ(swatch9.right, 122);
  EXPECT_EQ(width2.left, 53);
  EXPECT_EQ(width2.bottom, 27);
  EXPECT_EQ(bar_.current_color_rect().left, 85);
  EXPECT_EQ(bar_.current_color_rect().bottom, 28);
  EXPECT_EQ(mgr.FindButton(1017), nullptr) << "the colour box is no button";

  EXPECT_TRUE(GetMessageFilterList()->Contains(&bar_));
  EXPECT_FALSE(bar_.Create(0, 0, owner_)) << "one window per bar";
  DestroyWindow(h);
  EXPECT_FALSE(GetMessageFilterList()->Contains(&bar_)) << "leaves the loop with its window";
  EXPECT_EQ(mgr.first(), nullptr);
}

TEST_F(ColorBarTest, SettersKeepOnlyWhatTheBarCanShow) {
  EXPECT_EQ(bar_.SetColorIndex(13), 0);
  EXPECT_EQ(bar_.SetColorIndex(16), 13);
  EXPECT_EQ(bar_.SetColorIndex(-1), 13);
  EXPECT_EQ(bar_.GetColorIndex(), 13);
  EXPECT_EQ(bar_.SetWidthIndex(2), 0);
  EXPECT_EQ(bar_.SetWidthIndex(3), 2);
  EXPECT_EQ(bar_.GetWidthIndex(), 2);
  EXPECT_EQ(bar_.SetDashStyle(7), 0);  // kept for the owner as given
  EXPECT_EQ(bar_.GetDashStyle(), 7);
  EXPECT_EQ(CColorToolBar::ColorOf(16), 0xFFFFFFFFu);
  EXPECT_EQ(CColorToolBar::IndexOf(0x123456), 0);
  EXPECT_EQ(CColorToolBar::ContrastOf(RGB(230, 230, 230)), 0u);
  EXPECT_EQ(CColorToolBar::ContrastOf(RGB(229, 255, 255)), 0xFFFFFFu);
}

TEST_F(ColorBarTest, SwatchesAndTheColourBoxShowTheChosenColour) {
  bar_.SetColorIndex(13);  // blue
  Image bar = Composed();
  ASSERT_EQ(bar.width, 213);
  ASSERT_EQ(bar.height, 34);
  EXPECT_LT(A(bar.at(0, 0)), 255) << "rounded corners";
  ExpectSelectionBorder(bar, 13, 0, "chosen blue");
  for (int i : {0, 1, 4, 10, 12, 15}) ExpectPlainSwatch(bar, i);
  // The white swatch keeps a dark frame.
  const POINT w = SwatchAt(8);
  EXPECT_EQ(bar.at(w.x, w.y), kDark);
  EXPECT_EQ(bar.at(w.x + 10, w.y + 10), kDark);
  EXPECT_EQ(bar.at(w.x + 1, w.y + 1), kWhite);
  // The box: blue over all 23 x 23 pixels (85..107, 6..28), no frame.
  for (int y = 6; y <= 28; ++y)
    for (int x = 85; x <= 107; ++x) ASSERT_EQ(bar.at(x, y), Swatch(13)) << x << "," << y;
  EXPECT_NE(bar.at(84, 17), Swatch(13));
  EXPECT_NE(bar.at(108, 17), Swatch(13));
  SavePicture(bar, L"color-bar-blue.png", 4);
}

TEST_F(ColorBarTest, AClickOnSwatch1009SelectsWhite) {
  Show();
  Click(117, 23);  // the middle of swatch 1009
  EXPECT_EQ(bar_.GetColorIndex(), 8);
  EXPECT_EQ(bar_.colors, (std::vector<int>{808})) << "reported once, shown already";
  const Image bar = Composed();
  // The box shows white with a dark frame.
  for (int k = 85; k <= 107; ++k) {
    EXPECT_EQ(bar.at(k, 6), kDark);
    EXPECT_EQ(bar.at(k, 28), kDark);
  }
  for (int k = 6; k <= 28; ++k) {
    EXPECT_EQ(bar.at(85, k), kDark);
    EXPECT_EQ(bar.at(107, k), kDark);
  }
  EXPECT_EQ(bar.at(86, 7), kWhite);
  EXPECT_EQ(bar.at(96, 17), kWhite);
  // Swatch 1009 takes the border; black (the first colour) loses it.
  ExpectSelectionBorder(bar, 8, 0, "chosen white");
  ExpectPlainSwatch(bar, 0);
  SavePicture(bar, L"color-bar-white.png", 4);
  // Real input: the lime swatch, then the widest pen.
  MoveTo(300 + 165, 400 + 23);
  Press();
  Release();
  MoveTo(300 + 63, 400 + 17);
  Press();
  Release();
  EXPECT_EQ(bar_.GetColorIndex(), 12);
  EXPECT_EQ(bar_.colors, (std::vector<int>{808, 1212}));
  EXPECT_EQ(bar_.widths, (std::vector<int>{22}));
  EXPECT_EQ(GetCapture(), nullptr);
  // A quick second click comes as a double click: it chooses like any other.
  Click(141, 23);
  Post(WM_LBUTTONDBLCLK, 141, 23);
  Post(WM_LBUTTONUP, 141, 23);
  EXPECT_EQ(bar_.colors, (std::vector<int>{808, 1212, 1010, 1010}));
}

TEST_F(ColorBarTest, AHoveredSwatchShowsTheBorderTheWhiteOneFurtherIn) {
  bar_.SetColorIndex(0);
  Hover(177, 23);  // blue, bottom row
  Image bar = Composed();
  ExpectSelectionBorder(bar, 13, 0, "hovered blue");
  ExpectSelectionBorder(bar, 0, 0, "chosen black");
  Hover(117, 23);  // white
  bar = Composed();
  ExpectPlainSwatch(bar, 13);
  ExpectSelectionBorder(bar, 8, 1, "hovered white");
  const POINT w = SwatchAt(8);
  EXPECT_EQ(bar.at(w.x, w.y), kWhite) << "its own frame gives way at the top and left";
  EXPECT_EQ(bar.at(w.x, w.y + 10), kWhite);
  EXPECT_EQ(bar.at(w.x + 10, w.y), kWhite);
  SavePicture(bar, L"color-bar-hover-white.png", 4);
  SendMessageW(bar_.hwnd(), WM_MOUSELEAVE, 0, 0);
  bar = Composed();
  EXPECT_EQ(bar.at(w.x, w.y), kDark);
}

// The width buttons: each dot at its own size centred on its button, over the pressed frame for
// the current width and the hover frame for the hovered one, both stretched to the button.
class ColorBarWidths : public ColorBarTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ColorBarTest::SetUp());
    frames_.Reset(LoadPremultipliedBitmap(engine(), IDB_PEN_WIDTH_FRAMES));
    for (int i = 0; i < 3; ++i) {
      ScopedBitmap dot(LoadPremultipliedBitmap(engine(), IDB_PEN_DOT_SMALL + i));
      dots_[i] = ReadBitmap(dot.get());
    }
    ASSERT_TRUE(frames_);
    ASSERT_EQ(dots_[0].width, 21);
    ASSERT_EQ(dots_[0].height, 22);
  }
  // Frame half `frame` (0 hover, 1 pressed) of the 22 x 22 pair stretched to 20 x 20 by the
  // system's blend over transparent pixels; none: all transparent.
  Image StretchedFrame(int frame) {
    LayeredSurface s;
    EXPECT_TRUE(s.Create(20, 20, 32));
    if (frame >= 0) {
      SurfaceDC dc(s);
      HDC src = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(src, frames_.get());
      AlphaBlend(dc.get(), 0, 0, 20, 20, src, frame * 22, 0, 22, 22, kPremultipliedBlend);
      SelectObject(src, old);
      DeleteDC(src);
    }
    return Pixels(s);
  }
  // Checks width button i (x = 7 + 23 i, y = 7, 20 x 20) and the dot's overhang above it.
  void ExpectWidthButton(const Image& bar, int i, int frame, const char* what) {
    const Image f = StretchedFrame(frame);
    const int bx = 7 + 23 * i, by = 7, dx = bx, dy = by - 1;  // the dot's top-left corner
    int mismatches = 0;
    for (int y = dy; y < dy + 22; ++y) {
      for (int x = bx; x < bx + 21; ++x) {
        const uint32_t panel = bar.at(80, y);  // the panel's middle is the same along a row
        uint32_t want = panel;
        if (x < bx + 20 && y >= by) want = Over(f.at(x - bx, y - by), want);
        want = Over(dots_[i].at(x - dx, y - dy), want);
        if (!Near(bar.at(x, y), want, 2) && ++mismatches <= 4)
          ADD_FAILURE() << what << " at (" << x << ", " << y << "): got " << std::hex
                        << bar.at(x, y) << " want " << want;
      }
    }
  }

  ScopedBitmap frames_;
  Image dots_[3];
};

TEST_F(ColorBarWidths, TheCurrentWidthIsPressedAndHoverWins) {
  bar_.SetWidthIndex(1);
  Image bar = Composed();
  ExpectWidthButton(bar, 0, -1, "plain small");
  ExpectWidthButton(bar, 1, 1, "current medium");
  ExpectWidthButton(bar, 2, -1, "plain large");
  // The two frames differ where they are drawn, so the looks cannot be confused.
  EXPECT_NE(StretchedFrame(0).at(10, 0), StretchedFrame(1).at(10, 0));
  SavePicture(bar, L"color-bar-width-1.png", 4);

  Hover(40, 17);  // the current width, hovered: the hover frame, not the pressed one
  bar = Composed();
  ExpectWidthButton(bar, 1, 0, "hovered current");
  Hover(63, 17);
  bar = Composed();
  ExpectWidthButton(bar, 1, 1, "current again");
  ExpectWidthButton(bar, 2, 0, "hovered large");
  // Held down on a button that is not the current width: pressed.
  Post(WM_LBUTTONDOWN, 17, 17);
  bar = Composed();
  ExpectWidthButton(bar, 0, 1, "pressed small");
  Post(WM_LBUTTONUP, 17, 17);
  EXPECT_EQ(bar_.widths, (std::vector<int>{0}));
}

TEST_F(ColorBarTest, GapsBetweenSwatchesNeitherChooseNorDrag) {
  Show();
  for (POINT gap : {POINT{123, 10}, POINT{130, 17}, POINT{108, 20}, POINT{209, 30}}) {
    Post(WM_LBUTTONDOWN, gap.x, gap.y);
    EXPECT_FALSE(bar_.dragging()) << gap.x << "," << gap.y;
    EXPECT_EQ(GetCapture(), nullptr);
    Post(WM_LBUTTONUP, gap.x, gap.y);
    EXPECT_FALSE(SizeAllAt(gap.x, gap.y)) << gap.x << "," << gap.y;
  }
  EXPECT_TRUE(bar_.colors.empty());
  EXPECT_EQ(bar_.GetColorIndex(), 0);
  // The margins, the background between the width buttons and the colour box are the handle.
  for (POINT handle : {POINT{3, 17}, POINT{28, 17}, POINT{95, 17}, POINT{100, 31}})
    EXPECT_TRUE(SizeAllAt(handle.x, handle.y)) << handle.x << "," << handle.y;
}

TEST_F(ColorBarTest, DraggingTheMarginMovesTheBarAndKeepsItOnTheMonitor) {
  Show();
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  MoveTo(300 + 3, 400 + 17);
  Press();
  EXPECT_TRUE(bar_.dragging());
  EXPECT_EQ(GetCapture(), bar_.hwnd());
  MoveTo(300 + 3 + 100, 400 + 17 + 50);
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 400);
  EXPECT_EQ(WindowRect(bar_.hwnd()).top, 450);
  MoveTo(screen_w - 1, 400 + 17 + 50);  // past the monitor's right edge: pinned to it
  EXPECT_EQ(WindowRect(bar_.hwnd()).right, screen_w);
  Release();
  EXPECT_FALSE(bar_.dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  MoveTo(500, 300);
  EXPECT_EQ(WindowRect(bar_.hwnd()).right, screen_w);
  EXPECT_TRUE(bar_.colors.empty());
  EXPECT_TRUE(bar_.widths.empty());
  // A lost capture ends a drag too.
  Post(WM_LBUTTONDOWN, 3, 3);
  EXPECT_TRUE(bar_.dragging());
  SetCapture(owner_);
  EXPECT_FALSE(bar_.dragging());
  ReleaseCapture();
}

}  // namespace
