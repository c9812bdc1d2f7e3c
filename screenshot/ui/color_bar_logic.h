// The colour and pen bar's window-free rules: its controls, where a point on it lies (on a
// control, on the drag handle or off the bar), the looks of its swatches, colour box and width
// buttons, and the pixel routines the swatches and the box are painted with.
//
// Rectangles given to the pixel routines include their right and bottom edges: a swatch placed
// at (112, 6) with a 10 x 10 rectangle covers 11 x 11 pixels, x 112..122 and y 6..16. Hit tests
// keep the usual exclusive edges.
#pragma once

#include <cstdint>
#include <vector>

#include "screenshot/base/geometry.h"

namespace colorbar {

// Control ids of the bar's layout (dialog template 301).
constexpr int kSwatchFirstId = 1001;  // swatch of palette index i is 1001 + i
constexpr int kSwatchCount = 16;
constexpr int kCurrentColorId = 1017;  // the box that shows the chosen colour
constexpr int kWidthFirstId = 1019;    // width button of index i is 1019 + i
constexpr int kWidthCount = 3;

constexpr int kBackgroundMargin = 3;  // nine-grid margins of the panel on every side

// Dark frame of the selected and hovered swatches and of white boxes: RGB(51, 91, 145).
constexpr uint32_t kFrameColorref = 0x00915B33u;
constexpr uint32_t kWhiteColorref = 0x00FFFFFFu;
constexpr int kWhiteIndex = 8;

// Button state bits as the button manager reports them.
constexpr unsigned kStatePressed = 0x01;
constexpr unsigned kStateHot = 0x40;

// Palette index of a swatch id, width index of a width-button id; -1 for any other id.
int SwatchIndexOfId(int id);
int WidthIndexOfId(int id);

// The opaque 0xAARRGGBB pixel of a COLORREF (0x00BBGGRR); its top byte is ignored.
uint32_t OpaquePixel(uint32_t colorref);

// Fills `r`, right and bottom edges included, clipped to the view. Nothing is drawn unless the
// clipped rectangle has left < right and top < bottom.
void FillInclusive(const PixelView& view, const Rect& r, uint32_t pixel);
// A 1-pixel frame along the four edges of `r` (right column x = right, bottom row y = bottom),
// clipped to the view; a side whose edge lies outside the view is left out. Nothing is drawn
// unless the clipped rectangle has left < right and top < bottom.
void FrameInclusive(const PixelView& view, const Rect& r, uint32_t pixel);

// Paints swatch `index` (its palette colour, opaque) in `r` with its border: the two-pixel
// selection border (dark outside, white inside) when it is the current colour or pressed or
// hovered (for the white swatch the hover border starts one pixel further in at the top and
// left), else a dark frame for the white swatch only. `state` is the manager's button state.
void PaintSwatch(const PixelView& view, const Rect& r, int index, int current_index,
                 unsigned state);
// Paints the current-colour box: the colour, opaque, with a dark frame when it is white.
void PaintCurrentColor(const PixelView& view, const Rect& r, uint32_t colorref);

// Which half of the width-button frame picture goes under a width button's dot.
enum class WidthFrame { kNone, kHover, kPressed };
// Hover wins: a current width that is hovered shows the hover frame. The pressed frame shows for
// a button held down with the pointer on it, or for the current width.
WidthFrame WidthButtonFrame(int index, int current_index, unsigned state);

// Top-left corner of a picture of `picture` size centred in `button` (halves rounded toward
// zero, so a picture larger than the button reaches past its top or left edge).
Point CentredIn(const Rect& button, Size picture);

// Where a point of the bar lies.
enum class PointClass { kOutside, kOnControl, kDragArea };

// The swatches' area as the drag handle sees it: the union of the first and the last swatch,
// grown on each side by half the first swatch's width and height. Presses in the gaps between
// swatches land in it, so they never start a drag.
Rect PaletteArea(const Rect& first_swatch, const Rect& last_swatch);

// Classifies a point of the bar. `client_point` is in client coordinates of a bar whose client
// rectangle is `client`; `buttons` are the buttons' rectangles (disabled ones too);
// `screen_point_in_window` tells whether the same point in screen coordinates is inside the
// window rectangle (it can be while outside the client area). Inside the client area: in the
// palette area or on a button -> on a control, anywhere else -> the drag area.
PointClass ClassifyPoint(Point client_point, const Rect& client, const Rect& palette_area,
                         const std::vector<Rect>& buttons, bool screen_point_in_window);

}  // namespace colorbar
