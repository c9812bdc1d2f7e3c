// Steps the floating bars (main tool bar, colour bar, text bar) take alike: their window, their
// pictures, the panel they are composed on, the palette block and the presentation.
//
// Each bar keeps its own layout, controls and notifications; what is here is only what every bar
// does the same way, so that a bar's own files say what is particular to it.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

#include "screenshot/base/geometry.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/ui/CInplaceButtonManager.h"

class LayeredSurface;

namespace floatingbar {

// Extended style of a bar: no activation, layered, tool window (no task-bar button), topmost.
constexpr DWORD kExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
static_assert(kExStyle == 0x08080088, "the bars' extended style");

// One of a bar's own pictures: bitmap resource |id|, loaded premultiplied into |slot|.
struct Picture {
  ScopedBitmap* slot;
  UINT id;
};
// Loads every picture from |module|; one that fails is logged and leaves its slot empty, and the
// bar then paints without it.
void LoadPictures(HINSTANCE module, std::initializer_list<Picture> pictures);

// Builds the hidden bar window of dialog layout |layout_id| (used as a pixel layout), owned by
// |owner|, with the bars' extended style. Null, logged, when it cannot be made.
HWND CreateFromLayout(HINSTANCE instance, UINT layout_id, HWND owner);
// Moves |window| to the screen point (x, y) into the topmost band, without activating it.
void PlaceTopmost(HWND window, int x, int y);
// Shows or hides |window| where it is, without activating or restacking it; nothing when there
// is no window.
void SetVisible(HWND window, bool visible);

// Composes a bar into |surface|: a new 32-bit surface of |window|'s size, the |panel| picture
// drawn over all of it as a nine-grid with |margin| pixels of border on each side (nothing when
// the picture is missing), then |controls| drawing on the surface's device context. A failed
// blend (of the panel, or |controls| returning false) is logged under |name| and the surface is
// still kept. False when there is no window, or the surface or its device context cannot be made.
bool Compose(HWND window, LayeredSurface& surface, HBITMAP panel, int margin, const wchar_t* name,
             const std::function<bool(HDC)>& controls);
// Shows |surface| on the layered |window| where the window is; a failure is logged under |name|.
void Present(HWND window, LayeredSurface& surface, const wchar_t* name);

// Writes the palette block of a composed bar: the current-colour box |current| (none when empty)
// filled with the palette colour |color_index|, and each of the colorbar::kSwatchCount
// |swatches| that exists with the look its state in |buttons| gives it. The pixels are written
// directly, after the blends already made on the surface have landed.
void PaintPalette(LayeredSurface& surface, const Rect& current, InplaceButton* const* swatches,
                  int color_index, const CInplaceButtonManager& buttons);

// The button manager of a bar that paints everything at once: every repaint request, full or
// follow-up, repaints the whole |Bar| through its Paint.
template <class Bar>
class RepaintingButtons : public CInplaceButtonManager {
 public:
  explicit RepaintingButtons(Bar* bar) : bar_(bar) {}
  void DrawButton(DRAWITEMSTRUCT*) override { bar_->Paint(); }

 private:
  Bar* bar_;
};

}  // namespace floatingbar
