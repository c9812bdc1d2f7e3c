// The in-place text box's text without the window: cells, layout, caret, edits, typing runs and
// composition marks.
#include "screenshot/board/text_layout.h"

#include <algorithm>

std::vector<TextCell> WithoutFlags(std::vector<TextCell> cells) {
  for (TextCell& c : cells) c.soft_break = c.no_break = 0;
  return cells;
}

// ---- layout ------------------------------------------------------------------------------------

namespace {

// Where the line that starts at `begin` ends when cell `i` would pass the wrap width: after the
// line's last breakable blank, or before `i`.
int WrapPoint(const std::vector<TextCell>& cells, int begin, int i) {
  if (!IsBlank(cells[i].code)) {
    for (int j = i - 1; j >= begin; --j)
      if (IsBlank(cells[j].code) && !cells[j].no_break) return j + 1;
  }
  return i;
}

int WidthOf(const std::vector<TextCell>& cells, int begin, int end) {
  int w = 0;
  for (int i = begin; i < end; ++i)
    if (cells[i].code != kLineBreak) w += cells[i].advance;
  return w;
}

}  // namespace

TextLayout LayOutText(std::vector<TextCell>& cells, int limit_width, int limit_height,
                      int line_height) {
  TextLayout out;
  out.pitch = std::max(line_height, 1);
  for (TextCell& c : cells) {
    c.soft_break = 0;
    out.pitch = std::max(out.pitch, static_cast<int>(c.height));
  }
  const int wrap = std::max(1, limit_width - out.pitch / 3);
  const int n = static_cast<int>(cells.size());
  // Adds the line [begin, end) when it fits the height; false when it does not.
  auto add = [&](int begin, int end, bool hard) {
    const int bottom = (static_cast<int>(out.lines.size()) + 1) * out.pitch;
    if (bottom > limit_height) return false;
    out.lines.push_back(TextLine{begin, end, WidthOf(cells, begin, end), bottom, hard});
    return true;
  };
  int begin = 0, width = 0;
  bool fits = true;
  for (int i = 0; i < n && fits;) {
    const TextCell& c = cells[i];
    if (c.code == kLineBreak) {
      fits = add(begin, i + 1, true);
      begin = ++i;
      width = 0;
    } else if (i > begin && width + c.advance > wrap) {
      const int end = WrapPoint(cells, begin, i);
      fits = add(begin, end, false);
      cells[end].soft_break = 1;
      begin = i = end;
      width = 0;
    } else {
      width += c.advance;
      ++i;
    }
  }
  // The last line (empty after a line break or in an empty box) holds the caret.
  if (fits) add(begin, n, false);
  int widest = 0;
  for (const TextLine& l : out.lines) widest = std::max(widest, l.width);
  const int height = out.lines.empty() ? 0 : out.lines.back().bottom;
  out.size = Size{std::max(widest, 1) + out.pitch / 3, std::max(height, 1)};
  return out;
}

// ---- caret -------------------------------------------------------------------------------------

CaretSpot CaretSpotOf(const TextLayout& layout, const std::vector<TextCell>& cells, int index,
                      bool at_line_end) {
  const int count = static_cast<int>(layout.lines.size());
  for (int l = 0; l < count; ++l) {
    const TextLine& line = layout.lines[l];
    // The caret's last place on a line: before its line break, at its end when it is the last
    // line, else before the first cell of the next line (which is that line's place).
    const int last = line.ends_with_break ? line.end - 1 : line.end;
    const bool on_line =
        index >= line.begin &&
        (index < last || (index == last && (line.ends_with_break || l == count - 1)));
    if (!on_line) continue;
    if (at_line_end && l > 0 && index == line.begin && index < static_cast<int>(cells.size()) &&
        cells[index].soft_break && !layout.lines[l - 1].ends_with_break) {
      const TextLine& before = layout.lines[l - 1];
      return CaretSpot{l - 1, before.width, before.bottom - layout.pitch};
    }
    return CaretSpot{l, WidthOf(cells, line.begin, index), line.bottom - layout.pitch};
  }
  return CaretSpot{};
}

CaretPlace CaretFromPoint(const TextLayout& layout, const std::vector<TextCell>& cells, Point p,
                          int available_width, int caret_width) {
  const TextLine* line = nullptr;
  for (const TextLine& l : layout.lines) {
    if (l.bottom > p.y) {
      line = &l;
      break;
    }
  }
  if (!line) return CaretPlace{};
  int acc = 0;
  for (int i = line->begin; i < line->end; ++i) {
    const TextCell& c = cells[i];
    if (c.code == kLineBreak || p.x < acc + c.advance / 2) return CaretPlace{i, true};
    if (p.x < acc + c.advance) {
      if (acc + c.advance + caret_width > available_width) return CaretPlace{i, true};
      return CaretPlace{i + 1, false};
    }
    acc += c.advance;
  }
  return CaretPlace{line->end, true};
}

CaretPlace CaretOnNextLine(const TextLayout& layout, const std::vector<TextCell>& cells, int index,
                           bool at_line_end, int lines, int available_width, int caret_width) {
  if (layout.lines.empty()) return CaretPlace{};
  const CaretSpot spot = CaretSpotOf(layout, cells, index, at_line_end);
  if (spot.line < 0) {
    const TextLine& last = layout.lines.back();
    return CaretPlace{last.ends_with_break ? last.end - 1 : last.end, true};
  }
  const int target = spot.line + lines;
  if (target < 0 || target >= static_cast<int>(layout.lines.size())) return CaretPlace{};
  const int top = layout.lines[target].bottom - layout.pitch;
  return CaretFromPoint(layout, cells, Point{spot.x, top}, available_width, caret_width);
}

// ---- editing -----------------------------------------------------------------------------------

bool TextContent::Insert(TextCell cell) {
  if (static_cast<int>(cells.size()) >= kMaxTextCells) return false;
  caret = std::min(std::max(caret, 0), static_cast<int>(cells.size()));
  cell.soft_break = 0;
  cell.no_break = 0;
  if (cell.code != kLineBreak) {
    const bool at_soft_end =
        at_line_end && caret < static_cast<int>(cells.size()) && cells[caret].soft_break;
    const bool after_no_break = caret > 0 && cells[caret - 1].no_break;
    if (at_soft_end || after_no_break) cell.no_break = 1;
  }
  cells.insert(cells.begin() + caret, cell);
  ++caret;
  return true;
}

bool TextContent::Backspace() {
  if (caret <= 0 || caret > static_cast<int>(cells.size())) return false;
  cells.erase(cells.begin() + caret - 1);
  --caret;
  return true;
}

bool TextContent::DeleteForward() {
  if (caret < 0 || caret >= static_cast<int>(cells.size())) return false;
  cells.erase(cells.begin() + caret);
  return true;
}

void TextContent::MoveCaret(int step) {
  caret = std::min(std::max(caret + step, 0), static_cast<int>(cells.size()));
  at_line_end = true;
}

bool MergesIntoRun(const TypingRun& run, TypingKind kind, uint16_t code, int64_t now_ms,
                   bool composing) {
  if (now_ms - run.time_ms > kTypingMergeMs) return false;
  if (kind != run.kind) return false;
  if (kind != kTypingChar) return true;
  return !composing && IsBlank(code) == IsBlank(run.last_char);
}

// ---- composition -------------------------------------------------------------------------------

std::vector<uint8_t> FilledAttributes(const std::vector<uint8_t>& got, int length) {
  std::vector<uint8_t> out(got.begin(),
                           got.begin() + std::min<size_t>(got.size(), std::max(length, 0)));
  const bool any_other = std::any_of(out.begin(), out.end(), [](uint8_t a) { return a != 2; });
  out.resize(std::max(length, 0), any_other ? 2 : 0);
  return out;
}

std::vector<int> ClauseOffsets(const std::vector<int>& got, int length) {
  std::vector<int> out{0};
  for (int off : got)
    if (off > out.back() && off <= length) out.push_back(off);
  if (out.back() != length) out.push_back(length);
  return out;
}

CompositionMarks MarkComposition(const TextLayout& layout, const std::vector<TextCell>& display,
                                 int start, const std::vector<uint8_t>& attributes,
                                 const std::vector<int>& clauses, const Rect& caret_rect) {
  CompositionMarks out;
  const int length = static_cast<int>(attributes.size());
  for (size_t k = 0; k + 1 < clauses.size(); ++k) {
    // A clause is cut at line ends: one run per line it covers.
    int i = start + clauses[k];
    const int clause_end = start + clauses[k + 1];
    while (i < clause_end && i < layout.laid_out_end()) {
      const CaretSpot at = CaretSpotOf(layout, display, i, false);
      if (at.line < 0) break;
      const TextLine& line = layout.lines[at.line];
      const int run_end = std::min(clause_end, line.ends_with_break ? line.end - 1 : line.end);
      if (run_end <= i) break;
      const int right = at.x + WidthOf(display, i, run_end);
      out.runs.push_back(
          CompositionRun{attributes[i - start], Rect{at.x, at.top, right, line.bottom}});
      i = run_end;
    }
  }
  (void)length;
  const CompositionRun* target = nullptr;
  for (const CompositionRun& r : out.runs) {
    if (r.attribute != 1) continue;
    if (!target) target = &r;
    if (static_cast<int>(out.exclusions.size()) < kMaxExclusions) out.exclusions.push_back(r.rect);
  }
  if (target) {
    out.caret = CaretSpot{0, target->rect.left, target->rect.top};
  } else if (!out.runs.empty()) {
    const Rect& last = out.runs.back().rect;
    out.caret = CaretSpot{0, last.right, last.top};
    out.exclusions.push_back(last);
  } else {
    out.caret = CaretSpot{0, caret_rect.left, caret_rect.top};
    out.exclusions.push_back(caret_rect);
  }
  for (size_t l = 0; l < layout.lines.size(); ++l)
    if (layout.lines[l].bottom - layout.pitch == out.caret.top)
      out.caret.line = static_cast<int>(l);
  return out;
}

void PaintCompositionMarks(const PixelView& view, const std::vector<CompositionRun>& runs) {
  auto row = [&view](int y, int from, int to, bool dashed) {
    if (y < 0 || y >= view.height) return;
    uint32_t* px = view.Row(y);
    for (int x = std::max(from, 0); x <= std::min(to, view.width - 1); ++x)
      px[x] = dashed && x % 3 == 0 ? 0xFFFFFFFFu : 0xFF000000u;
  };
  for (const CompositionRun& r : runs) {
    const int bottom = r.rect.bottom;
    if (r.attribute == 1) {
      row(bottom - 1, r.rect.left, r.rect.right - 3, false);
      row(bottom - 2, r.rect.left, r.rect.right - 3, false);
    } else if (r.attribute == 2) {
      row(bottom - 1, r.rect.left, r.rect.right - 3, false);
    } else {
      row(bottom - 1, r.rect.left, r.rect.right - 1, true);
    }
  }
}
