// The in-place text box's text without the window: the 12-byte character cell, layout with word
// wrap, the caret (index <-> position, from a point, up and down), editing with the cell limit,
// the rule that merges typing into one undo step, and the marks of an input-method composition.
#pragma once

#include <cstdint>
#include <vector>

#include "screenshot/base/geometry.h"

// One character of the box or of a text object.
struct TextCell {
  int32_t advance = 0;     // width in pixels as measured in the box font
  int32_t height = 0;      // measured height in pixels
  uint8_t soft_break = 0;  // word wrap starts a new line at this cell
  uint8_t no_break = 0;    // a blank carrying it is no place to wrap
  uint16_t code = 0;       // the UTF-16 code unit; kLineBreak for Enter
};
static_assert(sizeof(TextCell) == 12, "a cell is 12 bytes, as records and objects keep them");

constexpr uint16_t kLineBreak = 10;
constexpr int kMaxTextCells = 3000;

inline bool IsBlank(uint16_t code) { return code == ' ' || code == '\t'; }

// The cells with both flags cleared, as records and text objects keep them.
std::vector<TextCell> WithoutFlags(std::vector<TextCell> cells);

// One laid-out line: cells [begin, end) (a line break cell ends its line and belongs to it),
// the sum of their advances (line breaks count 0) and the line's bottom from the box top.
struct TextLine {
  int begin = 0;
  int end = 0;
  int width = 0;
  int bottom = 0;
  bool ends_with_break = false;
};

struct TextLayout {
  int pitch = 0;  // the line pitch: the tallest cell, at least the font's line height
  std::vector<TextLine> lines;
  Size size;  // the laid-out size: widest line (at least 1) + pitch / 3, total height (at least 1)
  // The cell count laid out (cells past it lie beyond the height and are not drawn).
  int laid_out_end() const { return lines.empty() ? 0 : lines.back().end; }
};

// Lays `cells` out within limit_width x limit_height with line height `line_height`: lines end
// after a line break; a cell that would pass the wrap width (limit width - pitch / 3, at least
// 1) starts a new line, after the last blank of the line without the no-break flag, or, with
// none (or when the overflowing cell is itself a blank), before it. The first cell of every
// wrapped line gets the soft-break flag (every other flag of it is cleared first). Lines whose
// bottom would pass the limit height are left out.
TextLayout LayOutText(std::vector<TextCell>& cells, int limit_width, int limit_height,
                      int line_height);

// Where the caret of index `index` is: its line (-1: beyond the laid-out lines), x from the
// line's left and the line's top. With `at_line_end` an index on a soft break is the end of the
// line before.
struct CaretSpot {
  int line = -1;
  int x = 0;
  int top = 0;
};
CaretSpot CaretSpotOf(const TextLayout& layout, const std::vector<TextCell>& cells, int index,
                      bool at_line_end);

// The caret index a point (box coordinates) puts the caret at, and the at-line-end preference it
// sets; index -1 when no laid-out line lies under the point. A point in a cell's right half
// goes after the cell unless the caret would then pass `available_width`.
struct CaretPlace {
  int index = -1;
  bool at_line_end = false;
};
CaretPlace CaretFromPoint(const TextLayout& layout, const std::vector<TextCell>& cells, Point p,
                          int available_width, int caret_width);
// The caret one line up (lines = -1) or down (+1) at the caret's x; none (index -1) at the first
// or last line. A caret beyond the laid-out text goes to the end of the last laid-out line.
CaretPlace CaretOnNextLine(const TextLayout& layout, const std::vector<TextCell>& cells, int index,
                           bool at_line_end, int lines, int available_width, int caret_width);

// What the box holds while it edits: cells, caret index (0..count) and the at-line-end
// preference. Every edit answers whether it changed anything.
struct TextContent {
  std::vector<TextCell> cells;
  int caret = 0;
  bool at_line_end = false;

  // Inserts `cell` at the caret (refused at kMaxTextCells); a cell other than a line break
  // takes the no-break flag when the caret sits at a line end on a soft break, or follows a
  // cell that has it: text typed at the end of a wrapped line stays on that line.
  bool Insert(TextCell cell);
  bool Backspace();
  bool DeleteForward();
  // Left (-1) or Right (+1), within 0..count; sets the at-line-end preference.
  void MoveCaret(int step);
};

// The typing-record merge rule: a key comes into the newest typing record instead of a new one
// when it comes within 500 ms of the record's time and is a Backspace after Backspaces, a Delete
// after Deletes, or, with no composition in progress, a character after characters where both
// are blanks or both are not.
enum TypingKind { kTypingChar = 0, kTypingBackspace = 1, kTypingDelete = 2 };
struct TypingRun {
  TypingKind kind = kTypingChar;
  uint16_t last_char = 0;
  int64_t time_ms = 0;
};
constexpr int64_t kTypingMergeMs = 500;
bool MergesIntoRun(const TypingRun& run, TypingKind kind, uint16_t code, int64_t now_ms,
                   bool composing);

// ---- input-method composition ----

// The attributes of a composition of `length` characters from the `got` ones the input method
// gave: the missing ones are 2 (converted) when any given one differs from 2, else 0.
std::vector<uint8_t> FilledAttributes(const std::vector<uint8_t>& got, int length);
// The clause offsets (ascending, from 0 to length); one clause over the whole string when the
// input method gave none or nonsense (offsets outside 0..length or going back are dropped).
std::vector<int> ClauseOffsets(const std::vector<int>& got, int length);

// One run of the composition marks: a piece of a clause on one line, in text-layer pixels.
struct CompositionRun {
  uint8_t attribute = 0;
  Rect rect;  // left, line top, right, line bottom
};
struct CompositionMarks {
  std::vector<CompositionRun> runs;
  std::vector<Rect> exclusions;  // candidate exclusion areas, at most kMaxExclusions
  CaretSpot caret;               // where the caret goes (line -1: not laid out)
};
constexpr int kMaxExclusions = 32;
// The marks of a composition laid out at display cells [start, start + length) of `layout`:
// runs cut at the clause offsets and at line ends, each marked by its first character's
// attribute; attribute-1 runs are the exclusion areas and the caret goes to the left of the
// first one; with none, the caret goes to the right end of the last run, which is the only
// exclusion area (with no run at all, `caret_rect` is).
CompositionMarks MarkComposition(const TextLayout& layout, const std::vector<TextCell>& display,
                                 int start, const std::vector<uint8_t>& attributes,
                                 const std::vector<int>& clauses, const Rect& caret_rect);
// Draws the runs into 32-bit pixels (opaque): attribute 1 a black underline 2 rows thick,
// attribute 2 one black row, both from left to right - 3; others a row of black with white at
// every x that is a multiple of 3, from left to right - 1. Clipped to the view.
void PaintCompositionMarks(const PixelView& view, const std::vector<CompositionRun>& runs);
