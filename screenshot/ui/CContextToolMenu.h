// CContextToolMenu: the capture window's right-click menu, drawn by the engine itself.
//
// Built from menu resource 109 (texts, ids, separators) with an icon per item from the shared
// image set, shown as a layered pop-up that never takes the focus, and run as a modal loop that
// returns the chosen command id. One in-place button per item gives hover tracking; the caller
// checks and enables items before showing the menu.
//
// Lifetime: the caller owns the object. Create it (new or on the stack), Create(), set the items,
// TrackPopup, then DestroyWindow(menu.hwnd()) and delete the object (or let it go out of scope).
// Destroying the window never deletes the object; deleting the object destroys a window that is
// still there.
//
// Resources come from CWindowBase::Module() (the menu) and SharedImages() (the pictures), both
// loaded before Create.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/context_menu_layout.h"

class LayeredSurface;

class CContextToolMenu : public CWindowBase {
 public:
  CContextToolMenu();  // creates the font
  ~CContextToolMenu() override;

  // Makes the (hidden) window and the items from menu resource 109 and sizes the window. False
  // when the window or the menu cannot be made (nothing is left behind), or when called twice.
  bool Create();
  // Ids that are not in the menu are ignored. No repaint: set them before TrackPopup.
  void SetItemCheck(UINT id, bool checked);
  void EnableItem(UINT id, bool enable);
  // Shows the menu near the screen point (x, y), opening up and/or left when it does not fit on
  // that monitor, and runs it until an item is chosen (its id), or until a click elsewhere, Esc
  // (arriving as WM_HOTKEY) or WM_QUIT (0). Returns 0 at once while another menu is open.
  UINT TrackPopup(int x, int y);

  // The window size.
  SIZE size() const { return size_; }
  // The rectangle of item |id| in client coordinates; false when it is not in the menu.
  bool GetItemRect(UINT id, RECT* rect) const;
  // The text item |id| shows now: for the tool bar item the second alternative when checked.
  std::wstring GetItemText(UINT id) const;
  // Composes the menu as it is presented (items in their current states).
  bool Compose(LayeredSurface& surface) const;

  BEGIN_MSG_MAP(CContextToolMenu)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  END_MSG_MAP()

 private:
  // One item's drawing data, kept as its button's user data.
  struct MenuItemRecord {
    HBITMAP image = nullptr;  // from the shared image set: the icon, the separator line, or null
    int separator = 0;
    int text_x = 0;     // left edge of the text column
    std::wstring text;  // may hold two alternatives separated by a line feed
  };

  // Repaints the whole menu on every request; frees the item records.
  class CBtnMgr : public CInplaceButtonManager {
   public:
    explicit CBtnMgr(CContextToolMenu& menu) : menu_(menu) {}
    void DrawButton(DRAWITEMSTRUCT* dis) override;
    void OnButtonRemoved(InplaceButton* button, LONG_PTR user_data) override;

   private:
    CContextToolMenu& menu_;
  };

  static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

  // Reads the menu resource into one button per item (separators included) and lays them out.
  bool BuildItems();
  // Adds item |index| of |popup|, measuring its text on |measure|.
  void AddItem(HMENU popup, int index, HDC measure, HBITMAP separator_image,
               std::vector<MenuItemMetrics>* metrics);
  static const MenuItemRecord* Record(const InplaceButton* button) {
    return reinterpret_cast<const MenuItemRecord*>(button->user_data);
  }
  const InplaceButton* FindItem(UINT id) const;
  // Composes and presents the menu with its top-left corner at |at| (screen coordinates).
  void Paint(POINT at);
  void Hide();
  UINT RunModalLoop();

  LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  std::vector<InplaceButton*> items_;  // in resource order
  CBtnMgr btn_mgr_{*this};
  SIZE size_ = {0, 0};
  HFONT font_ = nullptr;
  int cancel_ = 0;  // set by the mouse hook when any button goes down
};
