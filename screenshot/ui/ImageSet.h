// ImageSet: the bitmaps, cursors and small font loaded once when the engine starts and shared by
// the capture window and every bar. Bitmaps are premultiplied so they can be alpha-blended as is.
#pragma once

#include <windows.h>

class ImageSet {
 public:
  // Slots, in load order, with the resource each holds.
  enum Slot {
    kLogo,              // 120
    kShadowSquare,      // 121
    kMenuPanel,         // 1080: context menu background
    kMenuHighlight,     // 1081: context menu item frames (hover, checked)
    kMenuSeparator,     // 1082
    kVerticalLine,      // 1083
    kToolbarPanel,      // 122: main tool bar background
    kToolbarHighlight,  // 123: tool button frames (hover, pressed)
    kIconRectangle,     // 124
    kIconEllipse,       // 125
    kIconArrow,         // 126
    kIconBrush,         // 105
    kIconText,          // 127
    kIconUndo,          // 129
    kIconDelete,        // 131
    kIconFinish,        // 132: check mark with the finish word
    kIconCheck,         // 135
    kIconSave,          // 133
    kIconExit,          // 134
    kDropButton,        // 1043
    kListPanel,         // 1046
    kListRow,           // 1045
    kScrollArrow,       // 1039
    kScrollThumb,       // 1041
    kScrollArrowAlt,    // 1040
    kScrollTrack,       // 1042
    kIconMosaic,        // 174
    kFinishHighlight,   // 1068
    kSlotCount
  };
  static const UINT kResourceIds[kSlotCount];

  ImageSet() = default;
  ~ImageSet();
  ImageSet(const ImageSet&) = delete;
  ImageSet& operator=(const ImageSet&) = delete;

  // Loads every slot, both cursors and the font from the module's resources. Slots that fail stay
  // null (and are logged); the caller goes on, drawing what it has.
  void Load(HINSTANCE instance);
  // (Re)loads one slot, deleting the bitmap it held first.
  void LoadSlot(HINSTANCE instance, Slot slot);

  HBITMAP bitmap(Slot slot) const { return bitmaps_[slot]; }
  // The capture window's ordinary cursor (103) and the one a drawing tool shows over the
  // selection before its first stroke (175).
  HCURSOR normal_cursor() const { return cursor_normal_; }
  HCURSOR tool_cursor() const { return cursor_tool_; }
  // "arial", 11 pixels: the magnifier texts and small widget texts.
  HFONT small_font() const { return font_; }

 private:
  HBITMAP bitmaps_[kSlotCount] = {};
  HCURSOR cursor_normal_ = nullptr;
  HCURSOR cursor_tool_ = nullptr;
  HFONT font_ = nullptr;
};

// The process-wide set, loaded at start-up.
ImageSet& SharedImages();
