// The text tool on the board: the box opens clamped inside the board with its backdrop and
// caret, typing shows at once and wraps, the keys edit, the box moves and its width is pulled,
// undo steps back one typing run at a time, closing makes one text object that undoes as a
// whole and is composed, and an input method's composition shows in the box.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "win/support/test_board.h"
#include "win/support/test_ime.h"

namespace {

using testboard::BoardTest;
using testime::FakeIme;

constexpr COLORREF kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
constexpr uint32_t kBlueArgb = 0xFF0000FF;
// White premultiplied at alpha 0xF0: each channel 255 * 240 >> 8.
constexpr uint32_t kBackdrop = 0xF0EFEFEF;

class BoardText : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    board_.SetTool(kToolText);
    board_.SetTextColors(kBlue, kWhite);
  }
  void TearDown() override {
    CScrawlBoard::CInplaceEditBox::SetIme(nullptr);
    BoardTest::TearDown();
  }
  CScrawlBoard::CInplaceEditBox* Box() { return board_.text_box(); }
  // Runs what the box posted to itself (the redraw).
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(Box()->edit_window(), WM_CHAR, c, 0);
    Pump();
  }
  void Key(UINT vk) {
    SendMessageW(Box()->edit_window(), WM_KEYDOWN, vk, 0);
    Pump();
  }
  std::wstring Text() {
    std::wstring s;
    for (const TextCell& c : Box()->content().cells) s.push_back(static_cast<wchar_t>(c.code));
    return s;
  }
  // How many pixels of `layer` inside `r` (clipped to the board) are exactly `argb`.
  static int Count(const BoardLayer& layer, const Rect& r, uint32_t argb) {
    int n = 0;
    const Rect c = Intersection(r, Rect{0, 0, kWidth, kHeight});
    for (int y = c.top; y < c.bottom; ++y)
      for (int x = c.left; x < c.right; ++x) n += At(layer, x, y) == argb;
    return n;
  }
};

TEST_F(BoardText, OpensClampedWithBackdropFrameAndCaret) {
  Press(0, 0);
  ASSERT_TRUE(board_.IsTextEditing());
  EXPECT_EQ(Box()->origin(), (Point{8, 6}));
  ASSERT_FALSE(board_.text_editing.empty());
  EXPECT_TRUE(board_.text_editing.back());
  EXPECT_TRUE(board_.shown_overlay);
  // An empty box: the frame is 2H wide and one line high; the backdrop reaches 8 pixels left
  // and right, 6 above and 8 below it.
  const int h = Box()->line_height();
  ASSERT_GT(h, 4);
  EXPECT_EQ(Box()->box_rect(), (Rect{8, 6, 8 + 2 * h, 6 + h}));
  EXPECT_EQ(At(board_.overlay_layer(), 1, 0), kBackdrop);              // away from the knobs
  EXPECT_EQ(At(board_.overlay_layer(), 8 + h, 6 + h / 2), kBackdrop);  // inside
  EXPECT_EQ(At(board_.overlay_layer(), 8 + 2 * h + 8, 6 + h), 0u);     // beyond the right
  EXPECT_EQ(At(board_.overlay_layer(), 8 + h, 6 + h + 8), 0u);         // beyond the bottom
  // The caret at the start, H high, H / 10 + 1 wide.
  ASSERT_FALSE(board_.carets.empty());
  const RECT c = board_.carets.back();
  EXPECT_EQ(c.left, 8);
  EXPECT_EQ(c.top, 6);
  EXPECT_EQ(c.right - c.left, h / 10 + 1);
  EXPECT_EQ(c.bottom - c.top, h);
  // An empty box cannot be resized: its edge is a move handle.
  EXPECT_EQ(Box()->HitTest(Point{8 + 2 * h + 10, 6 + h / 2}), kHitMove);
  // A box opened at the bottom-right corner stays 8 and 6 pixels inside.
  board_.Undo();
  EXPECT_FALSE(board_.IsTextEditing());
  Press(kWidth - 1, kHeight - 1);
  EXPECT_EQ(Box()->origin(), (Point{kWidth - 8, kHeight - 6}));
}

TEST_F(BoardText, TypingShowsWrapsAndTheKeysEdit) {
  Press(20, 20);
  Type(L"Hello");
  EXPECT_EQ(Text(), L"Hello");
  const Rect one = Box()->box_rect();
  EXPECT_TRUE(Box()->resizable());
  EXPECT_GT(Count(board_.overlay_layer(), one, kBlueArgb), 10);  // the glyphs, in blue
  // The caret follows the text.
  EXPECT_GT(board_.carets.back().left, 20);
  // A long line wraps inside the space left: more lines, the right edge within the board.
  Type(L" the quick brown fox jumps over the lazy dog");
  const Rect wrapped = Box()->box_rect();
  EXPECT_GE(wrapped.Height(), 2 * one.Height());
  EXPECT_LE(wrapped.right, kWidth - 8);
  // Enter, then Backspace: the line break goes again.
  const size_t n = Text().size();
  Type(L"\r");
  EXPECT_EQ(Text().back(), L'\n');
  Type(L"\b");
  EXPECT_EQ(Text().size(), n);
  // Left twice, Delete: the character before the last goes.
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_DELETE);
  EXPECT_EQ(Text().substr(Text().size() - 2), L"dg");
  // Escape and control characters are no text.
  Type(std::wstring(L"\x1b\x03"));
  EXPECT_EQ(Text().size(), n - 1);
}

TEST_F(BoardText, UndoStepsBackOneTypingRunAndTheClosedTextAsAWhole) {
  Press(20, 20);
  Type(L"Hello world");
  // The box's opening and three typing runs: the first word, the space, the second word.
  EXPECT_EQ(RecordCount(), 4);
  board_.Undo();
  EXPECT_EQ(Text(), L"Hello ");
  board_.Undo();
  EXPECT_EQ(Text(), L"Hello");
  board_.Undo();
  EXPECT_TRUE(board_.IsTextEditing());
  EXPECT_EQ(Text(), L"");
  board_.Undo();
  EXPECT_FALSE(board_.IsTextEditing());
  EXPECT_FALSE(board_.CanUndo());
  EXPECT_EQ(ObjectCount(), 0);

  // Typed again and closed by a press elsewhere: one text object, one record.
  Press(20, 20);
  Type(L"Hello world");
  const Rect box = Box()->box_rect();
  Press(150, 130);
  EXPECT_FALSE(board_.IsTextEditing());
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(Last()->kind, kObjectText);
  EXPECT_EQ(RecordCount(), 1);
  EXPECT_FALSE(board_.text_editing.back());
  // Drawn on the background in blue inside the box, nowhere else.
  EXPECT_GT(Count(board_.background_layer(), box, kBlueArgb), 10);
  EXPECT_EQ(Count(board_.background_layer(), Rect{0, 0, kWidth, kHeight}, kBlueArgb),
            Count(board_.background_layer(), box, kBlueArgb));
  board_.Undo();
  EXPECT_FALSE(Last()->IsLive());
  EXPECT_EQ(Count(board_.background_layer(), box, kBlueArgb), 0);
  board_.Redo();
  EXPECT_TRUE(Last()->IsLive());
  EXPECT_GT(Count(board_.background_layer(), box, kBlueArgb), 10);
}

TEST_F(BoardText, ANewBoxClosedEmptyLeavesNothing) {
  Press(20, 20);
  Press(150, 130);  // closes it
  EXPECT_FALSE(board_.IsTextEditing());
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_FALSE(board_.CanUndo());
}

TEST_F(BoardText, MovedPastTheCornerStaysInsideAndWidthPulledToOnePixel) {
  Press(20, 20);
  Type(L"ab");
  Rect r = Box()->box_rect();
  const int cx = (r.left + r.right) / 2;
  // The grip above the box, dragged far past the bottom-right corner.
  ASSERT_EQ(Box()->HitTest(Point{cx, r.top - 20}), kHitMove);
  Drag(cx, r.top - 20, cx + 500, r.top + 500);
  r = Box()->box_rect();
  EXPECT_EQ(r.right, kWidth - 8);
  EXPECT_EQ(r.bottom, kHeight - 6);
  const int records = RecordCount();
  // Undo puts it back where it was (the move is one step of its own).
  board_.Undo();
  EXPECT_EQ(Box()->origin(), (Point{20, 20}));
  EXPECT_EQ(RecordCount(), records);
  // The right edge pulled left past the left edge: 1 pixel wide.
  r = Box()->box_rect();
  ASSERT_EQ(Box()->HitTest(Point{r.right + 5, (r.top + r.bottom) / 2}), kHitRight);
  Drag(r.right + 5, (r.top + r.bottom) / 2, r.left - 50, (r.top + r.bottom) / 2);
  EXPECT_EQ(Box()->box_rect().Width(), 1);
}

TEST_F(BoardText, TheMenuOnTheBoxDeletesItsTextAndElsewhereKeepsIt) {
  Press(20, 20);
  Type(L"ab");
  const Rect r = Box()->box_rect();
  // On the box: the menu, the box open meanwhile; its delete keeps the text as an object and
  // deletes that, one undo step each.
  bool could_delete = false;
  board_.on_menu = [&] {
    EXPECT_TRUE(board_.IsTextEditing());
    could_delete = board_.CanDelete();
    board_.Delete();
  };
  Send(WM_RBUTTONDOWN, r.left + 1, r.top + 1);
  EXPECT_EQ(board_.menus.size(), 1u);
  EXPECT_TRUE(could_delete);
  EXPECT_FALSE(board_.IsTextEditing());
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_FALSE(Last()->IsLive());
  EXPECT_EQ(RecordCount(), 2);
  board_.Undo();
  EXPECT_TRUE(Last()->IsLive());
  // Elsewhere: the open box closes with its text before the menu.
  board_.on_menu = nullptr;
  Press(120, 100);
  Type(L"cd");
  Send(WM_RBUTTONDOWN, 10, 140);
  EXPECT_FALSE(board_.IsTextEditing());
  EXPECT_EQ(ObjectCount(), 2);
}

TEST_F(BoardText, CaretBlinksThroughTheTimer) {
  Press(20, 20);
  ASSERT_FALSE(board_.caret_phases.empty());
  EXPECT_TRUE(board_.caret_phases.back());
  const size_t before = board_.caret_phases.size();
  const DWORD until = GetTickCount() + 3000;
  while (board_.caret_phases.size() == before && GetTickCount() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    Pump();
  }
  ASSERT_GT(board_.caret_phases.size(), before);
  EXPECT_FALSE(board_.caret_phases[before]);  // the next tick hides it
  EXPECT_EQ(board_.carets[before].left, 20);
}

TEST_F(BoardText, ComposeDrawsTheOpenBoxContent) {
  Press(20, 20);
  Type(L"Hi there");
  const Rect box = Box()->box_rect();
  // Composed onto a white picture: blue inside the box, nothing blue outside it.
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
  void* bits = nullptr;
  ScopedBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(dib);
  std::memset(bits, 0xFF, static_cast<size_t>(kWidth) * kHeight * 4);
  ScopedDC dc(CreateCompatibleDC(nullptr));
  ScopedSelectObject sel(dc.get(), dib.get());
  board_.Compose(dc.get());
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  int inside = 0, outside = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if ((px[y * kWidth + x] & 0xFFFFFF) == 0x0000FF)
        ++(box.Contains(Point{x, y}) ? inside : outside);
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST_F(BoardText, AtCaretCompositionShowsInTheBoxAndItsResultIsTyped) {
  FakeIme ime;
  CScrawlBoard::CInplaceEditBox::SetIme(&ime);
  Press(20, 20);
  Type(L"ab");
  const HWND edit = Box()->edit_window();
  SendMessageW(edit, WM_IME_STARTCOMPOSITION, 0, 0);
  ASSERT_FALSE(board_.composing.empty());
  EXPECT_TRUE(board_.composing.back());
  // Two clauses: "ni" converted, "hao" the target.
  ime.composition = L"nihao";
  ime.attributes = {2, 2, 1, 1, 1};
  ime.clauses = {0, 2, 5};
  ime.cursor = 2;
  SendMessageW(edit, WM_IME_COMPOSITION, 0,
               GCS_COMPSTR | GCS_COMPATTR | GCS_COMPCLAUSE | GCS_CURSORPOS);
  Pump();
  EXPECT_TRUE(Box()->composing());
  EXPECT_EQ(Text(), L"ab");  // not typed yet
  // Shown in the box: the target clause underlined two rows thick in black at the line's
  // bottom; the candidate list is kept off it and the caret goes to its left end.
  const Rect r = Box()->box_rect();
  const int bottom = r.top + Box()->line_height();
  int black = 0;
  for (int x = r.left; x < r.right; ++x)
    black += At(board_.overlay_layer(), x, bottom - 1) == 0xFF000000u &&
             At(board_.overlay_layer(), x, bottom - 2) == 0xFF000000u;
  EXPECT_GT(black, 3);
  EXPECT_GE(ime.exclusions, 1);
  EXPECT_GT(board_.carets.back().left, 20);
  // The result comes in as typed text; the composition ends.
  ime.composition.clear();
  ime.result = L"nh";
  SendMessageW(edit, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
  SendMessageW(edit, WM_IME_ENDCOMPOSITION, 0, 0);
  Pump();
  EXPECT_EQ(Text(), L"abnh");
  EXPECT_FALSE(Box()->composing());
  EXPECT_FALSE(board_.composing.back());
}

TEST_F(BoardText, UndoDuringACompositionTakesItAsTypedFirst) {
  FakeIme ime;
  CScrawlBoard::CInplaceEditBox::SetIme(&ime);
  Press(20, 20);
  const HWND edit = Box()->edit_window();
  SendMessageW(edit, WM_IME_STARTCOMPOSITION, 0, 0);
  ime.composition = L"xy";
  SendMessageW(edit, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
  ASSERT_TRUE(Box()->composing());
  board_.Undo();
  // The composition became typing, which the undo took back: the box is open and empty, the
  // input method was told to cancel, and the composition is over.
  EXPECT_TRUE(board_.IsTextEditing());
  EXPECT_EQ(Text(), L"");
  EXPECT_GE(ime.cancels, 1);
  EXPECT_FALSE(board_.composing.back());
}

}  // namespace
