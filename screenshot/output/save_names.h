// Name rules of the save dialog: the image types it offers, its filter text, the names it proposes
// and the extension a confirmed name ends with.
//
// The dialog asks the file system and the user; everything it decides from what they answer is
// here, so that the rules can be checked without a window.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One type the dialog offers: its description ("Png files") and its extension with the dot.
struct ImageType {
  std::wstring description;
  std::wstring extension;
};

// The image types the save dialog offers, in the order it lists them. The capture window adds
// PNG, JPEG and BMP when it is made; the first entry is the one the dialog preselects.
class ImageTypeList {
 public:
  // The engine's list, shared by every capture window of the process.
  static ImageTypeList& Instance();

  // Appends a type; nothing happens when its extension (exact text) is listed already.
  void Add(const std::wstring& description, const std::wstring& extension);
  // Moves the entry whose extension equals `extension` (exact text) to the front, the others
  // keeping their order. Unknown extensions change nothing.
  void MoveToFront(const std::wstring& extension);
  // The dialog's filter: the stored save type's entry moved to the front first (the list keeps
  // that order afterwards), then for each entry "<description> (*<ext>)" NUL "*<ext>" NUL, and one
  // more NUL at the end.
  std::wstring BuildFilter(const std::wstring& save_type);
  // The extension of the dialog's 1-based filter index; ".jpg" for an index outside the list.
  std::wstring ExtensionOfFilterIndex(unsigned long filter_index) const;
  // Whether `extension` (with its dot) is one of the listed ones, in any case.
  bool Lists(const std::wstring& extension) const;

  const std::vector<ImageType>& entries() const { return entries_; }

 private:
  std::vector<ImageType> entries_;
};

namespace save_names {

// The extensions a suggested name may carry.
extern const wchar_t* const kKnownExtensions[3];  // ".jpg", ".bmp", ".png"
// How many numbered names are tried before the suggestion gives up.
constexpr unsigned kMaxNumberedName = 100;

// ASCII letters compared without regard to case; every other character exactly.
bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b);

// The known extension `name` ends with (in any case, as written in `name`), or an empty string.
std::wstring KnownExtensionOf(const std::wstring& name);

// The numbered name: `format` with its first "%u" replaced by n in decimal.
std::wstring FormatNumbered(const std::wstring& format, unsigned n);

// The first name of a capture: "CorvaneZezozoz_Y-M-D_h-m-s", numbers without leading zeros.
std::wstring TimestampName(int year, int month, int day, int hour, int minute, int second);

// Whether the name in the field is one the dialog proposed (or nothing), and so may be replaced:
// empty, or without a final known extension equal to `plain` or to `numbered_format` with a
// decimal number (no leading zero) for its "%u". A name with any other extension never counts.
bool CountsAsSuggestion(const std::wstring& name, const std::wstring& plain,
                        const std::wstring& numbered_format);

// The name to propose in a folder: `plain` when no file named it plus a known extension exists,
// else the first numbered name (1 to 100) with no such file. `exists` is asked about file names
// in the folder. Nothing when all 100 are taken.
std::optional<std::wstring> SuggestName(const std::wstring& plain,
                                        const std::wstring& numbered_format,
                                        const std::function<bool(const std::wstring&)>& exists);

// The field after the type changed to `new_extension`: the name with its known extension replaced
// by it. Nothing when the name has no known extension or already has the new type's one (in any
// case): the field is then left as the user typed it.
std::optional<std::wstring> SwitchExtension(const std::wstring& name,
                                            const std::wstring& new_extension);

// The path a confirmed name is saved to: kept when the text from the last dot of its file name
// is a listed extension (any case), else the chosen type's extension appended ("shot.gif" with
// PNG chosen gives "shot.gif.png").
std::wstring CompleteExtension(const std::wstring& path, const ImageTypeList& types,
                               unsigned long filter_index);

}  // namespace save_names
