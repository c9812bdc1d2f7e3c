// Reading of RT_DIALOG resources.
#include "screenshot/ui/dialog_template.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::size_t kPlainHeaderSize = 18;     // DLGTEMPLATE
constexpr std::size_t kExtendedHeaderSize = 26;  // DLGTEMPLATEEX up to and including cy
constexpr std::uint16_t kOrdinalMark = 0xFFFF;

// Little-endian reads with a cursor that never moves past the end of the block.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }

  bool Skip(std::size_t n) {
    if (n > size_ - pos_) return false;
    pos_ += n;
    return true;
  }
  // Items start on 4-byte boundaries counted from the start of the template.
  bool AlignTo4() { return Skip((4 - pos_ % 4) % 4); }

  bool U16(std::uint16_t* v) {
    if (size_ - pos_ < 2) return false;
    *v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return true;
  }
  bool I16(std::int16_t* v) {
    std::uint16_t u;
    if (!U16(&u)) return false;
    *v = static_cast<std::int16_t>(u);
    return true;
  }
  bool U32(std::uint32_t* v) {
    std::uint16_t lo = 0, hi = 0;
    if (!U16(&lo) || !U16(&hi)) return false;
    *v = static_cast<std::uint32_t>(hi) << 16 | lo;
    return true;
  }
  // A zero-terminated UTF-16 string; fails when the terminator is missing.
  bool String(std::u16string* s) {
    s->clear();
    for (;;) {
      std::uint16_t c;
      if (!U16(&c)) return false;
      if (c == 0) return true;
      s->push_back(static_cast<char16_t>(c));
    }
  }
  // The "string or ordinal" field of menus, classes and item titles: 0xFFFF followed by a
  // 16-bit number, else a zero-terminated string (an empty one being a single 0).
  bool StringOrOrdinal(std::u16string* s, bool* is_ordinal, std::uint16_t* ordinal) {
    std::uint16_t first;
    std::size_t start = pos_;
    if (!U16(&first)) return false;
    if (first == kOrdinalMark) {
      *is_ordinal = true;
      s->clear();
      return U16(ordinal);
    }
    *is_ordinal = false;
    *ordinal = 0;
    pos_ = start;
    return String(s);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

const char16_t* PredefinedClassName(std::uint16_t ordinal) {
  switch (ordinal) {
    case 0x80:
      return u"Button";
    case 0x81:
      return u"Edit";
    case 0x82:
      return u"Static";
    case 0x83:
      return u"ListBox";
    case 0x84:
      return u"ScrollBar";
    case 0x85:
      return u"ComboBox";
    default:
      return u"Static";
  }
}

bool IsExtended(const std::uint8_t* bytes, std::size_t size) {
  return size >= 4 && bytes[2] == 0xFF && bytes[3] == 0xFF;
}

bool ParseItem(Reader& r, bool extended, DialogItemTemplate* item) {
  if (!r.AlignTo4()) return false;
  if (extended) {
    std::uint32_t help_id;
    if (!r.U32(&help_id) || !r.U32(&item->ex_style) || !r.U32(&item->style)) return false;
  } else {
    if (!r.U32(&item->style) || !r.U32(&item->ex_style)) return false;
  }
  if (!r.I16(&item->x) || !r.I16(&item->y) || !r.I16(&item->cx) || !r.I16(&item->cy)) return false;
  if (extended) {
    if (!r.U32(&item->id)) return false;
  } else {
    std::uint16_t id;
    if (!r.U16(&id)) return false;
    item->id = id;
  }

  bool class_is_ordinal;
  std::uint16_t class_ordinal;
  if (!r.StringOrOrdinal(&item->class_name, &class_is_ordinal, &class_ordinal)) return false;
  if (class_is_ordinal) item->class_name = PredefinedClassName(class_ordinal);

  if (!r.StringOrOrdinal(&item->title, &item->has_title_ordinal, &item->title_ordinal))
    return false;

  // Creation data: a byte count, then that many bytes for the control's WM_CREATE.
  std::uint16_t extra;
  return r.U16(&extra) && r.Skip(extra);
}

}  // namespace

bool ParseDialogTemplate(const void* data, std::size_t size, DialogTemplate* out) {
  if (!data || !out) return false;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  Reader r(bytes, size);
  *out = DialogTemplate();
  out->extended = IsExtended(bytes, size);

  std::uint16_t count;
  if (out->extended) {
    std::uint32_t version_and_signature, help_id;
    if (!r.U32(&version_and_signature) || !r.U32(&help_id) || !r.U32(&out->ex_style) ||
        !r.U32(&out->style))
      return false;
  } else {
    if (!r.U32(&out->style) || !r.U32(&out->ex_style)) return false;
  }
  if (!r.U16(&count) || !r.I16(&out->x) || !r.I16(&out->y) || !r.I16(&out->cx) || !r.I16(&out->cy))
    return false;

  std::u16string text;
  bool is_ordinal;
  std::uint16_t ordinal;
  if (!r.StringOrOrdinal(&text, &is_ordinal, &ordinal)) return false;  // menu
  if (!r.StringOrOrdinal(&text, &is_ordinal, &ordinal)) return false;  // window class
  // The dialog title is always a string: the dialog manager reads it as one, so a title that
  // happens to start with U+FFFF must not be taken for an ordinal (that would misplace every item).
  if (!r.String(&text)) return false;
  if (out->style & kTemplateSetFont) {
    // Point size; the extended form adds weight, italic and character set.
    if (!r.Skip(out->extended ? 6 : 2) || !r.String(&text)) return false;
  }

  // A damaged header may count up to 65535 controls; room is made only for as many as the rest
  // of the block could hold (every control record takes at least 24 bytes).
  out->items.reserve(std::min<std::size_t>(count, r.remaining() / 24));
  for (std::uint16_t i = 0; i < count; ++i) {
    DialogItemTemplate item;
    if (!ParseItem(r, out->extended, &item)) return false;
    out->items.push_back(std::move(item));
  }
  return true;
}

std::vector<std::uint8_t> MakeEmptyDialogTemplate(const void* data, std::size_t size) {
  if (!data) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const bool extended = IsExtended(bytes, size);
  const std::size_t header = extended ? kExtendedHeaderSize : kPlainHeaderSize;
  if (size < header) return {};

  // Header, then menu, class and title each as a single 0 word.
  std::vector<std::uint8_t> copy(bytes, bytes + header);
  copy.resize(header + 6, 0);

  const std::size_t style_at = extended ? 12 : 0;
  std::uint32_t style = 0;
  for (int i = 3; i >= 0; --i) style = style << 8 | copy[style_at + i];
  style &= ~(kTemplateVisible | kTemplateSetFont);
  for (int i = 0; i < 4; ++i) copy[style_at + i] = static_cast<std::uint8_t>(style >> (8 * i));
  // Item count, x, y, cx, cy: the last ten bytes of the header.
  std::memset(&copy[header - 10], 0, 10);
  return copy;
}
