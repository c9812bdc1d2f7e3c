// Windowless buttons: rectangles with ids and state inside one owning window.
#include "screenshot/ui/CInplaceButtonManager.h"

#include <windowsx.h>

CInplaceButtonManager::~CInplaceButtonManager() {
  // Owners remove their buttons on WM_DESTROY; this only frees what is left.
  InplaceButton* b = head_;
  head_ = nullptr;
  while (b) {
    InplaceButton* next = b->next;
    delete b;
    b = next;
  }
}

InplaceButton* CInplaceButtonManager::AddButton(int x, int y, int width, int height, UINT id) {
  auto* b = new InplaceButton;
  b->rect = {x, y, x + width, y + height};
  b->id = id;
  b->next = head_;
  head_ = b;
  return b;
}

InplaceButton* CInplaceButtonManager::HitTest(POINT pt) const {
  for (InplaceButton* b = head_; b; b = b->next)
    if (::PtInRect(&b->rect, pt)) return b;
  return nullptr;
}

InplaceButton* CInplaceButtonManager::FirstEnabledAt(POINT pt) const {
  for (InplaceButton* b = head_; b; b = b->next)
    if (IsEnabled(b) && ::PtInRect(&b->rect, pt)) return b;
  return nullptr;
}

InplaceButton* CInplaceButtonManager::FindButton(UINT id) const {
  for (InplaceButton* b = head_; b; b = b->next)
    if (b->id == id) return b;
  return nullptr;
}

bool CInplaceButtonManager::IsListed(const InplaceButton* button) const {
  for (InplaceButton* b = head_; b; b = b->next)
    if (b == button) return true;
  return false;
}

void CInplaceButtonManager::EnableButton(InplaceButton* button, bool enable) {
  if (enable) {
    button->style &= ~static_cast<DWORD>(WS_DISABLED);
  } else {
    button->style |= WS_DISABLED;
    if (hot_ == button) hot_ = nullptr;
  }
}

void CInplaceButtonManager::SetButtonCheck(InplaceButton* button, bool checked) {
  button->checked = checked ? 1 : 0;
}

UINT CInplaceButtonManager::GetButtonState(const InplaceButton* button) const {
  if (button->checked) return kStateChecked;
  if (!IsEnabled(button)) return kStateDisabled;
  if (button == pressed_) return press_look_;
  if (button == hot_) return kStateHot;
  return 0;
}

LONG_PTR CInplaceButtonManager::SetButtonData(InplaceButton* button, LONG_PTR value) {
  const LONG_PTR old = button->user_data;
  button->user_data = value;
  return old;
}

void CInplaceButtonManager::RemoveAllButtons() {
  InplaceButton* b = head_;
  head_ = nullptr;
  while (b) {
    InplaceButton* next = b->next;
    const LONG_PTR data = b->user_data;
    b->user_data = 0;
    OnButtonRemoved(b, data);
    delete b;
    b = next;
  }
  hot_ = nullptr;
  if (pressed_) {
    pressed_ = nullptr;
    release_pending_ = 1;
  }
}

void CInplaceButtonManager::OnButtonRemoved(InplaceButton*, LONG_PTR) {}

void CInplaceButtonManager::DrawButton(DRAWITEMSTRUCT* dis) {
  if (!window_ || dis->itemAction == 0) return;
  HDC dc = ::GetDC(window_);
  if (!dc) return;
  UINT flags = DFCS_BUTTONPUSH;
  if (dis->itemState & kStatePressed)
    flags |= DFCS_PUSHED;
  else if (dis->itemState & kStateHot)
    flags |= DFCS_HOT;
  RECT rc = dis->rcItem;
  ::DrawFrameControl(dc, &rc, DFC_BUTTON, flags);
  if (dis->itemState & kStateHot) {
    ::InflateRect(&rc, -3, -3);
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
  ::ReleaseDC(window_, dc);
}

void CInplaceButtonManager::TrackLeave(HWND hWnd) {
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
  ::TrackMouseEvent(&tme);
}

void CInplaceButtonManager::RequestDraw(InplaceButton* button, UINT state, UINT action) {
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = 0;
  dis.itemID = button->id;
  dis.itemAction = action;
  dis.itemState = state | (button->checked ? kStateChecked : 0);
  dis.rcItem = button->rect;
  DrawButton(&dis);
}

BOOL CInplaceButtonManager::ProcessMessage(HWND hWnd, UINT uMsg, WPARAM, LPARAM lParam,
                                           LRESULT& lResult, DWORD) {
  window_ = hWnd;
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  BOOL consumed = FALSE;
  switch (uMsg) {
    case WM_MOUSEMOVE:
      consumed = OnMouseMove(hWnd, pt);
      break;
    case WM_LBUTTONDOWN:
      consumed = OnLButtonDown(hWnd, pt);
      break;
    case WM_LBUTTONUP:
      consumed = OnLButtonUp(hWnd, pt);
      break;
    case WM_CAPTURECHANGED:
      consumed = OnCaptureChanged(hWnd);
      break;
    case WM_MOUSELEAVE:
      if (InplaceButton* old = hot_) {
        hot_ = nullptr;
        // The bar paints from GetButtonState, so the button now shows its normal look.
        RequestDraw(old, kStateHot, ODA_DRAWENTIRE);
      }
      break;
    default:
      break;
  }
  lResult = 0;
  return consumed;
}

// Consumed only while a button is pressed, so that the bar's own handlers (dragging, tooltips)
// still see ordinary moves.
BOOL CInplaceButtonManager::OnMouseMove(HWND hWnd, POINT pt) {
  if (pressed_) {
    const bool inside = ::PtInRect(&pressed_->rect, pt) != FALSE;
    if (!inside && press_look_ != kStateHot) {
      press_look_ = kStateHot;
      RequestDraw(pressed_, kStateHot, ODA_DRAWENTIRE);
    } else if (inside && press_look_ != kStatePressed) {
      press_look_ = kStatePressed;
      RequestDraw(pressed_, kStatePressed, ODA_DRAWENTIRE);
    }
    return TRUE;
  }
  if (!hot_) {
    InplaceButton* b = HitTest(pt);
    if (b && IsEnabled(b)) {
      TrackLeave(hWnd);
      hot_ = b;
    }
    if (hot_) RequestDraw(hot_, kStateHot, ODA_DRAWENTIRE);
    return FALSE;
  }
  if (::PtInRect(&hot_->rect, pt)) return FALSE;
  InplaceButton* old = hot_;
  hot_ = FirstEnabledAt(pt);
  RequestDraw(old, 0, ODA_DRAWENTIRE);
  if (hot_) RequestDraw(hot_, kStateHot, 0);
  return FALSE;
}

BOOL CInplaceButtonManager::OnLButtonDown(HWND hWnd, POINT pt) {
  if (::GetCapture() || pressed_) return FALSE;
  InplaceButton* b = HitTest(pt);
  if (!b) return FALSE;
  if (IsEnabled(b)) {
    release_pending_ = 0;
    pressed_ = b;
    press_look_ = kStatePressed;
    hot_ = nullptr;
    ::SetCapture(hWnd);
    RequestDraw(b, kStatePressed, ODA_DRAWENTIRE);
  }
  // A press on a disabled button is still consumed, so the bar does not start a drag.
  return TRUE;
}

BOOL CInplaceButtonManager::OnLButtonUp(HWND hWnd, POINT pt) {
  if (!pressed_) {
    if (!release_pending_) return FALSE;
    release_pending_ = 0;
    if (::GetCapture() == hWnd) ::ReleaseCapture();
    hot_ = HitTest(pt);
    if (hot_) {
      TrackLeave(hWnd);
      RequestDraw(hot_, kStateHot, ODA_DRAWENTIRE);
    }
    return TRUE;
  }
  InplaceButton* released = pressed_;
  pressed_ = nullptr;
  // Clearing pressed_ first makes the WM_CAPTURECHANGED that ReleaseCapture sends a no-op.
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  const bool listed = IsListed(released);
  const bool inside = listed && ::PtInRect(&released->rect, pt);
  const UINT id = listed ? released->id : 0;
  hot_ = HitTest(pt);
  if (hot_) TrackLeave(hWnd);
  RepaintAfterRelease(listed ? released : nullptr);
  if (inside) ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return TRUE;
}

// Someone else took the capture (a tooltip, a list, a menu): the press ends without a command.
BOOL CInplaceButtonManager::OnCaptureChanged(HWND hWnd) {
  if (!pressed_ && !release_pending_) return FALSE;
  POINT cursor = {-32768, -32768};
  CURSORINFO ci = {};
  ci.cbSize = sizeof(ci);
  if (::GetCursorInfo(&ci)) {
    cursor = ci.ptScreenPos;
    ::ScreenToClient(hWnd, &cursor);
  }
  release_pending_ = 0;
  InplaceButton* released = pressed_;
  pressed_ = nullptr;
  if (released && ::PtInRect(&released->rect, cursor))
    hot_ = released;
  else
    hot_ = HitTest(cursor);
  if (hot_) TrackLeave(hWnd);
  RepaintAfterRelease(released);
  return TRUE;
}

// After a press ends: the released button (null when it is gone) and the new hot one.
void CInplaceButtonManager::RepaintAfterRelease(InplaceButton* released) {
  if (!released) {
    if (hot_) RequestDraw(hot_, kStateHot, ODA_DRAWENTIRE);
  } else if (released == hot_) {
    RequestDraw(released, kStateHot, ODA_DRAWENTIRE);
  } else {
    RequestDraw(released, 0, ODA_DRAWENTIRE);
    if (hot_) RequestDraw(hot_, kStateHot, 0);
  }
}
