// The in-place item host's helper window: mouse capture, timers and posted messages of items.
#include <windowsx.h>

#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/CInplaceItemContainer_impl.h"

// ---- the helper window -------------------------------------------------------------------------

bool InplaceHost::EnsureHelper() {
  if (helper_ && helper_->hwnd()) return true;
  if (!container_) return false;
  HWND hwnd = ::CreateWindowExW(0, L"static", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                CWindowBase::Module().instance, nullptr);
  if (!hwnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [item host] Failed [%08X]", ::GetLastError());
    return false;
  }
  helper_ = new InplaceHelperWindow(this);
  helper_->Attach(hwnd);
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

void InplaceHost::DestroyHelper() {
  InplaceHelperWindow* helper = helper_;
  helper_ = nullptr;
  if (!helper) return;
  helper->Orphan();
  capture.reset();
  if (HWND hwnd = helper->hwnd())
    ::DestroyWindow(hwnd);  // the object deletes itself after its final message
  else
    delete helper;
}

LRESULT InplaceHelperWindow::OnMouse(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  if (host_) {
    host_->OnHelperMouse(uMsg, wParam, lParam);
  } else {
    bHandled = FALSE;
  }
  return 0;
}

LRESULT InplaceHelperWindow::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&) {
  if (host_) host_->OnHelperCaptureChanged(lParam);
  return 0;
}

LRESULT InplaceHelperWindow::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&) {
  if (host_)
    host_->OnHelperTimer(wParam);
  else
    ::KillTimer(m_hWnd, wParam);
  return 0;
}

LRESULT InplaceHelperWindow::OnWake(UINT, WPARAM, LPARAM, BOOL&) {
  if (host_) host_->OnHelperWake();
  return 0;
}

// ---- capture -----------------------------------------------------------------------------------

bool InplaceHost::SetCapture(const SitePtr& site) {
  if (site->life != InplaceSite::kLive || !EnsureHelper()) return false;
  SitePtr previous = std::move(capture);
  // A capture change of the helper itself must not end the new item's capture.
  ::SetCapture(helper());
  capture = site;
  if (previous && previous != site) {
    LRESULT ignored = 0;
    Deliver(previous, nullptr, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(helper()), ignored);
  }
  return true;
}

void InplaceHost::ReleaseCapture(const SitePtr& site) {
  if (capture != site) return;
  capture.reset();
  if (helper() && ::GetCapture() == helper()) ::ReleaseCapture();
  LRESULT ignored = 0;
  Deliver(site, nullptr, WM_CAPTURECHANGED, 0, 0, ignored);
}

void InplaceHost::OnHelperMouse(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SitePtr site = capture;
  if (!site) return;
  // Helper client coordinates to the host's, then to the item's.
  POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(helper(), &pt);
  ::ScreenToClient(host_, &pt);
  const int x = pt.x - site->rect.left - site->offset.x;
  const int y = pt.y - site->rect.top - site->offset.y;
  LRESULT ignored = 0;
  Deliver(site, host_, uMsg, wParam, MAKELPARAM(x, y), ignored);
}

void InplaceHost::OnHelperCaptureChanged(LPARAM lParam) {
  SitePtr site = std::move(capture);
  if (!site) return;  // given up by the item itself: it has been told already
  LRESULT ignored = 0;
  Deliver(site, nullptr, WM_CAPTURECHANGED, 0, lParam, ignored);
}

bool InplaceHost::SetFocus(const SitePtr& site) {
  if (site->life != InplaceSite::kLive) return false;
  if (focus == site) return true;
  SitePtr old = std::move(focus);
  focus = site;
  LRESULT ignored = 0;
  if (old) Deliver(old, nullptr, WM_KILLFOCUS, 0, 0, ignored);
  Deliver(site, nullptr, WM_SETFOCUS, 0, 0, ignored);
  return true;
}

// ---- timers ------------------------------------------------------------------------------------

bool InplaceHost::SetTimer(const SitePtr& site, UINT_PTR id, UINT elapse) {
  if (site->life != InplaceSite::kLive || !EnsureHelper()) return false;
  UINT_PTR timer = 0;
  for (const auto& t : timers_)
    if (t.second.site.lock() == site && t.second.item_timer == id) timer = t.first;
  if (!timer) {
    timer = next_timer_++;
    timers_[timer] = Timer{site, id};
  }
  if (!::SetTimer(helper(), timer, elapse, nullptr)) {
    timers_.erase(timer);
    return false;
  }
  return true;
}

void InplaceHost::KillTimer(const SitePtr& site, UINT_PTR id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.site.lock() == site && it->second.item_timer == id) {
      if (helper()) ::KillTimer(helper(), it->first);
      timers_.erase(it);
      return;
    }
  }
}

void InplaceHost::KillTimersOf(const InplaceSite* site) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    SitePtr owner = it->second.site.lock();
    if (!owner || owner.get() == site) {
      if (helper()) ::KillTimer(helper(), it->first);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

void InplaceHost::OnHelperTimer(UINT_PTR timer) {
  const auto it = timers_.find(timer);
  SitePtr site = it == timers_.end() ? nullptr : it->second.site.lock();
  if (!site || site->life != InplaceSite::kLive) {
    // Belongs to no live item: stop it.
    ::KillTimer(helper(), timer);
    if (it != timers_.end()) timers_.erase(it);
    return;
  }
  LRESULT ignored = 0;
  Deliver(site, nullptr, WM_TIMER, it->second.item_timer, 0, ignored);
}

// ---- posted messages ---------------------------------------------------------------------------

bool InplaceHost::Post(const SitePtr& site, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (site->life != InplaceSite::kLive || !EnsureHelper()) return false;
  if (!wake_pending_) {
    if (!::PostMessageW(helper(), WM_NULL, 0, 0)) return false;
    wake_pending_ = true;
  }
  posted_.push_back(Posted{site, uMsg, wParam, lParam});
  return true;
}

void InplaceHost::OnHelperWake() {
  wake_pending_ = false;
  std::deque<Posted> batch;
  batch.swap(posted_);  // what the items post meanwhile waits for the next wake
  std::shared_ptr<InplaceHost> self = shared_from_this();
  for (const Posted& p : batch) {
    SitePtr site = p.site.lock();
    if (!site || site->life != InplaceSite::kLive) continue;
    LRESULT ignored = 0;
    Deliver(site, host_, p.message, p.wParam, p.lParam, ignored);
    if (!container_) return;  // the host let go while delivering
  }
}
