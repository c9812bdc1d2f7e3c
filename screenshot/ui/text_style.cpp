// TextStyle: the text style the settings remember.
#include "screenshot/ui/text_style.h"

namespace textstyle {

TextStyle FromSettings(const SettingsValues& settings) {
  TextStyle style;
  style.face = settings.GetFaceName();
  style.height = settings.GetValidTextHeight();
  style.bold = settings.GetBold();
  style.italic = settings.GetItalic();
  style.color_index = settings.GetValidTextColorIndex();
  return style;
}

}  // namespace textstyle
