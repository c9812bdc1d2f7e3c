// The tooltip's behaviour without windows.
#include "screenshot/ui/tooltip_state.h"

bool TooltipStateMachine::IsSameItem(TipWindow owner, const Rect& tool) const {
  return owner == owner_ && tool == tool_;
}

bool TooltipStateMachine::IsOnTool(TipWindow window, Point point) const {
  return owner_ && window == owner_ && tool_.Contains(point);
}

bool TooltipStateMachine::PointerOnTool(const TipPointer& pointer) const {
  return IsOnTool(pointer.window, pointer.in_owner);
}

void TooltipStateMachine::Store(TipWindow owner, const Rect& tool, const wchar_t* text) {
  owner_ = owner;
  tool_ = tool;
  int n = 0;
  for (; n < kMaxTextLength && text[n]; ++n) text_[n] = text[n];
  text_[n] = L'\0';
}

void TooltipStateMachine::ShowNow(Point point_in_owner) {
  host_.ShowText(text_, host_.OwnerToScreen(owner_, point_in_owner));
}

void TooltipStateMachine::Show(TipWindow owner, const Rect& tool, Point point,
                               const wchar_t* text) {
  if (!text || !text[0]) return;
  if (IsSameItem(owner, tool)) return;
  switch (state_) {
    case kIdle:
    case kWaiting:
      host_.StartTimer(kShowDelayTimer, kShowDelayMs);
      state_ = kWaiting;
      Store(owner, tool, text);
      break;
    case kShown:
      // Already showing: the next item's text replaces it without a new delay.
      host_.StartTimer(kCheckTimer, kCheckMs);
      ticks_ = 0;
      Store(owner, tool, text);
      ShowNow(point);
      break;
    case kHiding:
      host_.StopTimer(kHideDelayTimer);
      host_.StartTimer(kCheckTimer, kCheckMs);
      ticks_ = 0;
      state_ = kShown;
      Store(owner, tool, text);
      ShowNow(point);
      break;
  }
}

bool TooltipStateMachine::OnTimer(int id) {
  switch (id) {
    case kShowDelayTimer: {
      host_.StopTimer(kShowDelayTimer);
      const TipPointer pointer = host_.QueryPointer(owner_);
      if (state_ == kWaiting && PointerOnTool(pointer)) {
        host_.StartTimer(kCheckTimer, kCheckMs);
        state_ = kShown;
        ticks_ = 0;
        host_.ShowText(text_, pointer.screen);
      } else {
        state_ = kIdle;
      }
      return true;
    }
    case kCheckTimer: {
      if (state_ != kShown) {  // a stale tick after the state moved on
        host_.StopTimer(kCheckTimer);
        return true;
      }
      const TipPointer pointer = host_.QueryPointer(owner_);
      if (pointer.window != host_.Self() && !PointerOnTool(pointer)) {
        host_.StopTimer(kCheckTimer);
        host_.StartTimer(kHideDelayTimer, kHideDelayMs);
        state_ = kHiding;
        return true;
      }
      if (++ticks_ < kChecksWhileShown) return true;
      // Shown long enough. It stays away until the pointer has left the item: the owner is kept
      // (so Show of the same item does nothing) until a leave notice or a move elsewhere.
      host_.StopTimer(kCheckTimer);
      state_ = kIdle;
      host_.HideText();
      if (PointerOnTool(pointer)) {
        host_.TrackLeave(owner_);
      } else {
        owner_ = nullptr;
      }
      return true;
    }
    case kHideDelayTimer:
      host_.StopTimer(kHideDelayTimer);
      state_ = kIdle;
      owner_ = nullptr;
      host_.HideText();
      return true;
  }
  return false;
}

void TooltipStateMachine::Relay(Input input, TipWindow window, Point point) {
  if (input == Input::kLeave) {
    if (state_ == kIdle && owner_ && window == owner_) owner_ = nullptr;
    return;
  }
  const bool on_tool = IsOnTool(window, point);
  const bool button = input == Input::kButton;
  switch (state_) {
    case kIdle:
      if (owner_ && !on_tool) owner_ = nullptr;
      break;
    case kWaiting:
      if (on_tool && button) {
        host_.StopTimer(kShowDelayTimer);
        state_ = kIdle;  // the owner stays: no tooltip for this item until the pointer leaves
      } else if (!on_tool) {
        host_.StopTimer(kShowDelayTimer);
        state_ = kIdle;
        owner_ = nullptr;
      }
      break;
    case kShown:
      if (on_tool && button) {
        host_.StopTimer(kCheckTimer);
        state_ = kIdle;
        host_.HideText();
      } else if (!on_tool) {
        host_.StopTimer(kCheckTimer);
        host_.StartTimer(kHideDelayTimer, kHideDelayMs);
        state_ = kHiding;
        owner_ = nullptr;
      }
      break;
    case kHiding:
      break;
  }
}

void TooltipStateMachine::OnClicked() {
  switch (state_) {
    case kWaiting:
      host_.StopTimer(kShowDelayTimer);
      break;
    case kShown:
      host_.StopTimer(kCheckTimer);
      break;
    case kHiding:
      host_.StopTimer(kHideDelayTimer);
      break;
    case kIdle:
      break;
  }
  state_ = kIdle;
  host_.HideText();
  if (!PointerOnTool(host_.QueryPointer(owner_))) owner_ = nullptr;
}

void TooltipStateMachine::Reset() {
  host_.StopTimer(kShowDelayTimer);
  host_.StopTimer(kCheckTimer);
  host_.StopTimer(kHideDelayTimer);
  state_ = kIdle;
  ticks_ = 0;
  owner_ = nullptr;
  tool_ = Rect{};
  text_[0] = L'\0';
}
