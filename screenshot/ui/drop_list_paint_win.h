// Painting shared by the font and size drop lists: their panel, row frames, texts and the
// pictures their scroll bars are drawn with (all from the shared image set).
#pragma once

#include <windows.h>

#include "screenshot/base/geometry.h"
#include "screenshot/ui/text_coverage.h"

class CInplaceButtonManager;
class CInplaceScrollBar;
struct InplaceButton;

// Row texts: the catalogue's dark blue, and black for the selected entry and recent faces.
constexpr TextColour kListTextColour = {18, 59, 110};
constexpr TextColour kListStrongTextColour = {0, 0, 0};

// The interface font of the lists: "arial", 11 pixels, weight 400, every character set. The size
// labels and the special faces' names are drawn in it.
LOGFONTW DropListInterfaceFont();

// The scroll bar's width: a quarter of the arrow strip's width (four frames side by side); 12
// when the picture is missing.
int DropListScrollBarWidth();

// The panel (bitmap 1046) stretched as a nine-grid with 3-pixel borders over |size|.
void DrawListPanel(HDC dc, Size size);

// Frame of the row strip (bitmap 1045) for a row button: 2 pressed, 1 hot or selected, 3
// disabled, 0 otherwise.
int ListRowFrame(const CInplaceButtonManager& buttons, const InplaceButton* row, bool selected);
// One frame of the row strip as a nine-grid with 3-pixel borders over |row|.
void DrawListRow(HDC dc, const Rect& row, int frame);

// |text| in |font| and |colour|, single line, vertically centred, no prefix, inside |rect|.
void DrawListText(HDC dc, const Rect& rect, HFONT font, const wchar_t* text, TextColour colour);

// Draws |bar| in its own coordinates from the arrow (1039, 1041), thumb (1040) and track (1042)
// strips, each part in the frame of its look (CInplaceScrollBar::PartLook); the thumb as a
// nine-grid with 3-pixel borders, the rest stretched. Arrows show the disabled frame when there is
// nothing to scroll.
void DrawListScrollBar(HDC dc, const CInplaceScrollBar& bar);
