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

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CDropListWindow.h"
#include "screenshot/ui/drop_list_layout.h"
#include "screenshot/ui/point_sizes.h"

class LayeredSurface;

class CHeightComboBox : public CDropListWindow<CHeightComboBox> {
 public:
  // Computes the process's pixel heights if no list has yet; creates the label font.
  CHeightComboBox();
  ~CHeightComboBox() override;

  // The pixel height of every point size at the screen's resolution (computed on first use).
  static const int* PixelHeights();
  // The point size the size button shows for a text |pixel_height| (point_sizes.h's rule).
  static int PointSizeFor(int pixel_height);

  // Shows the list below |anchor| (the size button, screen coordinates) with |point_size|
  // selected (none when it is not one of the sizes). False when the popup cannot be made.
  bool Open(const RECT& anchor, int point_size);

  // Slot 6: a size was chosen; |pixel_height| is its height in screen pixels. The list is hidden
  // already; the owner applies it (the text bar: OnFontHeightChanged).
  virtual void OnHeightSelected(int pixel_height);

  // ---- state, as the owner and the tests see it ----
  Size window_size() const { return geometry_.window; }
  // Row |r| (0 to 7) in client coordinates.
  Rect row_rect(int r) const;
  Rect scroll_bar_rect() const { return geometry_.scroll; }
  bool Compose(LayeredSurface& surface);

  BEGIN_MSG_MAP(CHeightComboBox)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  // The window class reports a quick second click as a double click: on a row it is a press.
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDown)
  CHAIN_MSG_MAP(CDropListWindow)
  END_MSG_MAP()

 private:
  bool CreatePopup();

  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  ScopedFont label_font_;
  SizeListGeometry geometry_;
};
