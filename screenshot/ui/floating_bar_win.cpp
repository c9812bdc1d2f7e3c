// Steps the floating bars take alike: window, pictures, panel, palette block, presentation.
#include "screenshot/ui/floating_bar_win.h"

#include "screenshot/base/geometry_win.h"
#include "screenshot/base/palette.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/color_bar_logic.h"
#include "screenshot/ui/CreateFromTemplate.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace floatingbar {
namespace {

// The template's dialog needs a procedure; the bar's message map does all the work.
INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The surface's pixels as the pixel routines address them.
PixelView ViewOf(const LayeredSurface& surface) {
  PixelView view;
  view.top_row = reinterpret_cast<uint32_t*>(surface.top_row());
  view.row_step_pixels = surface.row_step() / 4;
  view.width = surface.width();
  view.height = surface.height();
  return view;
}

}  // namespace

void LoadPictures(HINSTANCE module, std::initializer_list<Picture> pictures) {
  for (const Picture& p : pictures) {
    p.slot->Reset(LoadPremultipliedBitmap(module, p.id));
    if (!*p.slot)
      diag::Log(diag::kLogError, L"LoadImage [%u] Failed [%08X]", p.id, ::GetLastError());
  }
}

HWND CreateFromLayout(HINSTANCE instance, UINT layout_id, HWND owner) {
  HWND window = CreateFromTemplate(instance, layout_id, owner, NoDialogProc);
  if (!window) {
    diag::Log(diag::kLogError, L"CreateFromTemplate [%u] Failed [%08X]", layout_id,
              ::GetLastError());
    return nullptr;
  }
  ::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(kExStyle));
  return window;
}

void PlaceTopmost(HWND window, int x, int y) {
  // The style word alone does not make a window topmost: only a move into the topmost band
  // does. Without it a bar could open under the topmost overlay it belongs to.
  ::SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void SetVisible(HWND window, bool visible) {
  if (window)
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Compose(HWND window, LayeredSurface& surface, HBITMAP panel, int margin, const wchar_t* name,
             const std::function<bool(HDC)>& controls) {
  RECT rect;
  if (!window || !::GetWindowRect(window, &rect)) return false;
  if (!surface.Create(rect.right - rect.left, rect.bottom - rect.top, 32)) return false;
  bool ok = true;
  {
    SurfaceDC dc(surface);
    if (!dc.get()) return false;
    BitmapSource source(panel);
    if (source.ok())
      ok = DrawNineGrid(dc.get(), 0, 0, surface.width(), surface.height(), source.dc(), 0, 0,
                        margin, margin, margin, margin, source.width(), source.height());
    ok &= controls(dc.get());
  }
  if (!ok) diag::Log(diag::kLogError, L"AlphaBlend [%s] Failed [%08X]", name, ::GetLastError());
  return true;
}

void Present(HWND window, LayeredSurface& surface, const wchar_t* name) {
  if (!PresentLayered(window, surface))
    diag::Log(diag::kLogError, L"UpdateLayeredWindow [%s] Failed [%08X]", name, ::GetLastError());
}

void PaintPalette(LayeredSurface& surface, const Rect& current, InplaceButton* const* swatches,
                  int color_index, const CInplaceButtonManager& buttons) {
  const PixelView view = ViewOf(surface);
  if (!view.top_row) return;
  ::GdiFlush();  // the blends made so far must land before the pixels are written directly
  if (!current.IsEmpty()) colorbar::PaintCurrentColor(view, current, palette::ColorOf(color_index));
  for (int i = 0; i < colorbar::kSwatchCount; ++i) {
    if (const InplaceButton* swatch = swatches[i])
      colorbar::PaintSwatch(view, FromRECT(swatch->rect), i, color_index,
                            buttons.GetButtonState(swatch));
  }
}

}  // namespace floatingbar
