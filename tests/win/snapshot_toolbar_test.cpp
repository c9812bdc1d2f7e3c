// The main tool bar on a real window: its window, clicks and drags driven by mouse input, and
// the pixels it composes from the engine's own pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "screenshot/ui/CSnapshotToolbar.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_mouse.h"
#include "win/support/test_pictures.h"

namespace {

using namespace testpictures;
using namespace testmouse;

class RecordingToolbar : public CSnapshotToolbar {
 public:
  void OnToolbarCommand(UINT id) override { commands.push_back(id); }
  std::vector<UINT> commands;
};

// One of the two side-by-side frames of a button picture (0 left, 1 right).
Image Frame(ImageSet::Slot slot, int index) {
  const Image all = ReadBitmap(SharedImages().bitmap(slot));
  Image f;
  f.width = all.width / 2;
  f.height = all.height;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) f.px.push_back(all.at(index * f.width + x, y));
  return f;
}

// Button rectangles of the bar (client coordinates).
const RECT kRectangleButton = {7, 2, 31, 28};
const RECT kEllipseButton = {31, 2, 55, 28};
const RECT kMosaicButton = {103, 2, 127, 28};
const RECT kUndoButton = {151, 2, 175, 28};
const RECT kFinishButton = {223, 2, 275, 28};

// Checks every pixel of one button in |bar|: its icon frame over its highlight frame (if any)
// over the panel. The panel's middle is one stretched column, so the panel under any button is
// what shows at x = 5, between the bar's edge and the first button. Returns the number of pixels
// where the highlight showed through the icon, so callers can insist that it was seen.
int ExpectButtonLook(const Image& bar, const RECT& r, const Image* highlight, const Image& icon,
                     const char* what) {
  int highlighted = 0, mismatches = 0;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      const uint32_t got = bar.at(r.left + x, r.top + y);
      uint32_t want = bar.at(5, r.top + y);
      if (highlight) want = Over(highlight->at(x, y), want);
      want = Over(icon.at(x, y), want);
      if (!Near(got, want, 2) && ++mismatches <= 5)
        ADD_FAILURE() << what << " at (" << x << ", " << y << "): got " << std::hex << got
                      << " want " << want;
      if (highlight && A(icon.at(x, y)) < 128 && A(highlight->at(x, y)) != 0) ++highlighted;
    }
  }
  return highlighted;
}

class SnapshotToolbarTest : public EngineModuleTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    // Keep the pointer away from the bar so that only the test's own input reaches it.
    MoveTo(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // The owner stands in for the capture window: it is in the foreground, so that the mouse
    // capture the bar takes holds outside the bar too.
    const int screen_h = GetSystemMetrics(SM_CYSCREEN);
    owner_ = CreateWindowExW(0, L"static", L"owner", WS_POPUP | WS_VISIBLE, 0, screen_h - 10, 10,
                             10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner_);
    SetForegroundWindow(owner_);
    ASSERT_TRUE(bar_.Create(owner_));
  }
  void TearDown() override {
    if (bar_.hwnd()) DestroyWindow(bar_.hwnd());
    if (owner_) DestroyWindow(owner_);
    Pump(20);
  }
  void ShowAt(int x, int y) {
    SetWindowPos(bar_.hwnd(), HWND_TOPMOST, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    bar_.Paint();
    Pump(100);
  }
  void Post(UINT msg, int x, int y) {
    PostMessageW(bar_.hwnd(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    Pump(30);
  }
  Image Composed() {
    LayeredSurface surface;
    EXPECT_TRUE(bar_.Compose(surface));
    return Pixels(surface);
  }

  HWND owner_ = nullptr;
  RecordingToolbar bar_;
};

TEST_F(SnapshotToolbarTest, HiddenLayeredTopmostPopupOfTheOwnerWithUndoDisabled) {
  HWND h = bar_.hwnd();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)), 0x08080088u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)) & ~WS_CLIPSIBLINGS,
            static_cast<DWORD>(WS_POPUP));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner_);
  const RECT r = WindowRect(h);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 283);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTCLIENT);
  EXPECT_EQ(SendMessageW(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner_),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);

  const auto& mgr = bar_.button_manager();
  ASSERT_TRUE(mgr.FindButton(41008));
  EXPECT_EQ(mgr.GetButtonState(mgr.FindButton(41008)), CInplaceButtonManager::kStateDisabled);
  EXPECT_EQ(mgr.FindButton(41009), nullptr);  // no redo button
  EXPECT_EQ(mgr.FindButton(41010)->rect.right - mgr.FindButton(41010)->rect.left, 52);
  EXPECT_FALSE(bar_.Create(owner_));  // one window per bar
}

TEST_F(SnapshotToolbarTest, ClicksOnButtonsSendTheirCommands) {
  ShowAt(300, 400);
  // Posted messages: ellipse, finish, and a click whose press and release are on the mosaic.
  Post(WM_LBUTTONDOWN, 40, 15);
  Post(WM_LBUTTONUP, 41, 16);
  Post(WM_LBUTTONDOWN, 250, 10);
  Post(WM_LBUTTONUP, 250, 10);
  Post(WM_LBUTTONDOWN, 110, 20);
  Post(WM_MOUSEMOVE, 111, 21);
  Post(WM_LBUTTONUP, 112, 22);
  EXPECT_EQ(bar_.commands, (std::vector<UINT>{41002, 41010, 41017}));

  // Real input through the pointer: the save button (the eighth, x 175..199).
  bar_.commands.clear();
  MoveTo(300 + 186, 400 + 14);
  Press();
  Release();
  EXPECT_EQ(bar_.commands, (std::vector<UINT>{41011}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 300);
}

TEST_F(SnapshotToolbarTest, DisabledButtonAndAPressReleasedOnTheBackgroundSendNothing) {
  ShowAt(300, 400);
  // Undo starts disabled: the press is swallowed, nothing is pressed and no drag starts.
  MoveTo(300 + 160, 400 + 15);
  Press();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(bar_.dragging());
  MoveTo(300 + 200, 400 + 60);
  Release();
  EXPECT_TRUE(bar_.commands.empty());
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 300);
  EXPECT_EQ(WindowRect(bar_.hwnd()).top, 400);

  // Enabled, it sends its command.
  bar_.EnableCommand(41008, TRUE);
  MoveTo(300 + 160, 400 + 15);
  Press();
  Release();
  EXPECT_EQ(bar_.commands, (std::vector<UINT>{41008}));

  // A press on the arrow button released on the background: no command, and no drag.
  bar_.commands.clear();
  MoveTo(300 + 60, 400 + 15);
  Press();
  EXPECT_EQ(GetCapture(), bar_.hwnd());
  MoveTo(300 + 3, 400 + 15);   // the background left of the first button
  MoveTo(300 + 2, 400 + 100);  // and off the bar
  Release();
  EXPECT_TRUE(bar_.commands.empty());
  EXPECT_FALSE(bar_.dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 300);
  EXPECT_EQ(WindowRect(bar_.hwnd()).top, 400);
}

TEST_F(SnapshotToolbarTest, DraggingTheBackgroundMovesTheBarAndKeepsItOnTheMonitor) {
  ShowAt(300, 400);
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  MoveTo(300 + 279, 400 + 15);  // right of the finish button
  // The background shows the size-all cursor, the buttons do not.
  EXPECT_TRUE(SendMessageW(bar_.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar_.hwnd()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
  Press();
  EXPECT_TRUE(bar_.dragging());
  EXPECT_EQ(GetCapture(), bar_.hwnd());
  MoveTo(300 + 279 + 100, 400 + 15 + 50);
  RECT r = WindowRect(bar_.hwnd());
  EXPECT_EQ(r.left, 400);
  EXPECT_EQ(r.top, 450);
  // Past the right edge of the monitor: pinned to it.
  MoveTo(screen_w - 1, 400 + 15 + 50);
  r = WindowRect(bar_.hwnd());
  EXPECT_EQ(r.right, screen_w);
  EXPECT_EQ(r.top, 450);
  // Above the top: pinned to the top.
  MoveTo(600, 5);
  r = WindowRect(bar_.hwnd());
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.left, 600 - 279);
  Release();
  EXPECT_FALSE(bar_.dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  // The drag is over: moving the pointer leaves the bar where it is.
  MoveTo(700, 300);
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 600 - 279);
  EXPECT_TRUE(bar_.commands.empty());

  // Over a button the static control's arrow is kept.
  SetWindowPos(bar_.hwnd(), nullptr, 300, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  MoveTo(300 + 20, 400 + 15);
  SendMessageW(bar_.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar_.hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
}

TEST_F(SnapshotToolbarTest, LosingTheCaptureEndsTheDrag) {
  ShowAt(300, 400);
  Post(WM_LBUTTONDOWN, 3, 3);
  EXPECT_TRUE(bar_.dragging());
  SetCapture(owner_);
  EXPECT_FALSE(bar_.dragging());
  ReleaseCapture();
}

// The composed bar: panel, pressed and hover frames, greyed icons, at the buttons' rectangles.
TEST_F(SnapshotToolbarTest, ComposedPixelsShowTheStateOfEveryButton) {
  const Image pressed = Frame(ImageSet::kToolbarHighlight, 1);
  const Image hover = Frame(ImageSet::kToolbarHighlight, 0);
  const Image rectangle = Frame(ImageSet::kIconRectangle, 0);
  const Image rectangle_grey = Frame(ImageSet::kIconRectangle, 1);
  ASSERT_EQ(pressed.width, 24);
  ASSERT_EQ(rectangle.height, 26);

  // No tool, nothing under the pointer: the plain bar, with undo greyed.
  const Image plain = Composed();
  ASSERT_EQ(plain.width, 283);
  ASSERT_EQ(plain.height, 30);
  EXPECT_EQ(A(plain.at(5, 15)), 255);  // the panel between the edge and the first button
  EXPECT_LT(A(plain.at(0, 0)), 255);   // rounded corners
  EXPECT_LT(A(plain.at(282, 29)), 255);
  ExpectButtonLook(plain, kUndoButton, nullptr, Frame(ImageSet::kIconUndo, 1), "undo greyed");

  // The current tool's button is drawn pressed; the others stay plain.
  bar_.SetCurrentTool(1);
  Image bar = Composed();
  EXPECT_GT(ExpectButtonLook(bar, kRectangleButton, &pressed, rectangle, "current tool"), 100);
  for (int y = kEllipseButton.top; y < kEllipseButton.bottom; ++y)
    for (int x = kEllipseButton.left; x < kMosaicButton.right; ++x)
      ASSERT_EQ(bar.at(x, y), plain.at(x, y)) << x << "," << y;

  // Hovering it shows the hover frame instead (the two frames differ visibly).
  SendMessageW(bar_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
  bar = Composed();
  EXPECT_GT(ExpectButtonLook(bar, kRectangleButton, &hover, rectangle, "hovered tool"), 100);
  EXPECT_NE(Over(hover.at(12, 1), plain.at(19, 3)), Over(pressed.at(12, 1), plain.at(19, 3)));

  // Disabled, it shows only its greyed icon.
  bar_.EnableCommand(41001, FALSE);
  bar = Composed();
  ExpectButtonLook(bar, kRectangleButton, nullptr, rectangle_grey, "disabled tool");
  bar_.EnableCommand(41001, TRUE);
  SendMessageW(bar_.hwnd(), WM_MOUSELEAVE, 0, 0);

  // Checking a tool other than mosaic leaves it unchecked: still the current-tool look.
  bar_.SetToolChecked(41001, TRUE);
  EXPECT_EQ(bar_.button_manager().GetButtonState(bar_.button_manager().FindButton(41001)), 0u);
  bar = Composed();
  EXPECT_GT(ExpectButtonLook(bar, kRectangleButton, &pressed, rectangle, "checked rect"), 100);

  // Mosaic current: pressed; checked, it loses the current-tool look.
  const Image mosaic = Frame(ImageSet::kIconMosaic, 0);
  bar_.SetCurrentTool(9);
  bar = Composed();
  EXPECT_GT(ExpectButtonLook(bar, kMosaicButton, &pressed, mosaic, "mosaic current"), 100);
  ExpectButtonLook(bar, kRectangleButton, nullptr, rectangle, "rectangle no longer current");
  bar_.SetToolChecked(41017, TRUE);
  EXPECT_EQ(bar_.button_manager().GetButtonState(bar_.button_manager().FindButton(41017)),
            CInplaceButtonManager::kStateChecked);
  bar = Composed();
  ExpectButtonLook(bar, kMosaicButton, nullptr, mosaic, "mosaic checked");
  bar_.SetToolChecked(41017, FALSE);

  // Undo enabled shows its coloured icon; the finish button hovers with its own wide frame.
  bar_.EnableCommand(41008, TRUE);
  SendMessageW(bar_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(240, 15));
  bar = Composed();
  ExpectButtonLook(bar, kUndoButton, nullptr, Frame(ImageSet::kIconUndo, 0), "undo");
  const Image finish_hover = Frame(ImageSet::kFinishHighlight, 0);
  ASSERT_EQ(finish_hover.width, 52);
  EXPECT_GT(ExpectButtonLook(bar, kFinishButton, &finish_hover, Frame(ImageSet::kIconFinish, 0),
                             "finish hovered"),
            300);
}

TEST_F(SnapshotToolbarTest, QuickSecondClickIsAClickToo) {
  ShowAt(300, 400);
  bar_.EnableCommand(41008, TRUE);
  MoveTo(300 + 160, 400 + 15);  // undo
  Press();
  Release();
  Press();  // within the double-click time: arrives as a double click
  Release();
  EXPECT_EQ(bar_.commands, (std::vector<UINT>{41008, 41008}));
  // The same on the background starts a drag.
  MoveTo(300 + 3, 400 + 15);
  Press();
  Release();
  Press();
  EXPECT_TRUE(bar_.dragging());
  MoveTo(300 + 3 + 40, 400 + 15);
  Release();
  EXPECT_EQ(WindowRect(bar_.hwnd()).left, 340);
  EXPECT_EQ(bar_.commands.size(), 2u);
}

TEST_F(SnapshotToolbarTest, TheButtonUnderThePointerGivesTheTooltipItsText) {
  CreateToolTipWindow();
  CToolTipWindow* tip = GetToolTipWindow();
  ASSERT_NE(tip, nullptr);
  ShowAt(300, 400);
  MoveTo(300 + 15, 400 + 15);
  EXPECT_EQ(tip->state(), 1);  // waiting for the show delay
  EXPECT_STREQ(tip->text(), L"添加矩形");
  MoveTo(300 + 110, 400 + 15);
  EXPECT_STREQ(tip->text(), L"选择区域进行模糊");
  MoveTo(300 + 250, 400 + 15);
  EXPECT_STREQ(tip->text(), L"复制到剪贴板");
  // While a button holds the capture no other tooltip is asked for (and the press, released on
  // another button, sends nothing).
  Press();
  MoveTo(300 + 186, 400 + 15);
  EXPECT_STREQ(tip->text(), L"复制到剪贴板");
  Release();
  // The pointer stays on the save button: its text shows after the delay.
  MoveTo(300 + 187, 400 + 16);
  EXPECT_STREQ(tip->text(), L"保存截图");
  Pump(1200);
  EXPECT_EQ(tip->state(), 2);
  DestroyToolTipWindow();
  EXPECT_EQ(GetToolTipWindow(), nullptr);
  // Without a tooltip the bar goes on as before.
  MoveTo(300 + 40, 400 + 15);
  Press();
  Release();
  EXPECT_EQ(bar_.commands, (std::vector<UINT>{41002}));
}

// The pixels of button |index| (0 rectangle ... 8 exit) of a composed bar: its 24 x 26 cell.
std::vector<uint32_t> ButtonCell(const Image& bar, int index) {
  std::vector<uint32_t> cell;
  for (int y = 2; y < 28; ++y)
    for (int x = 7 + 24 * index; x < 7 + 24 * (index + 1); ++x) cell.push_back(bar.at(x, y));
  return cell;
}

// The three looks a button can have side by side, and a picture of them for people to look at
// (written to $LUMETTA_ARTIFACTS or /tmp).
TEST_F(SnapshotToolbarTest, PictureOfTheBarWithTheRectangleToolAndUndoDisabled) {
  bar_.SetCurrentTool(1);
  SendMessageW(bar_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(187, 15));  // hovering save
  const Image bar = Composed();
  ASSERT_EQ(bar.width, 283);
  // Pressed (the current tool), hovered (save) and plain buttons all look different, and two
  // plain buttons' backgrounds are the same: compare the cells' top rows, above every icon.
  auto top_rows = [&](int index) {
    std::vector<uint32_t> cell = ButtonCell(bar, index);
    return std::vector<uint32_t>(cell.begin(), cell.begin() + 24 * 3);
  };
  EXPECT_NE(top_rows(0), top_rows(2)) << "the current tool is not drawn pressed";
  EXPECT_NE(top_rows(7), top_rows(2)) << "the hovered button is not drawn hot";
  EXPECT_NE(top_rows(0), top_rows(7)) << "pressed and hot look alike";
  EXPECT_EQ(top_rows(1), top_rows(2));
  // Undo is disabled: its greyed icon differs from the enabled one.
  bar_.EnableCommand(41008, TRUE);
  const std::vector<uint32_t> enabled_undo = ButtonCell(Composed(), 6);
  EXPECT_NE(ButtonCell(bar, 6), enabled_undo) << "undo is not drawn greyed";
  const std::wstring path = SavePicture(bar, L"snapshot_toolbar.png", 3, 12);
  EXPECT_FALSE(path.empty());
  printf("tool bar picture: %ls\n", path.c_str());
}

TEST(SnapshotToolbarLifetime, DestroyingTheWindowOrTheObjectLeavesNothingBehind) {
  auto* bar = new RecordingToolbar;
  ASSERT_TRUE(bar->Create(nullptr));
  HWND first = bar->hwnd();
  DestroyWindow(first);
  EXPECT_EQ(bar->hwnd(), nullptr);
  EXPECT_EQ(bar->button_manager().first(), nullptr);  // buttons removed with the window
  bar->Paint();                                       // nothing to paint on: no effect
  bar->EnableCommand(41008, TRUE);
  LayeredSurface surface;
  EXPECT_FALSE(bar->Compose(surface));
  // The object can make a new window, and deleting it takes the window along.
  ASSERT_TRUE(bar->Create(nullptr));
  HWND second = bar->hwnd();
  EXPECT_NE(bar->button_manager().FindButton(41001), nullptr);
  delete bar;
  EXPECT_FALSE(IsWindow(second));
}

}  // namespace
