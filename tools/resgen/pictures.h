// The engine's pictures: every bitmap resource, the two cursors and the launcher icon, each drawn
// by one short function. Shared palette and building blocks live here too.
#pragma once

#include <vector>

#include "raster.h"

namespace resgen {

// One bitmap resource: its id and the function that draws it (its size is the engine's, from
// screenshot/res/bitmap_sizes.h).
struct Picture {
  int id;
  Canvas (*draw)();
};

std::vector<Picture> toolPictures();     // main tool bar and menu icons, their highlights
std::vector<Picture> panelPictures();    // panels, lines, logo, tooltip background
std::vector<Picture> barPictures();      // colour bar, text bar, drop lists, scroll bar
std::vector<Picture> textBoxPictures();  // in-place text box frame pieces

struct CursorPicture {
  int id;
  int hotX;
  int hotY;
  Canvas (*draw)();
};
std::vector<CursorPicture> cursorPictures();
// The launcher icon at one of its sizes (16, 32, 48).
Canvas launcherIcon(int size);

namespace palette {
const Color ink = {0x2B / 255.0, 0x2B / 255.0, 0x2B / 255.0, 1};      // icon strokes
const Color inkSoft = {0x5A / 255.0, 0x60 / 255.0, 0x66 / 255.0, 1};  // secondary strokes
const Color accent = {2 / 255.0, 169 / 255.0, 255 / 255.0, 1};        // the selection frame
const Color accentDark = {0 / 255.0, 118 / 255.0, 204 / 255.0, 1};
const Color danger = {0xE0 / 255.0, 0x45 / 255.0, 0x45 / 255.0, 1};
const Color white = {1, 1, 1, 1};
const Color border = {0xC4 / 255.0, 0xCD / 255.0, 0xD6 / 255.0, 1};  // panel outlines
const Color shadow = {0, 0, 0, 1};
}  // namespace palette

// Highlight frame of a button: hover is light blue, pressed a darker blue.
Canvas highlightFrame(int w, int h, bool pressed, double radius = 3.0);
// An icon's two frames: as drawn, and greyed.
Canvas enabledAndGreyed(const Canvas& icon);
// A rounded white panel of the final size w x h whose nine-grid margins are given; drawn large and
// collapsed so the stretchable middle is uniform. shadowSize > 0 adds a soft drop shadow on the
// right and bottom (inside the right and bottom margins).
Canvas roundPanel(int w, int h, int left, int top, int right, int bottom, double radius,
                  double shadowSize = 0);

}  // namespace resgen
