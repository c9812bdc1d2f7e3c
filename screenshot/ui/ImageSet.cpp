// ImageSet: the bitmaps, cursors and small font shared by the capture window and every bar.
#include "screenshot/ui/ImageSet.h"

#include "resource.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/layered_paint_win.h"

const UINT ImageSet::kResourceIds[ImageSet::kSlotCount] = {
    120, 121, 1080, 1081, 1082, 1083, 122,  123,  124,  125,  126,  105,  127, 129,
    131, 132, 135,  133,  134,  1043, 1046, 1045, 1039, 1041, 1040, 1042, 174, 1068};

ImageSet::~ImageSet() {
  for (HBITMAP& b : bitmaps_) {
    if (b) ::DeleteObject(b);
    b = nullptr;
  }
  if (font_) ::DeleteObject(font_);
  // Cursors loaded from resources are shared and need no destroying.
}

void ImageSet::LoadSlot(HINSTANCE instance, Slot slot) {
  if (bitmaps_[slot]) {
    ::DeleteObject(bitmaps_[slot]);
    bitmaps_[slot] = nullptr;
  }
  bitmaps_[slot] = LoadPremultipliedBitmap(instance, kResourceIds[slot]);
  if (!bitmaps_[slot])
    diag::Log(diag::kLogError, L"LoadImage [%u] Failed [%08X]", kResourceIds[slot],
              ::GetLastError());
}

void ImageSet::Load(HINSTANCE instance) {
  for (int s = 0; s < kSlotCount; ++s) LoadSlot(instance, static_cast<Slot>(s));
  cursor_normal_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_SNAP_CROSS));
  cursor_tool_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_SNAP_DRAW));

  if (!font_) {
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"arial", LF_FACESIZE);
    font_ = ::CreateFontIndirectW(&lf);
  }
}

ImageSet& SharedImages() {
  static ImageSet images;
  return images;
}
