// The overlay's pixel store: the dimmed layer, the selection's hole, frame and handles, and the
// window highlight, updated in place with the touched area reported for a partial present.
//
// Store layout: rows of cx + 9 pixels of which the first cx are shown, cy shown rows followed by
// 9 spare rows, and 9 spare pixels after the last row of the block. The spare columns and rows
// are filled with the dimmed value once and never written again (frame, handles and highlight
// are limited to the shown area), so their content is always kOverlayDim; the 9 trailing pixels
// are never written at all.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "screenshot/base/geometry.h"

constexpr uint32_t kOverlayDim = 0x60000000;   // black, alpha 0x60
constexpr uint32_t kOverlayHole = 0x04000000;  // alpha 4: still catches the mouse
constexpr uint32_t kFrameColour = 0xFF02A9FF;  // RGB(2, 169, 255), opaque
constexpr int kOverlaySpare = 9;
constexpr int kHandleSize = 5;
constexpr int kHandleCount = 8;
constexpr int kHandlePixelCount = kHandleCount * kHandleSize * kHandleSize;  // 200

enum class RowOrder { TopDown, BottomUp };

// Bytes of the store for a cx by cy capture: ((cx + 9) * (cy + 9) + 9) * 4. Zero when cx or cy
// is not positive or the size does not fit this process's address space.
std::size_t OverlayStoreBytes(int cx, int cy);

// A view over a caller's block of OverlayStoreBytes(cx, cy) bytes: (cx + 9) by (cy + 9) pixels,
// the row step being cx + 9 pixels. TopDown: row 0 at the start of the block (a top-down DIB
// of width cx + 9 and height cy + 9 over the block). BottomUp: row cy + 8 at the start of the
// block and row 0 at the end, before the 9 trailing pixels (a bottom-up DIB of the same size);
// the row step is then negative. An empty view when the size is not usable.
PixelView OverlayStoreView(void* block, int cx, int cy, RowOrder order);

class OverlayPixels {
 public:
  OverlayPixels() = default;
  // `store` must hold at least cx by cy pixels (normally the view of OverlayStoreView). With a
  // smaller store or a capture of zero size every operation does nothing and returns {}.
  OverlayPixels(const PixelView& store, int cx, int cy);

  int cx() const { return cx_; }
  int cy() const { return cy_; }
  // The cx by cy part that the overlay window shows (for blending board layers and the caret).
  PixelView shown() const;
  // The current selection; empty when there is none.
  const Rect& selection() const { return selection_; }
  // The 8 x 25 positions of the handle squares last drawn (squares run row by row, in the order
  // top-left, top, top-right, left, right, bottom-left, bottom, bottom-right); only those inside
  // the shown area were painted. Valid while a selection exists.
  const std::array<Point, kHandlePixelCount>& handle_pixels() const { return handles_; }

  // Every operation below returns the rectangle it touched (capture coordinates, within
  // 0..cx, 0..cy; {} when nothing changed), to be presented; a caller that does not present
  // at once must collect them until it does.

  // Dims the whole store (spare area included) and forgets the selection.
  Rect FillDimmed();
  // Dims or punches (sets to the hole value) a rectangle, clipped to the shown area. Neither
  // changes the selection.
  Rect Dim(const Rect& r);
  Rect Punch(const Rect& r);
  // Makes `n` (clipped to the capture) the selection and updates the pixels: with no selection a
  // positive `n` is punched and framed; a zero-size `n` removes the selection; an equal one
  // changes nothing; one sharing a vertical and a horizontal edge with the old selection, or
  // any `n` when is_move is set, is updated incrementally (only the strips between the old and
  // new edges, the old frame and the old handle pixels are rewritten); otherwise the old
  // selection is dimmed and `n` punched. Always the same pixels as RedrawAll would give.
  Rect ApplySelection(const Rect& n, bool is_move);
  // Dims the selection grown by 3 (frame and handles included) and leaves no selection.
  Rect RemoveSelection();
  // Repaints the whole store from the selection: dimmed, hole, frame and handles.
  Rect RedrawAll();

  // Window highlight. Undoes a highlight: dims the window's rectangle grown by 5 to the left and
  // top and by 4 to the right and bottom.
  Rect DimWindowHighlight(const Rect& window);
  // Punches the window's rectangle and draws a 4-pixel frame in the frame colour: rows t-3..t
  // and b..b+3, columns l-3..l and r..r+3, where l, t are at least 1 and r, b at most cx-2,
  // cy-2. Does nothing for a rectangle that does not meet the capture.
  Rect HighlightWindow(const Rect& window);

 private:
  bool usable() const { return store_.top_row != nullptr && cx_ > 0 && cy_ > 0; }
  // Fills r clipped to the shown area and adds it to the dirty rectangle.
  void Fill(const Rect& r, uint32_t value);
  // Fills r (clipped) with the hole value where it lies in `inside`, dimmed elsewhere.
  void FillSplit(const Rect& r, const Rect& inside);
  void FrameLines(const Rect& selection, uint32_t value);
  void DrawFrameAndHandles(const Rect& selection);
  // Puts the remembered handle pixels back: hole inside `inside`, dimmed elsewhere.
  void EraseHandles(const Rect& inside);
  void RemoveNow();
  void Touch(const Rect& clipped) { dirty_ = UnionOf(dirty_, clipped); }

  PixelView store_;
  int cx_ = 0;
  int cy_ = 0;
  Rect selection_;
  std::array<Point, kHandlePixelCount> handles_{};
  bool has_handles_ = false;
  Rect dirty_;
};
