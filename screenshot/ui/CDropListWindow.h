// CDropListWindow: the popup both drop lists of the text bar are (the font list and the size list).
//
// It is a layered tool window of class "static" owned by the owner window, made by the list's
// first Open (CreatePopup) and hidden, not destroyed, by Hide. It holds the row buttons (an
// in-place button each, ids kDropListRowCommand + row), the windowless scroll bar on an in-place
// item host, the selected entry and the first visible one. While shown it is a message filter that
// hides the list on any press meant for another window of the thread. The wheel scrolls the rows
// by the scroll bar's arrow step. Each list composes its own picture (Compose) and says what a
// scroll does to its rows (OnScrolled, called when the first visible entry changed); |List| is the
// list class itself, so that these add no virtual operation to it. Both lists are instantiated in
// CDropListWindow.cpp.
#pragma once

#include <windows.h>

#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/CInplaceItemContainer.h"
#include "screenshot/ui/CInplaceScrollBar.h"

class LayeredSurface;

template <class List>
class CDropListWindow : public CWindowBase {
 public:
  // Stops filtering; the list's own destructor destroys the popup (DestroyPopup).
  ~CDropListWindow() override;

  // The window that owns the popup (the text bar); given before the first Open.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  void Hide();
  bool IsVisible() const;

  // ---- state, as the owner and the tests see it ----
  int selected_index() const { return selected_; }
  int first_visible() const { return first_visible_; }
  // Rows laid out now (none before the popup exists and after it is destroyed).
  int row_count() const { return static_cast<int>(rows_.size()); }
  const CInplaceScrollBar& scroll_bar() const { return scroll_bar_; }

  BEGIN_MSG_MAP(CDropListWindow)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  END_MSG_MAP()

  // What the maps leave goes to the scroll bar's host first.
  LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // Hides the list on a press meant for another window; never consumes.
  int FilterMessage(MSG* msg) override;

 protected:
  // |name| names the list in the debug log ("font list", "size list").
  explicit CDropListWindow(const wchar_t* name) : name_(name) {}

  // Repaints the whole list on every repaint request of a row.
  class CInternalButtonManager : public CInplaceButtonManager {
   public:
    explicit CInternalButtonManager(CDropListWindow& list) : list_(list) {}
    void DrawButton(DRAWITEMSTRUCT* dis) override;

   private:
    CDropListWindow& list_;
  };
  // Scrolls the rows and draws itself with the lists' pictures.
  class CInternalScrollBar : public CInplaceScrollBar {
   public:
    explicit CInternalScrollBar(CDropListWindow& list) : list_(list) {}
    void OnPositionChanged(int position) override;
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID) override;

   private:
    CDropListWindow& list_;
  };

  // Makes the popup and attaches the item host to it; the list then adds its scroll bar. False
  // (logged) when the window cannot be made.
  bool CreatePopup();
  // Hides the list and destroys the popup; called by each list's destructor, while its Compose
  // can still run.
  void DestroyPopup();
  // Moves the popup topmost to |at| with |size|, paints it, shows it and brings it to the
  // foreground, then starts filtering.
  void ShowAt(Point at, Size size);
  // The screen rectangle of the monitor under the middle of |button|'s bottom edge.
  static Rect MonitorBelow(const Rect& button);
  // Composes the popup's picture (the list's Compose) and presents it.
  void Paint();

  // Row r (the next one) as an in-place button over |rect|, with command kDropListRowCommand + r.
  void AddRow(const Rect& rect);
  void RemoveRows();
  // Frame of the row strip for row |r| (ListRowFrame).
  int RowFrame(int r, bool selected) const;
  // Shows the entries from |first| on: the scroll bar's position follows.
  void ScrollTo(int first);
  // The list's reaction to a new first visible entry (by the wheel, the scroll bar or ScrollTo);
  // a list that lays its rows out once hides this with its own.
  void OnScrolled() {}

  HWND owner_ = nullptr;
  int selected_ = -1;
  int first_visible_ = 0;
  std::vector<InplaceButton*> rows_;  // row r is rows_[r], owned by the button manager

  CInternalButtonManager btn_mgr_{*this};
  CInternalScrollBar scroll_bar_{*this};
  // After the scroll bar: destroyed first, so the bar still exists when it is told to leave.
  CInplaceItemContainer container_;

 private:
  void StopFiltering();
  // The scroll bar moved to |position|.
  void Scrolled(int position);
  // The list's own Compose and OnScrolled.
  List& list() { return static_cast<List&>(*this); }

  LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  const wchar_t* name_;
  bool filtering_ = false;
};
