// The in-place item host's internals: one site record per item, the host implementation that
// routes messages to them, and the hidden helper window that holds the capture and the timers of
// items and delivers their posted messages.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceItem.h"
#include "screenshot/ui/CInplaceItemContainer.h"

class InplaceHost;

// One hosted item. Shared by the host's list and, weakly, by the item's timers and queued
// messages, so that none of them reaches an item that has left.
struct InplaceSite {
  enum Life : BYTE { kCreating, kLive, kLeaving, kGone };

  std::weak_ptr<InplaceHost> host;
  CInplaceItem* item = nullptr;
  DWORD flags = 0;        // WS_VISIBLE, WS_DISABLED
  RECT rect = {};         // host client coordinates
  POINT offset = {0, 0};  // added to the rectangle when hit-testing and drawing
  UINT id = 0;
  bool client_area = true;  // the item lies in the client area
  int nesting = 0;          // messages of the item being delivered
  Life life = kCreating;

  bool TakesInput() const {
    return life == kLive && (flags & WS_VISIBLE) && !(flags & WS_DISABLED);
  }
};

using SitePtr = std::shared_ptr<InplaceSite>;

// The hidden pop-up through which items hold the mouse capture and timers and get their posted
// messages. It deletes itself after its window is gone (the host may go while it is still
// dispatching).
class InplaceHelperWindow : public CWindowBase {
 public:
  explicit InplaceHelperWindow(InplaceHost* host) : host_(host) {}
  void Orphan() { host_ = nullptr; }

  BEGIN_MSG_MAP(InplaceHelperWindow)
  MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_MBUTTONDBLCLK, OnMouse)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
  MESSAGE_HANDLER(WM_TIMER, OnTimer)
  MESSAGE_HANDLER(WM_NULL, OnWake)
  END_MSG_MAP()

  void OnFinalMessage(HWND) override { delete this; }

 private:
  LRESULT OnMouse(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCaptureChanged(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnWake(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  InplaceHost* host_;
};

class InplaceHost : public std::enable_shared_from_this<InplaceHost> {
 public:
  InplaceHost(CInplaceItemContainer* container, HWND host) : container_(container), host_(host) {}
  ~InplaceHost();

  HWND host() const { return host_; }
  HWND helper() const { return helper_ ? helper_->hwnd() : nullptr; }

  // ---- sites (CInplaceItemContainer_sites.cpp) ----
  bool AddItem(CInplaceItem* item, DWORD flags, const RECT& rect, UINT id);
  // Takes a site out; |notify| sends WM_DESTROY and OnFinalMessage (not from an item's
  // destructor).
  void RemoveSite(const SitePtr& site, bool notify);
  void RemoveAll();
  SitePtr FindSite(const CInplaceItem* item) const;
  void SetSiteRect(const SitePtr& site, const RECT& rect);
  BOOL Deliver(const SitePtr& site, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
               LRESULT& result);
  BOOL ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void DrawItems(HDC dc);
  void Invalidate(const SitePtr& site);

  // ---- capture, timers, posted messages (CInplaceItemContainer_helper.cpp) ----
  bool SetCapture(const SitePtr& site);
  void ReleaseCapture(const SitePtr& site);
  bool SetTimer(const SitePtr& site, UINT_PTR id, UINT elapse);
  void KillTimer(const SitePtr& site, UINT_PTR id);
  void KillTimersOf(const InplaceSite* site);
  bool Post(const SitePtr& site, UINT uMsg, WPARAM wParam, LPARAM lParam);
  bool SetFocus(const SitePtr& site);
  // From the helper window.
  void OnHelperMouse(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnHelperCaptureChanged(LPARAM lParam);
  void OnHelperTimer(UINT_PTR timer);
  void OnHelperWake();
  void DestroyHelper();

  std::function<void(CInplaceItem*)> invalidate_handler;
  SitePtr hot, nc_hot, capture, focus;

 private:
  struct Timer {
    std::weak_ptr<InplaceSite> site;
    UINT_PTR item_timer = 0;
  };
  struct Posted {
    std::weak_ptr<InplaceSite> site;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
  };

  bool EnsureHelper();
  SitePtr SiteAt(POINT client_point) const;
  void SetHot(SitePtr* slot, const SitePtr& site, bool client);
  BOOL RouteMouse(UINT uMsg, WPARAM wParam, POINT client_point, LRESULT& result, bool client);
  BOOL RouteSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result);

  CInplaceItemContainer* container_;  // null once the container has let go
  HWND host_;
  std::vector<SitePtr> sites_;  // in the order they were added
  InplaceHelperWindow* helper_ = nullptr;
  std::unordered_map<UINT_PTR, Timer> timers_;  // by the helper window's timer id
  UINT_PTR next_timer_ = 1;
  std::deque<Posted> posted_;
  bool wake_pending_ = false;
};
