// Painting shared by the font and size drop lists.
#include "screenshot/ui/drop_list_paint_win.h"

#include "resource.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/CInplaceScrollBar.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/layered_paint_win.h"

namespace {

// Frames of every strip the lists use: normal, hot, pressed, disabled.
constexpr int kStripFrames = 4;
constexpr int kBorder = 3;

// The shared image loaded from bitmap resource |id| (looked up by resource, not by slot name).
HBITMAP SharedBitmap(UINT id) {
  for (int s = 0; s < ImageSet::kSlotCount; ++s)
    if (ImageSet::kResourceIds[s] == id)
      return SharedImages().bitmap(static_cast<ImageSet::Slot>(s));
  return nullptr;
}

// Frame |frame| of a four-frame strip blended over |r|: as a nine-grid, or stretched whole.
void DrawStripFrame(HDC dc, UINT id, const Rect& r, int frame, bool nine_grid) {
  if (r.IsEmpty()) return;
  BitmapSource strip(SharedBitmap(id));
  if (!strip.ok()) return;
  const int w = strip.width() / kStripFrames, h = strip.height();
  if (w <= 0 || h <= 0) return;
  if (nine_grid)
    DrawNineGrid(dc, r.left, r.top, r.Width(), r.Height(), strip.dc(), frame * w, 0, kBorder,
                 kBorder, kBorder, kBorder, w, h);
  else
    ::AlphaBlend(dc, r.left, r.top, r.Width(), r.Height(), strip.dc(), frame * w, 0, w, h,
                 kPremultipliedBlend);
}

}  // namespace

LOGFONTW DropListInterfaceFont() {
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfHeight = -11;
  lf.lfWidth = 0;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"arial", LF_FACESIZE);
  return lf;
}

int DropListScrollBarWidth() {
  BITMAP info = {};
  HBITMAP arrows = SharedBitmap(IDB_SCROLL_UP);
  if (!arrows || ::GetObjectW(arrows, sizeof(info), &info) != sizeof(info) || info.bmWidth < 4)
    return 12;
  return info.bmWidth / kStripFrames;
}

void DrawListPanel(HDC dc, Size size) {
  BitmapSource panel(SharedBitmap(IDB_LIST_BG));
  if (panel.ok())
    DrawNineGrid(dc, 0, 0, size.width, size.height, panel.dc(), 0, 0, kBorder, kBorder, kBorder,
                 kBorder, panel.width(), panel.height());
}

int ListRowFrame(const CInplaceButtonManager& buttons, const InplaceButton* row, bool selected) {
  const UINT state = buttons.GetButtonState(row);
  if (state & CInplaceButtonManager::kStatePressed) return 2;
  if (state & CInplaceButtonManager::kStateDisabled) return 3;
  if ((state & CInplaceButtonManager::kStateHot) || selected) return 1;
  return 0;
}

void DrawListRow(HDC dc, const Rect& row, int frame) {
  DrawStripFrame(dc, IDB_LIST_ROW, row, frame, true);
}

void DrawListText(HDC dc, const Rect& rect, HFONT font, const wchar_t* text, TextColour colour) {
  BlendText(dc, rect.left, rect.top, rect.Width(), rect.Height(), font, text, -1,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, colour);
}

void DrawListScrollBar(HDC dc, const CInplaceScrollBar& bar) {
  const ScrollBarLayout layout = bar.Layout();
  const int disabled = layout.has_thumb ? -1 : 3;
  auto look = [&](int part) { return disabled >= 0 ? disabled : bar.PartLook(part); };
  DrawStripFrame(dc, IDB_SCROLL_TRACK, layout.track_above, look(kScrollPartTrackAbove), false);
  DrawStripFrame(dc, IDB_SCROLL_TRACK, layout.track_below, look(kScrollPartTrackBelow), false);
  DrawStripFrame(dc, IDB_SCROLL_UP, layout.up, look(kScrollPartUp), false);
  DrawStripFrame(dc, IDB_SCROLL_DOWN, layout.down, look(kScrollPartDown), false);
  if (layout.has_thumb)
    DrawStripFrame(dc, IDB_SCROLL_THUMB, layout.thumb, bar.PartLook(kScrollPartThumb), true);
}
