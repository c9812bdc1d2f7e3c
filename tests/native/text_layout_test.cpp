// The text box's text without the window: word wrap and the no-break flag, lines past the
// height, the caret from an index, from a point and up and down, editing with the cell limit,
// the typing-record merge rule and the composition's marks, caret and exclusion areas.
#include "screenshot/board/text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every cell 10 pixels wide and 20 high, as a fixed-pitch font would measure it.
constexpr int kAdvance = 10, kLine = 20;

std::vector<TextCell> Cells(const std::u16string& text) {
  std::vector<TextCell> cells;
  for (char16_t c : text) cells.push_back(TextCell{kAdvance, kLine, 0, 0, c});
  return cells;
}

// The laid-out lines as text, line breaks shown as '|'.
std::vector<std::string> Lines(const TextLayout& layout, const std::vector<TextCell>& cells) {
  std::vector<std::string> out;
  for (const TextLine& l : layout.lines) {
    std::string s;
    for (int i = l.begin; i < l.end; ++i)
      s += cells[i].code == kLineBreak ? '|' : static_cast<char>(cells[i].code);
    out.push_back(s);
  }
  return out;
}

using Strings = std::vector<std::string>;

// A wrap width of 60 (six cells): limit 66 less pitch / 3 = 6.
constexpr int kLimit = 66;

TEST(TextLayout, WrapsAtTheLastBlankAndBreaksAWordWithoutOne) {
  auto cells = Cells(u"ab cd efgh");
  TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"ab cd ", "efgh"}));
  EXPECT_EQ(cells[6].soft_break, 1);
  EXPECT_EQ(layout.lines[1].bottom, 2 * kLine);
  // Widest line 60, plus pitch / 3; two lines high.
  EXPECT_EQ(layout.size, (Size{60 + kLine / 3, 2 * kLine}));

  cells = Cells(u"abcdefghij");
  layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"abcdef", "ghij"}));
  EXPECT_EQ(cells[6].soft_break, 1);

  // The overflowing cell is itself a blank: the line ends before it.
  cells = Cells(u"abcdef gh");
  layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"abcdef", " gh"}));
}

TEST(TextLayout, ABlankWithTheNoBreakFlagIsNoPlaceToWrap) {
  auto cells = Cells(u"ab cd efgh");
  cells[5].no_break = 1;  // the second blank
  TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"ab ", "cd efg", "h"}));
  cells[2].no_break = 1;  // both: the word is broken
  layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"ab cd ", "efgh"}));
}

TEST(TextLayout, LineBreaksEndLinesAndLinesPastTheHeightAreLeftOut) {
  auto cells = Cells(u"ab\n\ncd");
  TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"ab|", "|", "cd"}));
  // A trailing line break gives the caret an empty last line.
  cells = Cells(u"ab\n");
  layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"ab|", ""}));
  // Only two lines fit in 45 pixels; the rest is not laid out.
  cells = Cells(u"a\nb\nc\nd");
  layout = LayOutText(cells, kLimit, 45, kLine);
  EXPECT_EQ(Lines(layout, cells), (Strings{"a|", "b|"}));
  EXPECT_EQ(layout.laid_out_end(), 4);
  EXPECT_EQ(layout.size.height, 2 * kLine);
  // A tall cell makes the pitch for every line.
  cells = Cells(u"a\nb");
  cells[2].height = 31;
  layout = LayOutText(cells, kLimit, 1000, kLine);
  EXPECT_EQ(layout.pitch, 31);
  EXPECT_EQ(layout.lines[1].bottom, 62);
}

TEST(TextLayout, CaretSpotFollowsIndexAndLineEndPreference) {
  auto cells = Cells(u"ab cd efgh\nx");
  const TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  ASSERT_EQ(Lines(layout, cells), (Strings{"ab cd ", "efgh|", "x"}));
  auto spot = CaretSpotOf(layout, cells, 6, false);
  EXPECT_EQ(spot.line, 1);
  EXPECT_EQ(spot.x, 0);
  EXPECT_EQ(spot.top, kLine);
  spot = CaretSpotOf(layout, cells, 6, true);  // the soft break: the end of the line before
  EXPECT_EQ(spot.line, 0);
  EXPECT_EQ(spot.x, 60);
  spot = CaretSpotOf(layout, cells, 10, true);  // before the line break
  EXPECT_EQ(spot.line, 1);
  EXPECT_EQ(spot.x, 40);
  spot = CaretSpotOf(layout, cells, 11, true);  // after it: not a soft break
  EXPECT_EQ(spot.line, 2);
  EXPECT_EQ(spot.x, 0);
  EXPECT_EQ(CaretSpotOf(layout, cells, 12, false).x, 10);
}

TEST(TextLayout, CaretFromAPoint) {
  auto cells = Cells(u"abc\nde");
  const TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  // Left half of 'b' (10..19): before it; right half: after it.
  auto place = CaretFromPoint(layout, cells, Point{14, 5}, kLimit, 3);
  EXPECT_EQ(place.index, 1);
  EXPECT_TRUE(place.at_line_end);
  place = CaretFromPoint(layout, cells, Point{15, 5}, kLimit, 3);
  EXPECT_EQ(place.index, 2);
  EXPECT_FALSE(place.at_line_end);
  // Past the end of the first line: before its line break.
  EXPECT_EQ(CaretFromPoint(layout, cells, Point{50, 5}, kLimit, 3).index, 3);
  // Second line, past its end: the text's end.
  EXPECT_EQ(CaretFromPoint(layout, cells, Point{50, 25}, kLimit, 3).index, 6);
  // Below the last line: none.
  EXPECT_EQ(CaretFromPoint(layout, cells, Point{5, 40}, kLimit, 3).index, -1);
  // A caret after 'c' would not fit 31 pixels with its width 3: it goes before 'c'.
  place = CaretFromPoint(layout, cells, Point{27, 5}, 31, 3);
  EXPECT_EQ(place.index, 2);
}

TEST(TextLayout, UpAndDownKeepTheCaretsX) {
  auto cells = Cells(u"abcd\nef\nghij");
  const TextLayout layout = LayOutText(cells, kLimit, 1000, kLine);
  // From after 'c' (x 30) down: the second line is shorter, its end.
  auto place = CaretOnNextLine(layout, cells, 3, false, +1, kLimit, 3);
  EXPECT_EQ(place.index, 7);
  // From after 'e' (x 10) down: after 'g'... x 10 is the left half of 'h': before it.
  place = CaretOnNextLine(layout, cells, 6, false, +1, kLimit, 3);
  EXPECT_EQ(place.index, 9);
  place = CaretOnNextLine(layout, cells, 9, false, -1, kLimit, 3);
  EXPECT_EQ(place.index, 6);
  // Nothing above the first line or below the last.
  EXPECT_EQ(CaretOnNextLine(layout, cells, 2, false, -1, kLimit, 3).index, -1);
  EXPECT_EQ(CaretOnNextLine(layout, cells, 10, false, +1, kLimit, 3).index, -1);
  // A caret beyond the laid-out lines goes to the end of the last one.
  std::vector<TextCell> more = Cells(u"a\nb\nc");
  const TextLayout cut = LayOutText(more, kLimit, 45, kLine);
  EXPECT_EQ(CaretOnNextLine(cut, more, 5, false, -1, kLimit, 3).index, 3);
}

TEST(TextContent, EnterThenBackspaceAndTheCellLimit) {
  TextContent box;
  for (char16_t c : std::u16string(u"ab")) ASSERT_TRUE(box.Insert(TextCell{10, 20, 0, 0, c}));
  ASSERT_TRUE(box.Insert(TextCell{0, 20, 0, 0, kLineBreak}));
  EXPECT_EQ(box.cells.size(), 3u);
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.cells.size(), 2u);
  EXPECT_EQ(box.cells.back().code, u'b');
  EXPECT_EQ(box.caret, 2);
  // Nothing to delete after the end, nothing before the start.
  EXPECT_FALSE(box.DeleteForward());
  box.caret = 0;
  EXPECT_FALSE(box.Backspace());
  EXPECT_TRUE(box.DeleteForward());
  EXPECT_EQ(box.cells.size(), 1u);
  // 3000 cells and no more.
  box.cells.assign(kMaxTextCells - 1, TextCell{10, 20, 0, 0, u'x'});
  box.caret = 0;
  EXPECT_TRUE(box.Insert(TextCell{10, 20, 0, 0, u'y'}));
  EXPECT_FALSE(box.Insert(TextCell{10, 20, 0, 0, u'z'}));
  EXPECT_EQ(box.cells.size(), static_cast<size_t>(kMaxTextCells));
  EXPECT_EQ(box.cells.front().code, u'y');
  EXPECT_EQ(box.caret, 1);
  box.MoveCaret(-5);
  EXPECT_EQ(box.caret, 0);
  box.MoveCaret(+5000);
  EXPECT_EQ(box.caret, kMaxTextCells);
}

TEST(TextContent, TypingAtTheEndOfAWrappedLineKeepsItThere) {
  TextContent box;
  box.cells = Cells(u"ab cd efgh");
  LayOutText(box.cells, kLimit, 1000, kLine);
  box.caret = 6;
  box.at_line_end = true;
  ASSERT_TRUE(box.Insert(TextCell{10, 20, 0, 0, u' '}));
  EXPECT_EQ(box.cells[6].no_break, 1);
  ASSERT_TRUE(box.Insert(TextCell{10, 20, 0, 0, u'x'}));  // follows a no-break cell
  EXPECT_EQ(box.cells[7].no_break, 1);
  ASSERT_TRUE(box.Insert(TextCell{0, 20, 0, 0, kLineBreak}));  // a line break never takes it
  EXPECT_EQ(box.cells[8].no_break, 0);
  // Without the preference the same place is the start of the next line.
  TextContent other;
  other.cells = Cells(u"ab cd efgh");
  LayOutText(other.cells, kLimit, 1000, kLine);
  other.caret = 6;
  ASSERT_TRUE(other.Insert(TextCell{10, 20, 0, 0, u' '}));
  EXPECT_EQ(other.cells[6].no_break, 0);
  EXPECT_EQ(WithoutFlags(box.cells)[6].no_break, 0);
}

// Keys typed one after another at the given times; how many typing records they make.
int RecordsFor(const std::u16string& keys, const std::vector<int64_t>& times) {
  int records = 0;
  TypingRun run;
  bool have = false;
  for (size_t i = 0; i < keys.size(); ++i) {
    const char16_t k = keys[i];
    const TypingKind kind = k == u'\b' ? kTypingBackspace : k == 0x7F ? kTypingDelete : kTypingChar;
    if (!have || !MergesIntoRun(run, kind, k, times[i], false)) {
      ++records;
      have = true;
    }
    run = TypingRun{kind, k, times[i]};
  }
  return records;
}

TEST(TypingRuns, MergeRule) {
  // A word, a space and a word without pauses: three records.
  EXPECT_EQ(RecordsFor(u"ab cd", {0, 100, 200, 300, 400}), 3);
  // Pauses over 500 ms start a record each time; 500 exactly still merges.
  EXPECT_EQ(RecordsFor(u"abcd", {0, 501, 1002, 1502}), 3);
  // Backspaces merge with Backspaces, Deletes with Deletes, neither with characters.
  EXPECT_EQ(RecordsFor(u"ab\b\b", {0, 10, 20, 30}), 2);
  EXPECT_EQ(RecordsFor(u"\b\x7f\x7f"
                       u"a",
                       {0, 10, 20, 30}),
            3);
  // Two blanks in a row are one run; a composition in progress never merges characters.
  EXPECT_EQ(RecordsFor(u"a \t", {0, 10, 20}), 2);
  EXPECT_FALSE(MergesIntoRun(TypingRun{kTypingChar, u'a', 0}, kTypingChar, u'b', 10, true));
  EXPECT_TRUE(MergesIntoRun(TypingRun{kTypingBackspace, 8, 0}, kTypingBackspace, 8, 10, true));
}

TEST(Composition, AttributesAndClausesFromWhatTheInputMethodGives) {
  EXPECT_EQ(FilledAttributes({1, 1}, 4), (std::vector<uint8_t>{1, 1, 2, 2}));
  EXPECT_EQ(FilledAttributes({2}, 3), (std::vector<uint8_t>{2, 0, 0}));
  EXPECT_EQ(FilledAttributes({}, 2), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(FilledAttributes({0, 1, 2}, 2), (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(ClauseOffsets({}, 5), (std::vector<int>{0, 5}));
  EXPECT_EQ(ClauseOffsets({0, 2, 5}, 5), (std::vector<int>{0, 2, 5}));
  // Offsets going back or past the string are dropped; the end is always there.
  EXPECT_EQ(ClauseOffsets({0, 3, 2, 9}, 5), (std::vector<int>{0, 3, 5}));
}

TEST(Composition, MarksCaretAndExclusionAreas) {
  // "ab" typed, then a composition of 6 characters at the end: "ab" + "cdefgh" wraps after
  // "abcdef" (no blanks), so its second clause [2, 6) is cut at the line end.
  auto display = Cells(u"abcdefgh");
  const TextLayout layout = LayOutText(display, kLimit, 1000, kLine);
  const std::vector<uint8_t> attrs = {2, 2, 1, 1, 1, 1};
  const std::vector<int> clauses = {0, 2, 6};
  const Rect caret_rect{20, 0, 22, kLine};
  CompositionMarks m = MarkComposition(layout, display, 2, attrs, clauses, caret_rect);
  ASSERT_EQ(m.runs.size(), 3u);
  EXPECT_EQ(m.runs[0].attribute, 2);
  EXPECT_EQ(m.runs[0].rect, (Rect{20, 0, 40, kLine}));
  EXPECT_EQ(m.runs[1].attribute, 1);
  EXPECT_EQ(m.runs[1].rect, (Rect{40, 0, 60, kLine}));
  EXPECT_EQ(m.runs[2].rect, (Rect{0, kLine, 20, 2 * kLine}));
  // The target clause's pieces are the exclusion areas; the caret goes to its left end.
  EXPECT_EQ(m.exclusions, (std::vector<Rect>{Rect{40, 0, 60, kLine}, Rect{0, kLine, 20, 40}}));
  EXPECT_EQ(m.caret.x, 40);
  EXPECT_EQ(m.caret.top, 0);
  EXPECT_EQ(m.caret.line, 0);

  // No target clause: the caret at the last run's right end, which is the only area.
  m = MarkComposition(layout, display, 2, {0, 0, 0, 0, 0, 0}, {0, 6}, caret_rect);
  ASSERT_EQ(m.runs.size(), 2u);
  EXPECT_EQ(m.caret.x, 20);
  EXPECT_EQ(m.caret.line, 1);
  EXPECT_EQ(m.exclusions, (std::vector<Rect>{Rect{0, kLine, 20, 2 * kLine}}));
  // No run at all: the caret's rectangle.
  m = MarkComposition(layout, display, 8, {}, {0}, caret_rect);
  EXPECT_TRUE(m.runs.empty());
  EXPECT_EQ(m.exclusions, (std::vector<Rect>{caret_rect}));
}

TEST(Composition, MarkPixels) {
  std::vector<uint32_t> px(40 * 10, 0x12345678);
  const PixelView view{px.data(), 40, 40, 10};
  PaintCompositionMarks(
      view, {CompositionRun{1, Rect{0, 0, 10, 10}}, CompositionRun{2, Rect{10, 0, 20, 10}},
             CompositionRun{0, Rect{20, 0, 30, 10}}});
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * 40 + x]; };
  // Target converted: rows 8 and 9, x 0..7.
  for (int y : {8, 9}) {
    EXPECT_EQ(at(0, y), 0xFF000000u);
    EXPECT_EQ(at(7, y), 0xFF000000u);
    EXPECT_EQ(at(8, y), 0x12345678u);
  }
  EXPECT_EQ(at(0, 7), 0x12345678u);
  // Converted: row 9 only, x 10..17.
  EXPECT_EQ(at(10, 9), 0xFF000000u);
  EXPECT_EQ(at(17, 9), 0xFF000000u);
  EXPECT_EQ(at(18, 9), 0x12345678u);
  EXPECT_EQ(at(12, 8), 0x12345678u);
  // Input: row 9, x 20..29, white on multiples of 3.
  EXPECT_EQ(at(20, 9), 0xFF000000u);
  EXPECT_EQ(at(21, 9), 0xFFFFFFFFu);
  EXPECT_EQ(at(22, 9), 0xFF000000u);
  EXPECT_EQ(at(29, 9), 0xFF000000u);
  EXPECT_EQ(at(30, 9), 0x12345678u);
  // Clipped: a run past the view's edges writes nothing outside.
  PaintCompositionMarks(view, {CompositionRun{1, Rect{35, 0, 60, 10}}});
  EXPECT_EQ(at(39, 9), 0xFF000000u);
}

}  // namespace
