// CInplaceItemContainer and the services CInplaceItem takes from it.
#include "screenshot/ui/CInplaceItemContainer.h"

#include "screenshot/ui/CInplaceItemContainer_impl.h"

// ---- the container -----------------------------------------------------------------------------

CInplaceItemContainer::CInplaceItemContainer() = default;

CInplaceItemContainer::~CInplaceItemContainer() { Detach(); }

CInplaceItem* CInplaceItemContainer::HitTestItem(POINT) { return nullptr; }

bool CInplaceItemContainer::Attach(HWND host) {
  if (impl_ || !host) return false;
  impl_ = std::make_shared<InplaceHost>(this, host);
  return true;
}

void CInplaceItemContainer::Detach() {
  // Kept alive to the end of this call even if an item's WM_DESTROY lets go of the container.
  std::shared_ptr<InplaceHost> impl = std::move(impl_);
  if (impl) impl->RemoveAll();
}

HWND CInplaceItemContainer::host() const { return impl_ ? impl_->host() : nullptr; }

bool CInplaceItemContainer::AddItem(CInplaceItem* item, DWORD flags, int x, int y, int width,
                                    int height, UINT id) {
  if (!impl_ || !item) return false;
  std::shared_ptr<InplaceHost> impl = impl_;
  return impl->AddItem(item, flags, RECT{x, y, x + width, y + height}, id);
}

void CInplaceItemContainer::RemoveItem(CInplaceItem* item) {
  std::shared_ptr<InplaceHost> impl = impl_;
  if (!impl) return;
  if (SitePtr site = impl->FindSite(item)) impl->RemoveSite(site, true);
}

void CInplaceItemContainer::SetItemRect(CInplaceItem* item, const RECT& rect) {
  std::shared_ptr<InplaceHost> impl = impl_;
  if (!impl) return;
  if (SitePtr site = impl->FindSite(item)) impl->SetSiteRect(site, rect);
}

void CInplaceItemContainer::ShowItem(CInplaceItem* item, bool visible) {
  SitePtr site = impl_ ? impl_->FindSite(item) : nullptr;
  if (!site) return;
  if (visible) {
    site->flags |= WS_VISIBLE;
  } else {
    site->flags &= ~static_cast<DWORD>(WS_VISIBLE);
    if (impl_->hot == site) impl_->hot.reset();
  }
}

void CInplaceItemContainer::EnableItem(CInplaceItem* item, bool enable) {
  SitePtr site = impl_ ? impl_->FindSite(item) : nullptr;
  if (!site) return;
  if (enable) {
    site->flags &= ~static_cast<DWORD>(WS_DISABLED);
  } else {
    site->flags |= WS_DISABLED;
    if (impl_->hot == site) impl_->hot.reset();
  }
}

bool CInplaceItemContainer::IsItemVisible(const CInplaceItem* item) const {
  SitePtr site = impl_ ? impl_->FindSite(item) : nullptr;
  return site && (site->flags & WS_VISIBLE);
}

BOOL CInplaceItemContainer::ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& lResult) {
  lResult = 0;
  std::shared_ptr<InplaceHost> impl = impl_;
  return impl ? impl->ProcessMessage(uMsg, wParam, lParam, lResult) : FALSE;
}

void CInplaceItemContainer::DrawItems(HDC dc) {
  std::shared_ptr<InplaceHost> impl = impl_;
  if (impl && dc) impl->DrawItems(dc);
}

void CInplaceItemContainer::SetInvalidateHandler(std::function<void(CInplaceItem*)> handler) {
  if (impl_) impl_->invalidate_handler = std::move(handler);
}

bool CInplaceItemContainer::IsOwnWindow(HWND window) const {
  return impl_ && window && (window == impl_->host() || window == impl_->helper());
}

CInplaceItem* CInplaceItemContainer::hot_item() const {
  return impl_ && impl_->hot ? impl_->hot->item : nullptr;
}

CInplaceItem* CInplaceItemContainer::capture_item() const {
  return impl_ && impl_->capture ? impl_->capture->item : nullptr;
}

CInplaceItem* CInplaceItemContainer::focus_item() const {
  return impl_ && impl_->focus ? impl_->focus->item : nullptr;
}

// ---- the item's services -----------------------------------------------------------------------

namespace {

// The item's site (kept for the call) and its host, or nulls.
struct Hosted {
  SitePtr site;
  std::shared_ptr<InplaceHost> host;
  explicit operator bool() const { return site && host; }
};

Hosted HostOf(InplaceSite* site) {
  Hosted h;
  if (!site) return h;
  h.host = site->host.lock();
  if (h.host) h.site = h.host->FindSite(site->item);
  return h;
}

}  // namespace

HRESULT CInplaceItem::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

ULONG CInplaceItem::AddRef() { return 0; }

ULONG CInplaceItem::Release() { return 0; }

void CInplaceItem::OnFinalMessage() {}

CInplaceItem::~CInplaceItem() {
  if (Hosted h = HostOf(site_)) h.host->RemoveSite(h.site, false);
  site_ = nullptr;
}

HWND CInplaceItem::GetHostWindow() const {
  Hosted h = HostOf(site_);
  return h ? h.host->host() : nullptr;
}

RECT CInplaceItem::GetItemRect() const { return site_ ? site_->rect : RECT{}; }

SIZE CInplaceItem::GetItemSize() const {
  const RECT r = GetItemRect();
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool CInplaceItem::SetItemCapture() {
  Hosted h = HostOf(site_);
  return h && h.host->SetCapture(h.site);
}

void CInplaceItem::ReleaseItemCapture() {
  if (Hosted h = HostOf(site_)) h.host->ReleaseCapture(h.site);
}

bool CInplaceItem::HasItemCapture() const {
  Hosted h = HostOf(site_);
  return h && h.host->capture == h.site && ::GetCapture() == h.host->helper();
}

bool CInplaceItem::SetItemTimer(UINT_PTR id, UINT elapse) {
  Hosted h = HostOf(site_);
  return h && h.host->SetTimer(h.site, id, elapse);
}

void CInplaceItem::KillItemTimer(UINT_PTR id) {
  if (Hosted h = HostOf(site_)) h.host->KillTimer(h.site, id);
}

bool CInplaceItem::PostItemMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  Hosted h = HostOf(site_);
  return h && h.host->Post(h.site, uMsg, wParam, lParam);
}

void CInplaceItem::InvalidateItem() {
  if (Hosted h = HostOf(site_)) h.host->Invalidate(h.site);
}

bool CInplaceItem::SetItemFocus() {
  Hosted h = HostOf(site_);
  return h && h.host->SetFocus(h.site);
}
