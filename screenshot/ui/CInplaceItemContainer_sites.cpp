// The in-place item host: its sites, message routing and drawing.
#include <windowsx.h>

#include <algorithm>

#include "screenshot/ui/CInplaceItemContainer_impl.h"

InplaceHost::~InplaceHost() { DestroyHelper(); }

// ---- sites -------------------------------------------------------------------------------------

bool InplaceHost::AddItem(CInplaceItem* item, DWORD flags, const RECT& rect, UINT id) {
  if (!container_ || item->site_) return false;
  auto site = std::make_shared<InplaceSite>();
  site->host = weak_from_this();
  site->item = item;
  site->flags = flags & (WS_VISIBLE | WS_DISABLED);
  site->rect = rect;
  site->id = id;
  item->site_ = site.get();
  sites_.push_back(site);

  LRESULT result = 0;
  const BOOL handled = Deliver(site, nullptr, WM_CREATE, 0, 0, result);
  if (site->life != InplaceSite::kCreating) return false;  // it left while being created
  if (handled && result != 0) {
    RemoveSite(site, true);  // refused
    return false;
  }
  site->life = InplaceSite::kLive;
  item->AddRef();
  return true;
}

void InplaceHost::RemoveSite(const SitePtr& site, bool notify) {
  if (!site || site->life == InplaceSite::kLeaving || site->life == InplaceSite::kGone) return;
  // A copy: |site| may be an element of sites_ itself, which the erase below overwrites.
  const SitePtr keep = site;
  const bool was_live = keep->life == InplaceSite::kLive;
  keep->life = InplaceSite::kLeaving;
  if (hot == keep) hot.reset();
  if (nc_hot == keep) nc_hot.reset();
  if (focus == keep) focus.reset();
  if (capture == keep) {
    capture.reset();
    if (helper() && ::GetCapture() == helper()) ::ReleaseCapture();
  }
  KillTimersOf(keep.get());
  if (notify) {
    LRESULT ignored = 0;
    Deliver(keep, nullptr, WM_DESTROY, 0, 0, ignored);
  }
  sites_.erase(std::remove(sites_.begin(), sites_.end(), keep), sites_.end());
  CInplaceItem* item = keep->item;
  keep->item = nullptr;
  keep->life = InplaceSite::kGone;
  if (!item) return;
  item->site_ = nullptr;
  if (was_live) item->Release();
  if (notify) item->OnFinalMessage();
}

void InplaceHost::RemoveAll() {
  // Every item receives WM_DESTROY. Over a copy: a site already leaving (its WM_DESTROY is what
  // brought us here) stays in the list until that call ends, and must not be waited for.
  const std::vector<SitePtr> sites = sites_;
  for (const SitePtr& site : sites) RemoveSite(site, true);
  // Nothing the items do from here reaches the container.
  container_ = nullptr;
  invalidate_handler = nullptr;
  DestroyHelper();
  timers_.clear();
  posted_.clear();
}

SitePtr InplaceHost::FindSite(const CInplaceItem* item) const {
  if (!item) return nullptr;
  for (const SitePtr& s : sites_)
    if (s->item == item) return s;
  return nullptr;
}

void InplaceHost::SetSiteRect(const SitePtr& site, const RECT& rect) {
  const SIZE old_size = {site->rect.right - site->rect.left, site->rect.bottom - site->rect.top};
  site->rect = rect;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  WINDOWPOS pos = {};
  pos.x = rect.left;
  pos.y = rect.top;
  pos.cx = width;
  pos.cy = height;
  pos.flags = SWP_NOZORDER | SWP_NOACTIVATE;
  LRESULT ignored = 0;
  Deliver(site, nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), ignored);
  if (old_size.cx != width || old_size.cy != height)
    Deliver(site, nullptr, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height), ignored);
}

BOOL InplaceHost::Deliver(const SitePtr& site, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  result = 0;
  if (!site || !site->item || site->life == InplaceSite::kGone) return FALSE;
  // Both stay alive through the call, whatever the item's handler does to its host.
  SitePtr keep = site;
  std::shared_ptr<InplaceHost> self = shared_from_this();
  ++site->nesting;
  const BOOL handled = site->item->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result, 0);
  --site->nesting;
  return handled;
}

// ---- routing -----------------------------------------------------------------------------------

SitePtr InplaceHost::SiteAt(POINT pt) const {
  if (container_) {
    if (CInplaceItem* item = container_->HitTestItem(pt)) {
      SitePtr site = FindSite(item);
      if (site && site->TakesInput()) return site;
    }
  }
  for (const SitePtr& s : sites_) {
    if (!s->TakesInput()) continue;
    RECT r = s->rect;
    ::OffsetRect(&r, s->offset.x, s->offset.y);
    if (::PtInRect(&r, pt)) return s;
  }
  return nullptr;
}

void InplaceHost::SetHot(SitePtr* slot, const SitePtr& site, bool client) {
  if (*slot == site) return;
  SitePtr old = *slot;
  *slot = site;
  if (old) {
    LRESULT ignored = 0;
    Deliver(old, nullptr, WM_MOUSELEAVE, 0, 0, ignored);
  }
  if (site) {
    // The leave notice comes only when asked for: without it an item would stay hot after the
    // pointer left the window.
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE | (client ? 0u : TME_NONCLIENT), host_, 0};
    ::TrackMouseEvent(&tme);
  }
}

BOOL InplaceHost::RouteMouse(UINT uMsg, WPARAM wParam, POINT pt, LRESULT& result, bool client) {
  SitePtr site = SiteAt(pt);
  SetHot(client ? &hot : &nc_hot, site, client);
  if (!site || site->life != InplaceSite::kLive) return FALSE;
  const int x = pt.x - site->rect.left - site->offset.x;
  const int y = pt.y - site->rect.top - site->offset.y;
  return Deliver(site, host_, uMsg, wParam, MAKELPARAM(x, y), result);
}

BOOL InplaceHost::RouteSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  POINT pt;
  if (!::GetCursorPos(&pt) || !::ScreenToClient(host_, &pt)) return FALSE;
  SitePtr site = SiteAt(pt);
  return site ? Deliver(site, host_, WM_SETCURSOR, wParam, lParam, result) : FALSE;
}

BOOL InplaceHost::ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  std::shared_ptr<InplaceHost> self = shared_from_this();
  if (uMsg >= WM_MOUSEMOVE && uMsg <= WM_RBUTTONDBLCLK) {
    // While any window holds the capture the input is its own (a pressed button of the host).
    if (::GetCapture()) return FALSE;
    return RouteMouse(uMsg, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, result,
                      true);
  }
  if (uMsg >= WM_NCMOUSEMOVE && uMsg <= WM_NCRBUTTONDBLCLK) {
    if (::GetCapture()) return FALSE;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(host_, &pt);
    return RouteMouse(uMsg, wParam, pt, result, false);
  }
  switch (uMsg) {
    case WM_SETCURSOR:
      return ::GetCapture() ? FALSE : RouteSetCursor(wParam, lParam, result);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_IME_CHAR:
      return focus ? Deliver(focus, host_, uMsg, wParam, lParam, result) : FALSE;
    case WM_KILLFOCUS:
      if (SitePtr old = std::move(focus)) Deliver(old, nullptr, WM_KILLFOCUS, wParam, 0, result);
      return FALSE;
    case WM_MOUSELEAVE:
      SetHot(&hot, nullptr, true);
      return FALSE;
    case WM_NCMOUSELEAVE:
      SetHot(&nc_hot, nullptr, false);
      return FALSE;
    default:
      return FALSE;
  }
}

// ---- drawing -----------------------------------------------------------------------------------

void InplaceHost::DrawItems(HDC dc) {
  const std::vector<SitePtr> sites = sites_;  // an item may leave while drawing
  for (const SitePtr& s : sites) {
    if (s->life != InplaceSite::kLive || !(s->flags & WS_VISIBLE)) continue;
    const int saved = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, s->rect.left + s->offset.x, s->rect.top + s->offset.y, nullptr);
    ::IntersectClipRect(dc, 0, 0, s->rect.right - s->rect.left, s->rect.bottom - s->rect.top);
    LRESULT ignored = 0;
    Deliver(s, nullptr, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT, ignored);
    if (saved) ::RestoreDC(dc, saved);
  }
}

void InplaceHost::Invalidate(const SitePtr& site) {
  if (!site || site->life != InplaceSite::kLive) return;
  if (invalidate_handler) {
    // A copy: the handler may replace itself.
    const std::function<void(CInplaceItem*)> handler = invalidate_handler;
    handler(site->item);
  } else if (host_) {
    ::InvalidateRect(host_, &site->rect, FALSE);
  }
}
