// CreateFromTemplate: a window and its placeholder controls built from a dialog template.
//
// The bars lay themselves out with RT_DIALOG resources but are not dialogs in the usual sense:
// every number in their templates is a pixel, not a dialog unit, so that the layout does not move
// with the system font. The dialog manager would scale the template by the font, so it is only
// given an empty copy; the window size and every control are then applied as pixels here.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// Creates the dialog window for template |dialog_id| of |instance| and its controls, sized and
// placed in pixels; shown only when the template has WS_VISIBLE. Null when the resource is
// missing, cannot be loaded, is malformed (any field running past its end), or when the dialog
// cannot be created. Controls that cannot be created are skipped.
HWND CreateFromTemplate(HINSTANCE instance, UINT dialog_id, HWND parent, DLGPROC dialog_proc);

// The same from template bytes already in memory (|size| bytes at |data|). |instance| is the
// module given to the dialog and its controls and the one control titles given by number are
// loaded from.
HWND CreateFromTemplateData(HINSTANCE instance, const void* data, std::size_t size, HWND parent,
                            DLGPROC dialog_proc);

// A placeholder control read back from a created window: its id and its rectangle in the
// window's client coordinates (left <= right even in a mirrored window).
struct TemplateButton {
  int id = 0;
  RECT rect = {};
};

// Every direct child control of |window|, in Z order from the top.
std::vector<TemplateButton> ReadPlaceholderRects(HWND window);
// The rectangle of control |id| of |window|; false when there is no such control.
bool ReadPlaceholderRect(HWND window, int id, RECT* rect);
