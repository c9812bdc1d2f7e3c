// Fuzz target: the dialog-template walk. It must read nothing past the block, give the same
// answer whatever follows the bytes it needs, report exactly the controls the header counts with
// rectangles taken from those bytes, and its empty copy must be a template it reads back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "screenshot/ui/dialog_template.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Walks a copy of exactly the first |size| bytes, so that any read past them trips the sanitizer.
bool Walk(const uint8_t* data, std::size_t size, DialogTemplate* out) {
  const Bytes exact(data, data + size);
  return ParseDialogTemplate(exact.empty() ? nullptr : exact.data(), size, out);
}

bool SameItem(const DialogItemTemplate& a, const DialogItemTemplate& b) {
  return a.style == b.style && a.ex_style == b.ex_style && a.x == b.x && a.y == b.y &&
         a.cx == b.cx && a.cy == b.cy && a.id == b.id && a.class_name == b.class_name &&
         a.title == b.title && a.has_title_ordinal == b.has_title_ordinal &&
         a.title_ordinal == b.title_ordinal;
}

bool Same(const DialogTemplate& a, const DialogTemplate& b) {
  if (a.extended != b.extended || a.style != b.style || a.ex_style != b.ex_style || a.x != b.x ||
      a.y != b.y || a.cx != b.cx || a.cy != b.cy || a.items.size() != b.items.size())
    return false;
  for (std::size_t i = 0; i < a.items.size(); ++i)
    if (!SameItem(a.items[i], b.items[i])) return false;
  return true;
}

uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32At(const uint8_t* p) { return U16At(p) | static_cast<uint32_t>(U16At(p + 2)) << 16; }

// Template writer of its own, from the format's layout: no menu, class, title or font; each
// control's class as a string.
class Writer {
 public:
  void U16(uint16_t v) {
    b_.push_back(static_cast<uint8_t>(v));
    b_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Text(const std::u16string& s) {
    for (char16_t c : s) U16(c);
    U16(0);
  }
  void Align4() {
    while (b_.size() % 4) b_.push_back(0xCC);
  }
  Bytes& bytes() { return b_; }

 private:
  Bytes b_;
};

Bytes Written(const DialogTemplate& t) {
  Writer w;
  const uint32_t style = t.style & ~kTemplateSetFont;
  if (t.extended) {
    w.U32(0xFFFF0001);
    w.U32(0);
    w.U32(t.ex_style);
    w.U32(style);
  } else {
    w.U32(style);
    w.U32(t.ex_style);
  }
  w.U16(static_cast<uint16_t>(t.items.size()));
  for (int16_t v : {t.x, t.y, t.cx, t.cy}) w.U16(static_cast<uint16_t>(v));
  w.U16(0);  // menu
  w.U16(0);  // class
  w.U16(0);  // title
  for (const DialogItemTemplate& item : t.items) {
    w.Align4();
    if (t.extended) {
      w.U32(0);
      w.U32(item.ex_style);
      w.U32(item.style);
    } else {
      w.U32(item.style);
      w.U32(item.ex_style);
    }
    for (int16_t v : {item.x, item.y, item.cx, item.cy}) w.U16(static_cast<uint16_t>(v));
    if (t.extended)
      w.U32(item.id);
    else
      w.U16(static_cast<uint16_t>(item.id));
    w.Text(item.class_name);
    if (item.has_title_ordinal) {
      w.U16(0xFFFF);
      w.U16(item.title_ordinal);
    } else {
      w.Text(item.title);
    }
    w.U16(3);  // creation data, skipped
    for (int i = 0; i < 3; ++i) w.bytes().push_back(0xEE);
  }
  return w.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool extended = size >= 4 && data[2] == 0xFF && data[3] == 0xFF;
  const std::size_t header = extended ? 26 : 18;

  // The empty copy for the bare window: the header with nothing in it, and always readable.
  const Bytes empty = MakeEmptyDialogTemplate(size ? data : nullptr, size);
  if (size < header) {
    if (!empty.empty()) std::abort();
  } else {
    DialogTemplate bare;
    if (empty.size() != header + 6 || !ParseDialogTemplate(empty.data(), empty.size(), &bare))
      std::abort();
    if (bare.extended != extended || !bare.items.empty() || bare.x || bare.y || bare.cx ||
        bare.cy || bare.style & (kTemplateVisible | kTemplateSetFont) ||
        bare.ex_style != U32At(data + (extended ? 8 : 4)) ||
        (bare.style | kTemplateVisible | kTemplateSetFont) !=
            (U32At(data + (extended ? 12 : 0)) | kTemplateVisible | kTemplateSetFont))
      std::abort();
  }

  DialogTemplate t;
  if (!Walk(data, size, &t)) return 0;

  // The header's fields are the header's bytes, and the controls are as many as it counts.
  const std::size_t count_at = extended ? 16 : 8;
  if (t.extended != extended || t.style != U32At(data + (extended ? 12 : 0)) ||
      t.ex_style != U32At(data + (extended ? 8 : 4)) || t.items.size() != U16At(data + count_at) ||
      t.x != static_cast<int16_t>(U16At(data + count_at + 2)) ||
      t.y != static_cast<int16_t>(U16At(data + count_at + 4)) ||
      t.cx != static_cast<int16_t>(U16At(data + count_at + 6)) ||
      t.cy != static_cast<int16_t>(U16At(data + count_at + 8)))
    std::abort();

  // The walk needs some first n bytes: with fewer it fails, and with any more it gives the same
  // answer. n is found by bisection (no header walks in fewer than its own bytes), and blocks cut
  // anywhere between n and the whole must read alike.
  std::size_t low = header, high = size;
  DialogTemplate shorter;
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (Walk(data, mid, &shorter))
      high = mid;
    else
      low = mid + 1;
  }
  const std::size_t needed = high;
  for (std::size_t cut : {needed, needed + (size - needed) / 2, size - 1}) {
    if (cut < needed) continue;
    if (!Walk(data, cut, &shorter) || !Same(shorter, t)) std::abort();
  }
  for (std::size_t cut : {needed - 1, needed / 2}) {
    if (Walk(data, cut, &shorter)) std::abort();
  }

  // Every control's rectangle is eight bytes of the block the walk needed, each control's after
  // the one before, at its place after a 4-byte boundary; its texts are as long as the block
  // allows.
  std::size_t from = header;
  std::size_t text_units = 0;
  for (const DialogItemTemplate& item : t.items) {
    const std::size_t rect_after_boundary = extended ? 12 : 8;
    bool found = false;
    for (std::size_t at = (from + 3) / 4 * 4; at + rect_after_boundary + 8 <= needed; at += 4) {
      const uint8_t* r = data + at + rect_after_boundary;
      if (static_cast<int16_t>(U16At(r)) == item.x &&
          static_cast<int16_t>(U16At(r + 2)) == item.y &&
          static_cast<int16_t>(U16At(r + 4)) == item.cx &&
          static_cast<int16_t>(U16At(r + 6)) == item.cy) {
        from = at + rect_after_boundary + 8;
        found = true;
        break;
      }
    }
    if (!found) std::abort();
    if (!extended && item.id > 0xFFFF) std::abort();
    if (item.has_title_ordinal && !item.title.empty()) std::abort();
    if (item.class_name.find(u'\0') != std::u16string::npos ||
        item.title.find(u'\0') != std::u16string::npos)
      std::abort();
    text_units += item.class_name.size() + item.title.size();
  }
  if (text_units * 2 > needed) std::abort();

  // What it read, written again by the format's rules, reads back the same.
  const Bytes again = Written(t);
  DialogTemplate reread;
  if (!ParseDialogTemplate(again.data(), again.size(), &reread)) std::abort();
  reread.style |= t.style & kTemplateSetFont;
  if (!Same(reread, t)) std::abort();
  return 0;
}
