// CHeightComboBox: the text bar's drop list of the 16 point sizes (8 to 72).
//
// Eight rows show at once beside an always-shown scroll bar. Sizes are offered in points and
// delivered in screen pixels: the pixel heights are computed once per process from the screen's
// vertical dots per inch, when the first list is constructed. A press on a row hides the list and
// calls OnHeightSelected with that row's pixel height. The popup (a layered tool window owned by
// the owner window) is made on the first Open and hidden by Hide; while shown the list hides
// itself on any press meant for another window of the thread, as the font list does.
#pragma once

#include <windows.h>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/CInplaceItemContainer.h"
#include "screenshot/ui/CInplaceScrollBar.h"
#include "screenshot/ui/drop_list_layout.h"
#include "screenshot/ui/point_sizes.h"

class LayeredSurface;

class CHeightComboBox : public CWindowBase {
 public:
  // Computes the process's pixel heights if no list has yet; creates the label font.
  CHeightComboBox();
  ~CHeightComboBox() override;

  // The pixel height of every point size at the screen's resolution (computed on first use).
  static const int* PixelHeights();
  // The point size the size button shows for a text |pixel_height| (point_sizes.h's rule).
  static int PointSizeFor(int pixel_height);

  // The window that owns the popup (the text bar); given before the first Open.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  // Shows the list below |anchor| (the size button, screen coordinates) with |point_size|
  // selected (none when it is not one of the sizes). False when the popup cannot be made.
  bool Open(const RECT& anchor, int point_size);
  void Hide();
  bool IsVisible() const;

  // Slot 6: a size was chosen; |pixel_height| is its height in screen pixels. The list is hidden
  // already; the owner applies it (the text bar: OnFontHeightChanged).
  virtual void OnHeightSelected(int pixel_height);

  // ---- state, as the owner and the tests see it ----
  int selected_index() const { return selected_; }
  int first_visible() const { return first_visible_; }
  Size window_size() const { return geometry_.window; }
  // Row |r| (0 to 7) in client coordinates.
  Rect row_rect(int r) const;
  Rect scroll_bar_rect() const { return geometry_.scroll; }
  const CInplaceScrollBar& scroll_bar() const { return scroll_bar_; }
  bool Compose(LayeredSurface& surface);

  BEGIN_MSG_MAP(CHeightComboBox)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  // The window class reports a quick second click as a double click: on a row it is a press.
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDown)
  MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  END_MSG_MAP()

  // What the map leaves goes to the scroll bar's host first.
  LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // Hides the list on a press meant for another window; never consumes.
  int FilterMessage(MSG* msg) override;

 private:
  // Repaints the whole list on every repaint request of a row.
  class CInternalButtonManager : public CInplaceButtonManager {
   public:
    explicit CInternalButtonManager(CHeightComboBox& list) : list_(list) {}
    void DrawButton(DRAWITEMSTRUCT* dis) override;

   private:
    CHeightComboBox& list_;
  };
  // Scrolls the sizes and draws itself with the list's pictures.
  class CInternalScrollBar : public CInplaceScrollBar {
   public:
    explicit CInternalScrollBar(CHeightComboBox& list) : list_(list) {}
    void OnPositionChanged(int position) override;
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID) override;

   private:
    CHeightComboBox& list_;
  };

  bool CreatePopup();
  void Paint();
  void StopFiltering();

  LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  HWND owner_ = nullptr;
  ScopedFont label_font_;
  int selected_ = -1;
  int first_visible_ = 0;
  SizeListGeometry geometry_;
  InplaceButton* rows_[kSizeListRows] = {};  // owned by the button manager
  bool filtering_ = false;

  CInternalButtonManager btn_mgr_{*this};
  CInternalScrollBar scroll_bar_{*this};
  // After the scroll bar: destroyed first, so the bar still exists when it is told to leave.
  CInplaceItemContainer container_;
};
