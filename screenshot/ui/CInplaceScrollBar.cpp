// CInplaceScrollBar: a windowless scroll bar hosted by a CInplaceItemContainer.
#include "screenshot/ui/CInplaceScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/geometry_win.h"

void CInplaceScrollBar::SetPosition(int position) { values_.position = std::max(position, 0); }
void CInplaceScrollBar::SetPage(int page) { values_.page = std::max(page, 0); }
void CInplaceScrollBar::SetMaximum(int maximum) { values_.maximum = std::max(maximum, 0); }
void CInplaceScrollBar::SetArrowStep(int step) { arrow_step_ = std::max(step, 1); }

void CInplaceScrollBar::OnPositionChanged(int) {}

ScrollBarLayout CInplaceScrollBar::Layout() const {
  const SIZE size = GetItemSize();
  return LayoutScrollBar({size.cx, size.cy}, vertical_, values_);
}

int CInplaceScrollBar::PartLook(int part) const {
  if (part == kScrollPartNone) return 0;
  if (part == pressed_part_) return part == kScrollPartThumb && !pointer_on_pressed_ ? 1 : 2;
  return part == hot_part_ && press_state_ == kIdle ? 1 : 0;
}

// The point with the bar's length as y, so one formula serves both orientations.
Point CInplaceScrollBar::Along(Point p) const { return vertical_ ? p : Point{p.y, p.x}; }

void CInplaceScrollBar::MoveTo(int position, WORD code, bool report_unchanged) {
  const bool changed = position != values_.position;
  values_.position = position;
  if (!changed && !report_unchanged) {
    InvalidateItem();
    return;
  }
  OnPositionChanged(position);
  InvalidateItem();
  if (HWND host = GetHostWindow())
    ::SendMessageW(host, vertical_ ? WM_VSCROLL : WM_HSCROLL,
                   MAKEWPARAM(code, static_cast<WORD>(position)), 0);
}

void CInplaceScrollBar::StepArrow() {
  if (pressed_part_ == kScrollPartUp)
    MoveTo(ScrollStepBack(values_, arrow_step_), kCodeStepBack, true);
  else if (pressed_part_ == kScrollPartDown)
    MoveTo(ScrollStepForward(values_, arrow_step_), kCodeStepForward, true);
}

void CInplaceScrollBar::EndPress(const Point* pointer) {
  KillItemTimer(kDelayTimer);
  KillItemTimer(kRepeatTimer);
  press_state_ = kIdle;
  pressed_part_ = kScrollPartNone;
  pointer_on_pressed_ = false;
  hot_part_ = pointer ? HitTestScrollBar(Layout(), *pointer) : kScrollPartNone;
  InvalidateItem();
}

LRESULT CInplaceScrollBar::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  if (press_state_ != kIdle) return 0;
  const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const ScrollBarLayout layout = Layout();
  const int part = HitTestScrollBar(layout, p);
  if (part == kScrollPartNone) return 0;
  pressed_part_ = part;
  pointer_on_pressed_ = true;
  hot_part_ = part;
  SetItemCapture();
  const SIZE size = GetItemSize();
  switch (part) {
    case kScrollPartUp:
    case kScrollPartDown:
      press_state_ = kArrow;
      StepArrow();
      if (press_state_ == kArrow) SetItemTimer(kDelayTimer, kDelayMs);
      break;
    case kScrollPartThumb:
      press_state_ = kThumb;
      drag_offset_ = Along(p).y - Along({layout.thumb.left, layout.thumb.top}).y;
      InvalidateItem();
      break;
    default: {  // the track: the thumb's middle jumps to the pointer
      press_state_ = kTrack;
      const Rect thumb = layout.thumb;
      const int length = vertical_ ? thumb.Height() : thumb.Width();
      const int position =
          ScrollPositionForThumbAt({size.cx, size.cy}, vertical_, values_, Along(p).y - length / 2);
      MoveTo(position, kCodeTrackJump, false);
      break;
    }
  }
  return 0;
}

LRESULT CInplaceScrollBar::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL&) {
  const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (press_state_ == kThumb) {
    const SIZE size = GetItemSize();
    const int position =
        ScrollPositionForThumbAt({size.cx, size.cy}, vertical_, values_, Along(p).y - drag_offset_);
    if (position != values_.position) MoveTo(position, kCodeThumbMove, false);
    const bool on = Layout().thumb.Contains(p);
    if (on != pointer_on_pressed_) {
      pointer_on_pressed_ = on;
      InvalidateItem();
    }
    return 0;
  }
  if (press_state_ != kIdle) {
    pointer_on_pressed_ = Layout().PartRect(pressed_part_).Contains(p);
    return 0;
  }
  const int part = HitTestScrollBar(Layout(), p);
  if (part != hot_part_) {
    hot_part_ = part;
    InvalidateItem();
  }
  return 0;
}

LRESULT CInplaceScrollBar::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
  if (press_state_ == kIdle) return 0;
  const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  EndPress(&p);
  ReleaseItemCapture();  // its WM_CAPTURECHANGED finds the press over
  return 0;
}

LRESULT CInplaceScrollBar::OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL&) {
  if (press_state_ != kIdle) EndPress(nullptr);
  return 0;
}

LRESULT CInplaceScrollBar::OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&) {
  if (hot_part_ != kScrollPartNone) {
    hot_part_ = kScrollPartNone;
    InvalidateItem();
  }
  return 0;
}

LRESULT CInplaceScrollBar::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  if (wParam == kDelayTimer) {
    KillItemTimer(kDelayTimer);
    if (press_state_ == kArrow) SetItemTimer(kRepeatTimer, kRepeatMs);
  } else if (wParam == kRepeatTimer) {
    if (press_state_ == kArrow)
      StepArrow();
    else
      KillItemTimer(kRepeatTimer);
  } else {
    bHandled = FALSE;
  }
  return 0;
}

LRESULT CInplaceScrollBar::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  press_state_ = kIdle;
  pressed_part_ = hot_part_ = kScrollPartNone;
  bHandled = FALSE;
  return 0;
}

LRESULT CInplaceScrollBar::OnPrintClient(UINT, WPARAM wParam, LPARAM, BOOL&) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  const ScrollBarLayout layout = Layout();
  const UINT inactive = layout.has_thumb ? 0 : DFCS_INACTIVE;
  auto arrow = [&](int part, UINT kind) {
    RECT r = ToRECT(layout.PartRect(part));
    if (::IsRectEmpty(&r)) return;
    ::DrawFrameControl(dc, &r, DFC_SCROLL,
                       kind | inactive | (PartLook(part) == 2 ? DFCS_PUSHED : 0));
  };
  arrow(kScrollPartUp, vertical_ ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
  arrow(kScrollPartDown, vertical_ ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
  const RECT above = ToRECT(layout.track_above), below = ToRECT(layout.track_below);
  ::FillRect(dc, &above, ::GetSysColorBrush(COLOR_BTNSHADOW));
  ::FillRect(dc, &below, ::GetSysColorBrush(COLOR_BTNSHADOW));
  if (layout.has_thumb) {
    RECT thumb = ToRECT(layout.thumb);
    ::DrawFrameControl(dc, &thumb, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (PartLook(kScrollPartThumb) == 2 ? DFCS_PUSHED : 0));
  }
  if (hot_part_ != kScrollPartNone && press_state_ == kIdle) {
    ScopedBrush orange(::CreateSolidBrush(RGB(200, 128, 0)));
    RECT r = ToRECT(layout.PartRect(hot_part_));
    ::FrameRect(dc, &r, orange.get());
    ::InflateRect(&r, -2, -2);
    ::FrameRect(dc, &r, orange.get());
  }
  return 0;
}
