// Name rules of the save dialog: image types, filter text, proposed names, extension completion.
#include "screenshot/output/save_names.h"

#include <algorithm>

namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A run of decimal digits as %u writes it: at least one, and no leading zero.
bool IsPlainNumber(const std::wstring& text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return false;
  return text.size() == 1 || text[0] != L'0';
}

// Whether `name` is `format` with a number where its "%u" is.
bool MatchesNumbered(const std::wstring& name, const std::wstring& format) {
  const size_t at = format.find(L"%u");
  if (at == std::wstring::npos) return false;
  const std::wstring prefix = format.substr(0, at), suffix = format.substr(at + 2);
  if (name.size() <= prefix.size() + suffix.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
  return IsPlainNumber(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
}

// Where the file name part of a path starts.
size_t FileNameStart(const std::wstring& path) {
  const size_t sep = path.find_last_of(L"\\/");
  return sep == std::wstring::npos ? 0 : sep + 1;
}

}  // namespace

ImageTypeList& ImageTypeList::Instance() {
  static ImageTypeList list;
  return list;
}

void ImageTypeList::Add(const std::wstring& description, const std::wstring& extension) {
  for (const ImageType& type : entries_)
    if (type.extension == extension) return;
  entries_.push_back({description, extension});
}

void ImageTypeList::MoveToFront(const std::wstring& extension) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const ImageType& type) { return type.extension == extension; });
  if (it != entries_.end()) std::rotate(entries_.begin(), it, it + 1);
}

std::wstring ImageTypeList::BuildFilter(const std::wstring& save_type) {
  MoveToFront(save_type);
  std::wstring filter;
  for (const ImageType& type : entries_) {
    filter += type.description + L" (*" + type.extension + L")";
    filter.push_back(L'\0');
    filter += L"*" + type.extension;
    filter.push_back(L'\0');
  }
  filter.push_back(L'\0');
  return filter;
}

std::wstring ImageTypeList::ExtensionOfFilterIndex(unsigned long filter_index) const {
  if (filter_index >= 1 && filter_index <= entries_.size())
    return entries_[filter_index - 1].extension;
  return L".jpg";
}

bool ImageTypeList::Lists(const std::wstring& extension) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const ImageType& type) {
    return save_names::EqualsIgnoringCase(type.extension, extension);
  });
}

namespace save_names {

const wchar_t* const kKnownExtensions[3] = {L".jpg", L".bmp", L".png"};

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::wstring KnownExtensionOf(const std::wstring& name) {
  for (const wchar_t* known : kKnownExtensions) {
    const std::wstring ext(known);
    if (name.size() >= ext.size() && EqualsIgnoringCase(name.substr(name.size() - ext.size()), ext))
      return name.substr(name.size() - ext.size());
  }
  return std::wstring();
}

std::wstring FormatNumbered(const std::wstring& format, unsigned n) {
  std::wstring out = format;
  const size_t at = out.find(L"%u");
  if (at != std::wstring::npos) out.replace(at, 2, std::to_wstring(n));
  return out;
}

std::wstring TimestampName(int year, int month, int day, int hour, int minute, int second) {
  return L"CorvaneZezozoz_" + std::to_wstring(year) + L"-" + std::to_wstring(month) + L"-" +
         std::to_wstring(day) + L"_" + std::to_wstring(hour) + L"-" + std::to_wstring(minute) +
         L"-" + std::to_wstring(second);
}

bool CountsAsSuggestion(const std::wstring& name, const std::wstring& plain,
                        const std::wstring& numbered_format) {
  if (name.empty()) return true;
  std::wstring stem = name;
  const std::wstring ext = KnownExtensionOf(name);
  if (!ext.empty()) {
    stem.resize(name.size() - ext.size());
  } else if (name.find(L'.') != std::wstring::npos) {
    return false;  // another extension: a name of the user's
  }
  return stem == plain || MatchesNumbered(stem, numbered_format);
}

std::optional<std::wstring> SuggestName(const std::wstring& plain,
                                        const std::wstring& numbered_format,
                                        const std::function<bool(const std::wstring&)>& exists) {
  auto free = [&](const std::wstring& stem) {
    for (const wchar_t* ext : kKnownExtensions)
      if (exists(stem + ext)) return false;
    return true;
  };
  if (free(plain)) return plain;
  for (unsigned n = 1; n <= kMaxNumberedName; ++n) {
    std::wstring numbered = FormatNumbered(numbered_format, n);
    if (free(numbered)) return numbered;
  }
  return std::nullopt;
}

std::optional<std::wstring> SwitchExtension(const std::wstring& name,
                                            const std::wstring& new_extension) {
  const std::wstring ext = KnownExtensionOf(name);
  if (ext.empty() || EqualsIgnoringCase(ext, new_extension)) return std::nullopt;
  return name.substr(0, name.size() - ext.size()) + new_extension;
}

std::wstring CompleteExtension(const std::wstring& path, const ImageTypeList& types,
                               unsigned long filter_index) {
  const size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && dot >= FileNameStart(path) && types.Lists(path.substr(dot)))
    return path;
  return path + types.ExtensionOfFilterIndex(filter_index);
}

}  // namespace save_names
