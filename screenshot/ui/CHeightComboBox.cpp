// CHeightComboBox: the text bar's drop list of the 16 point sizes.
#include "screenshot/ui/CHeightComboBox.h"

#include <windowsx.h>

#include <cwchar>

#include "screenshot/base/geometry_win.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/drop_list_paint_win.h"

namespace {

// Filled once per process, by the first list (its last entry is 0 until then).
int g_pixel_heights[kPointSizeCount] = {};

}  // namespace

// ---- the process's sizes -----------------------------------------------------------------------

const int* CHeightComboBox::PixelHeights() {
  if (g_pixel_heights[kPointSizeCount - 1] == 0) {
    ScopedWindowDC screen;
    int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (dpi <= 0) dpi = 96;  // no screen to ask: the system's default
    ComputePixelHeights(dpi, g_pixel_heights);
  }
  return g_pixel_heights;
}

int CHeightComboBox::PointSizeFor(int pixel_height) {
  return PointSizeForPixelHeight(pixel_height, PixelHeights());
}

// ---- the list ----------------------------------------------------------------------------------

CHeightComboBox::CHeightComboBox() : CDropListWindow(L"size list") {
  PixelHeights();
  const LOGFONTW lf = DropListInterfaceFont();
  label_font_.Reset(::CreateFontIndirectW(&lf));
}

CHeightComboBox::~CHeightComboBox() { DestroyPopup(); }

void CHeightComboBox::OnHeightSelected(int) {}

bool CHeightComboBox::CreatePopup() {
  if (!CDropListWindow::CreatePopup()) return false;
  geometry_ = LayoutSizeList(DropListScrollBarWidth());
  for (const Rect& row : geometry_.rows) AddRow(row);
  const Rect& s = geometry_.scroll;
  container_.AddItem(&scroll_bar_, WS_VISIBLE, s.left, s.top, s.Width(), s.Height(), 0);
  scroll_bar_.SetMaximum(kPointSizeCount - 1);
  scroll_bar_.SetPage(kSizeListRows);
  scroll_bar_.SetArrowStep(kSizeListArrowStep);
  return true;
}

bool CHeightComboBox::Open(const RECT& anchor, int point_size) {
  if (!m_hWnd && !CreatePopup()) return false;
  selected_ = PointSizeIndex(point_size);
  ScrollTo(SizeListFirstVisible(selected_));

  const Rect button = Normalized(FromRECT(anchor));
  const Size size = geometry_.window;
  ShowAt(PlaceSizeList(button, size, MonitorBelow(button)), size);
  return true;
}

Rect CHeightComboBox::row_rect(int r) const {
  return r >= 0 && r < kSizeListRows ? geometry_.rows[r] : Rect{};
}

// ---- painting ----------------------------------------------------------------------------------

bool CHeightComboBox::Compose(LayeredSurface& surface) {
  const Size size = geometry_.window;
  if (size.width <= 0 || !surface.Create(size.width, size.height)) return false;
  SurfaceDC dc(surface);
  if (!dc.get()) return false;
  DrawListPanel(dc.get(), size);
  for (int r = 0; r < row_count(); ++r) {
    const int index = first_visible_ + r;
    if (index >= kPointSizeCount) break;
    const bool selected = index == selected_;
    DrawListRow(dc.get(), geometry_.rows[r], RowFrame(r, selected));
    wchar_t label[16];
    std::swprintf(label, 16, L"%d", kPointSizes[index]);
    DrawListText(dc.get(), Grown(geometry_.rows[r], -4, -2, -4, -2), label_font_.get(), label,
                 selected ? kListStrongTextColour : kListTextColour);
  }
  container_.DrawItems(dc.get());
  return true;
}

// ---- messages ----------------------------------------------------------------------------------

// A press on a row chooses at once (the font list waits for the click's release).
LRESULT CHeightComboBox::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  for (int r = 0; r < row_count(); ++r) {
    const int index = first_visible_ + r;
    if (!::PtInRect(&rows_[r]->rect, pt) || index >= kPointSizeCount) continue;
    Hide();
    OnHeightSelected(PixelHeights()[index]);
    return 0;
  }
  bHandled = FALSE;
  return 0;
}
