// CInplaceItem: a windowless item with its own message map, hosted inside a real window by a
// CInplaceItemContainer (the drop lists' scroll bars are such items).
//
// The host routes mouse messages to the item under the pointer (in the item's own coordinates:
// its top-left corner is 0, 0), keyboard messages to its focus item, and gives items what a
// window would have: the mouse capture, timers and posted messages, all through a hidden helper
// window of the host. The item reaches these through the services below while it is hosted; out
// of a host they do nothing.
//
// Messages the host sends itself (create, destroy, size, the hot item leaving, paint requests)
// arrive with a null window handle. Paint requests are WM_PRINTCLIENT with the device context in
// wParam, its origin moved to the item's top-left corner.
#pragma once

#include <windows.h>

struct InplaceSite;
class InplaceHost;

class CInplaceItem {
 public:
  CInplaceItem() = default;
  CInplaceItem(const CInplaceItem&) = delete;
  CInplaceItem& operator=(const CInplaceItem&) = delete;

  // Slot 1: asks for another interface of the item; the base knows none (clears |object| and
  // answers E_NOTIMPL).
  virtual HRESULT QueryInterface(REFIID iid, void** object);
  // Slots 2 and 3: the host takes one reference when the item is created in it and gives it back
  // when the item leaves. The base is owned by its host window's object and counts nothing
  // (both return 0).
  virtual ULONG AddRef();
  virtual ULONG Release();
  // Slot 4: the item's message map; non-zero when handled, with the result in |lResult|.
  // |hWnd| is the host window for routed input, null for the host's own notices.
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD dwMsgMapID) = 0;
  // Slot 5: called once the item has left its host (after WM_DESTROY); it may be reused.
  virtual void OnFinalMessage();

  // An item still hosted when it is destroyed leaves its host quietly (no WM_DESTROY: its own
  // part is gone by then). Owners remove their items, or destroy the host, first.
  virtual ~CInplaceItem();

  // ---- services of the host, for the item itself ----
  bool IsHosted() const { return site_ != nullptr; }
  // The host window, or null.
  HWND GetHostWindow() const;
  // The item's rectangle in the host's client coordinates (empty when not hosted).
  RECT GetItemRect() const;
  SIZE GetItemSize() const;
  // Mouse input goes to this item until it releases the capture or loses it (both send it
  // WM_CAPTURECHANGED). False when not hosted or the helper window cannot be made.
  bool SetItemCapture();
  void ReleaseItemCapture();
  bool HasItemCapture() const;
  // A timer that sends this item WM_TIMER with |id| every |elapse| milliseconds.
  bool SetItemTimer(UINT_PTR id, UINT elapse);
  void KillItemTimer(UINT_PTR id);
  // Queues a message to this item, delivered from the message loop (dropped if the item leaves
  // first).
  bool PostItemMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Asks the host window to repaint (it composes its items with CInplaceItemContainer::DrawItems).
  void InvalidateItem();
  // Makes this the item that receives keyboard messages (it gets WM_SETFOCUS).
  bool SetItemFocus();

 private:
  friend class CInplaceItemContainer;
  friend class InplaceHost;
  InplaceSite* site_ = nullptr;
};
