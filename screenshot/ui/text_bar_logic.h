// The text bar's window-free rules: its controls, where a point on it lies (on a control, on the
// drag handle or off the bar), which frame its drop buttons and toggles show, which button's
// tooltip a point asks for, and where the size button prints its label.
//
// The swatches and the colour box look and behave as on the colour bar (color_bar_logic.h); the
// bar reuses those routines.
#pragma once

#include <vector>

#include "screenshot/base/geometry.h"
#include "screenshot/ui/color_bar_logic.h"

namespace textbar {

// Control ids of the bar's layout (dialog template 302). Swatches and the colour box have the
// colour bar's ids.
constexpr int kBoldId = 1023;
constexpr int kItalicId = 1024;
constexpr int kSizeButtonId = 1025;
constexpr int kFontButtonId = 1027;

// The size label: 3 pixels in from the size button's left edge.
constexpr int kLabelInset = 3;
// The font glyph: 5 pixels in from the font button's left edge.
constexpr int kGlyphInset = 5;
// Nine-grid borders of the drop buttons' frame strip (left, top, right, bottom).
constexpr int kDropBorderLeft = 3, kDropBorderTop = 11, kDropBorderRight = 22,
              kDropBorderBottom = 11;

// The bar's controls in client coordinates, as the layout places them; a control missing from
// the layout has an empty rectangle.
struct Layout {
  Rect size_button, font_button, bold, italic, current_color;
  Rect swatches[colorbar::kSwatchCount];
};

// Every rectangle of the layout that is an in-place button (all but the colour box), empty ones
// left out.
std::vector<Rect> ButtonRects(const Layout& layout);

// Where a point of the bar lies, by the colour bar's rule: on a button or within half a swatch
// of the swatch block (the union of the first and the last swatch) -> on a control; anywhere
// else in the client area -> the drag handle; off the client area -> the drag handle while the
// screen point is still in the window, else outside.
colorbar::PointClass Classify(Point client_point, const Rect& client, const Layout& layout,
                              bool screen_point_in_window);

// Frames of the drop buttons' three-frame strip, and of the toggles' two-frame strip.
enum class DropFrame { kNormal = 0, kHot = 1, kPressed = 2 };
enum class ToggleFrame { kNone = -1, kHot = 0, kPressedOrOn = 1 };

// |state| is the button manager's state of the button (colorbar::kStatePressed, kStateHot).
DropFrame DropButtonFrame(unsigned state);
// Hover wins: a toggle that is on and hovered shows the hot frame; pressed or on shows the other;
// off and idle shows none.
ToggleFrame ToggleButtonFrame(unsigned state, bool on);

// Which button's tooltip a client point asks for: the size button, bold, italic, then the font
// button, in that order (kNone over none of them).
enum class TipTarget { kNone, kSize, kBold, kItalic, kFont };
TipTarget TooltipTargetAt(const Layout& layout, Point client_point);

// Where the size label is printed: the size button from 3 pixels in, its full height (the text
// is centred vertically in it).
Rect SizeLabelRect(const Rect& size_button);

}  // namespace textbar
