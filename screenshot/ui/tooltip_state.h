// The tooltip's behaviour without windows: when it shows, switches, hides and stays away.
//
// Bars call Show on every mouse move over one of their items. A new item starts an 800 ms delay;
// if the pointer is still on the item when it ends, the text shows at the pointer. While a text
// is shown, moving to another item switches the text at once. The shown text is checked every
// 500 ms: five checks with the pointer on the item (or on the tooltip) hide it for good, until the
// pointer has left the item; the pointer off the item hides it 300 ms later. Presses on the item
// hide it at once.
//
// The machine talks to the outside world only through TooltipHost: timers (periodic, like window
// timers: they fire until stopped), the pointer, showing and hiding. That keeps it testable with a
// fake clock and a fake pointer.
#pragma once

#include <cstdint>

#include "screenshot/ui/popup_placement.h"

// A window's identity (its handle); the machine never looks inside.
using TipWindow = const void*;

struct TipPointer {
  TipWindow window = nullptr;  // the window under the pointer
  Point screen;                // the pointer in screen coordinates
  Point in_owner;              // the pointer in the asked owner's client coordinates
};

class TooltipHost {
 public:
  virtual ~TooltipHost() = default;
  // (Re)starts a periodic timer; a running timer of the same id starts over.
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
  // Where the pointer is, with its position converted to |owner|'s client coordinates.
  virtual TipPointer QueryPointer(TipWindow owner) = 0;
  virtual Point OwnerToScreen(TipWindow owner, Point client) = 0;
  // Shows |text| for the pointer at |pointer| (screen coordinates), replacing what was shown.
  virtual void ShowText(const wchar_t* text, Point pointer) = 0;
  virtual void HideText() = 0;
  // Asks for a leave notice when the pointer leaves |owner|.
  virtual void TrackLeave(TipWindow owner) = 0;
  // The tooltip's own window.
  virtual TipWindow Self() = 0;
};

class TooltipStateMachine {
 public:
  enum State { kIdle = 0, kWaiting = 1, kShown = 2, kHiding = 3 };
  static constexpr int kShowDelayTimer = 1001;
  static constexpr int kCheckTimer = 1002;
  static constexpr int kHideDelayTimer = 1003;
  static constexpr int kShowDelayMs = 800;
  static constexpr int kCheckMs = 500;
  static constexpr int kHideDelayMs = 300;
  static constexpr int kChecksWhileShown = 5;
  static constexpr int kMaxTextLength = 31;

  // What the message loop saw, for Relay.
  enum class Input {
    kMove,    // WM_MOUSEMOVE
    kButton,  // a left or right button press or double click
    kLeave,   // WM_MOUSELEAVE
  };

  explicit TooltipStateMachine(TooltipHost& host) : host_(host) {}
  TooltipStateMachine(const TooltipStateMachine&) = delete;
  TooltipStateMachine& operator=(const TooltipStateMachine&) = delete;

  // The pointer is over |tool| of |owner| at |point| (owner client coordinates). Null or empty
  // texts are ignored; longer texts are cut to kMaxTextLength characters.
  void Show(TipWindow owner, const Rect& tool, Point point, const wchar_t* text);
  // A timer fired; false when it is none of the tooltip's.
  bool OnTimer(int id);
  // A message seen by the message loop before dispatch, for |window| at |point| (its client
  // coordinates).
  void Relay(Input input, TipWindow window, Point point);
  // The tooltip itself was clicked.
  void OnClicked();
  // The window is going away: stops every timer and forgets the item.
  void Reset();

  State state() const { return state_; }
  TipWindow owner() const { return owner_; }
  const Rect& tool() const { return tool_; }
  const wchar_t* text() const { return text_; }
  int ticks() const { return ticks_; }

 private:
  bool IsSameItem(TipWindow owner, const Rect& tool) const;
  bool IsOnTool(TipWindow window, Point point) const;
  bool PointerOnTool(const TipPointer& pointer) const;
  void Store(TipWindow owner, const Rect& tool, const wchar_t* text);
  void ShowNow(Point point_in_owner);

  TooltipHost& host_;
  TipWindow owner_ = nullptr;
  Rect tool_;
  wchar_t text_[kMaxTextLength + 1] = {};
  State state_ = kIdle;
  int ticks_ = 0;
};
