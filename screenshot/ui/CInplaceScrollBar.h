// CInplaceScrollBar: a windowless scroll bar hosted by a CInplaceItemContainer.
//
// Two arrows, a track and a thumb (scroll_bar_geometry.h has the layout). A press on an arrow
// steps by the arrow step and repeats after 500 ms every 50 ms while the arrow stays pressed; a
// press on the track jumps the thumb's middle to the pointer; the thumb can be dragged. Every
// change the user makes is reported to the owner through OnPositionChanged, then the host is
// asked to repaint, then the host window receives WM_VSCROLL (WM_HSCROLL when horizontal) with
// the scroll code in the low word of wParam and the new position in the high word: 0 a step back
// (up), 1 a step forward (down), 4 a track jump, 5 a thumb move.
//
// The base draws itself with the system's frame controls; owners with their own look handle
// WM_PRINTCLIENT in a subclass and read the state below.
//
// Setters neither notify nor repaint: the owner sets the values, then repaints.
#pragma once

#include <windows.h>

#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceItem.h"
#include "screenshot/ui/scroll_bar_geometry.h"

class CInplaceScrollBar : public CInplaceItem {
 public:
  // Timers of the arrows: the first delay, then the repeat.
  static constexpr UINT_PTR kDelayTimer = 1001;
  static constexpr UINT_PTR kRepeatTimer = 1002;
  static constexpr UINT kDelayMs = 500;
  static constexpr UINT kRepeatMs = 50;
  // Scroll codes of the WM_VSCROLL that follows a change.
  static constexpr WORD kCodeStepBack = SB_LINEUP;          // 0
  static constexpr WORD kCodeStepForward = SB_LINEDOWN;     // 1
  static constexpr WORD kCodeTrackJump = SB_THUMBPOSITION;  // 4
  static constexpr WORD kCodeThumbMove = SB_THUMBTRACK;     // 5

  // Vertical, position 0, page 10, maximum 100, arrow step 5, nothing hot or pressed.
  CInplaceScrollBar() = default;

  // Negative values become 0.
  void SetPosition(int position);
  void SetPage(int page);
  void SetMaximum(int maximum);
  // Values below 1 become 1.
  void SetArrowStep(int step);
  void SetVertical(bool vertical) { vertical_ = vertical; }
  int GetPosition() const { return values_.position; }
  int page() const { return values_.page; }
  int maximum() const { return values_.maximum; }
  int arrow_step() const { return arrow_step_; }
  bool vertical() const { return vertical_; }
  // The last position (scroll_bar_geometry.h); negative when there is nothing to scroll.
  int travel() const { return ScrollTravel(values_.page, values_.maximum); }

  // The part under the pointer (kScrollPartNone when none), the part being pressed, and whether
  // the pressed thumb is under the pointer (it is drawn pressed then, hot otherwise).
  int hot_part() const { return hot_part_; }
  int pressed_part() const { return pressed_part_; }
  bool pointer_on_pressed_part() const { return pointer_on_pressed_; }
  // The parts for the current size and values, in the bar's own coordinates.
  ScrollBarLayout Layout() const;
  // Which look a part has now: 2 pressed, 1 hot, 0 normal (the frame of a four-frame strip).
  int PartLook(int part) const;

  // Slot 6: the user moved the bar to |position| (it is already set). The owner scrolls its
  // content here; the bar repaints and sends the scroll message afterwards.
  virtual void OnPositionChanged(int position);

  BEGIN_MSG_MAP(CInplaceScrollBar)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDown)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
  MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
  MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
  MESSAGE_HANDLER(WM_TIMER, OnTimer)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  MESSAGE_HANDLER(WM_PRINTCLIENT, OnPrintClient)
  END_MSG_MAP()

 protected:
  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCaptureChanged(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseLeave(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  // The system look: frame-control arrows and thumb on a shadow-coloured track, a hot part
  // framed twice in orange.
  LRESULT OnPrintClient(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

 private:
  enum PressState { kIdle, kArrow, kTrack, kThumb };

  Point Along(Point p) const;
  // Sets the position the user asked for; reports it when it changed (or always, for arrows).
  void MoveTo(int position, WORD code, bool report_unchanged);
  void StepArrow();
  // Ends a press: timers stopped, hot part recomputed at |pointer| (none when null).
  void EndPress(const Point* pointer);

  ScrollValues values_ = {0, 10, 100};
  int arrow_step_ = 5;
  bool vertical_ = true;
  int hot_part_ = kScrollPartNone;
  int pressed_part_ = kScrollPartNone;
  PressState press_state_ = kIdle;
  bool pointer_on_pressed_ = false;
  int drag_offset_ = 0;  // pointer's distance into the thumb when the drag started
};
