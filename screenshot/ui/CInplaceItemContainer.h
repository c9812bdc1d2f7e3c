// CInplaceItemContainer: hosts windowless items (CInplaceItem) inside one real window.
//
// The host window's object embeds the container as a member, attaches it to its window, adds its
// items with their rectangles, and passes every message its own map leaves unhandled to
// ProcessMessage (from its DefWindowProc slot, before the window base's). The container then:
//   * routes client mouse messages to the visible, enabled item under the pointer (points made
//     relative to the item), tracks the hot item and tells the one the pointer leaves
//     (WM_MOUSELEAVE); non-client mouse messages and WM_SETCURSOR likewise;
//   * sends keyboard messages to the focus item; WM_KILLFOCUS ends the item focus;
//   * gives items the capture, timers and posted messages through a hidden helper pop-up (made
//     on first need, destroyed with the container);
//   * composes its items into the host's picture (DrawItems) and forwards their repaint requests
//     to the host (SetInvalidateHandler).
//
// Items and sites refer back to the container through a weak reference, so an item, a timer or a
// queued message that outlives the container does nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

class CInplaceItem;
class InplaceHost;

class CInplaceItemContainer {
 public:
  CInplaceItemContainer();
  // Detaches: every item receives WM_DESTROY and leaves.
  virtual ~CInplaceItemContainer();
  CInplaceItemContainer(const CInplaceItemContainer&) = delete;
  CInplaceItemContainer& operator=(const CInplaceItemContainer&) = delete;

  // The one virtual slot: the host's own hit test, asked first for the item under a client point.
  // The base finds none (returns null) and the items' rectangles decide.
  virtual CInplaceItem* HitTestItem(POINT client_point);

  // Starts hosting in |host|. False when already attached or |host| is null.
  bool Attach(HWND host);
  // Every item receives WM_DESTROY and leaves; the helper window is destroyed. The host calls it
  // on WM_DESTROY; harmless when not attached.
  void Detach();
  bool IsAttached() const { return impl_ != nullptr; }
  HWND host() const;

  // Adds |item| at (x, y) with the size given, in host client coordinates. |flags| takes
  // WS_VISIBLE and WS_DISABLED. The item receives WM_CREATE (null window); when its map handles it
  // with a non-zero result the item is refused (it then receives WM_DESTROY) and false returned.
  // False too when not attached or the item is hosted already.
  bool AddItem(CInplaceItem* item, DWORD flags, int x, int y, int width, int height, UINT id);
  // Takes |item| out: it loses the hot state, focus, capture and timers, receives WM_DESTROY,
  // then OnFinalMessage. Unknown items are ignored.
  void RemoveItem(CInplaceItem* item);
  // Moves or resizes |item|; it receives WM_WINDOWPOSCHANGED and, when its size changed, WM_SIZE
  // (width in the low word of lParam, height in the high word). No repaint.
  void SetItemRect(CInplaceItem* item, const RECT& rect);
  // Shows or hides, enables or disables |item| (hidden and disabled items get no input, and
  // hidden ones are not drawn). No repaint.
  void ShowItem(CInplaceItem* item, bool visible);
  void EnableItem(CInplaceItem* item, bool enable);
  bool IsItemVisible(const CInplaceItem* item) const;

  // What the host's map left unhandled; non-zero when an item handled it, with its result.
  BOOL ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  // Draws every visible item into |dc| (host client coordinates), in the order they were added.
  void DrawItems(HDC dc);
  // Called when an item asks for a repaint.
  void SetInvalidateHandler(std::function<void(CInplaceItem*)> handler);

  // The host window or the helper window (which holds the capture for items).
  bool IsOwnWindow(HWND window) const;
  CInplaceItem* hot_item() const;
  CInplaceItem* capture_item() const;
  CInplaceItem* focus_item() const;

 private:
  std::shared_ptr<InplaceHost> impl_;
};
