// CFontComboBox's picture: the panel, one row per visible entry and the scroll bar.
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/LayeredSurface.h"
#include "screenshot/ui/drop_list_paint_win.h"

bool CFontComboBox::Compose(LayeredSurface& surface) {
  if (window_size_.width <= 0 || window_size_.height <= 0 ||
      !surface.Create(window_size_.width, window_size_.height))
    return false;
  SurfaceDC dc(surface);
  if (!dc.get()) return false;
  DrawListPanel(dc.get(), window_size_);
  for (int r = 0; r < row_count(); ++r) {
    const int index = first_visible_ + r;
    if (index >= static_cast<int>(entries_.size())) break;
    const FontListEntry& e = entries_[index];
    const Rect row = row_rect(r);
    const bool selected = index == selected_;
    DrawListRow(dc.get(), row, RowFrame(r, selected));
    // The selected face and the recent ones in black, the rest of the catalogue in blue.
    const TextColour colour =
        selected || index < recent_count_ ? kListStrongTextColour : kListTextColour;
    Rect text = Grown(row, -3, -2, -3, -2);
    const wchar_t* name = e.font.lfFaceName;
    if (e.kind == FaceKind::kNameAndSample || e.kind == FaceKind::kNameOnly) {
      DrawListText(dc.get(), text, interface_font_.get(), name, colour);
      text.left += e.extra_width;
    }
    if (e.kind == FaceKind::kNormal || e.kind == FaceKind::kNameAndSample) {
      ScopedFont own(::CreateFontIndirectW(&e.font));
      DrawListText(dc.get(), text, own.get(), name, colour);
    }
  }
  container_.DrawItems(dc.get());
  return true;
}
