// The debug log's record text: the message as a JSON string inside a six-member record.
#include "screenshot/diagnostics/log_record.h"

#include <cstdint>

namespace diag {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Appends to a fixed buffer and always keeps one place for the terminator, so nothing the record
// contains can write past it. Without a buffer it only counts.
class TextWriter {
 public:
  TextWriter(wchar_t* out, size_t capacity)
      : out_(out), capacity_(capacity), limit_(capacity == 0 ? 0 : capacity - 1) {}
  static TextWriter Counter() { return TextWriter(nullptr, SIZE_MAX); }

  size_t length() const { return length_; }
  size_t room() const { return limit_ - length_; }

  void Put(wchar_t c) {
    if (length_ >= limit_) return;
    if (out_) out_[length_] = c;
    ++length_;
  }
  void Put(const wchar_t* text) {
    if (!text) return;
    while (*text) Put(*text++);
  }
  // Decimal, as "%d" prints it.
  void PutInt(int64_t value) {
    wchar_t digits[24];
    int n = 0;
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
    do {
      digits[n++] = static_cast<wchar_t>(L'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    if (value < 0) Put(L'-');
    while (n) Put(digits[--n]);
  }
  void Terminate() {
    if (out_ && capacity_ > 0) out_[length_] = 0;
  }

 private:
  wchar_t* out_;
  size_t capacity_;
  size_t limit_;
  size_t length_ = 0;
};

// The JSON form of one character: itself, a two-character escape or "\u%04X".
size_t EscapeOf(wchar_t c, wchar_t (&sequence)[6]) {
  wchar_t short_form = 0;
  switch (c) {
    case L'"':
      short_form = L'"';
      break;
    case L'\\':
      short_form = L'\\';
      break;
    case L'\b':
      short_form = L'b';
      break;
    case L'\t':
      short_form = L't';
      break;
    case L'\n':
      short_form = L'n';
      break;
    case L'\f':
      short_form = L'f';
      break;
    case L'\r':
      short_form = L'r';
      break;
    default:
      break;
  }
  if (short_form) {
    sequence[0] = L'\\';
    sequence[1] = short_form;
    return 2;
  }
  if (c >= 0x01 && c <= 0x1F) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    sequence[0] = L'\\';
    sequence[1] = L'u';
    sequence[2] = L'0';
    sequence[3] = L'0';
    sequence[4] = kHex[(c >> 4) & 0xF];
    sequence[5] = kHex[c & 0xF];
    return 6;
  }
  sequence[0] = c;
  return 1;
}

// The quoted, escaped text, leaving `keep_free` places for what follows it. A character is written
// only whole: an escape is never cut in two, nor a surrogate pair.
void PutJsonString(TextWriter& w, const wchar_t* text, size_t keep_free) {
  w.Put(L'"');
  for (const wchar_t* p = text ? text : L""; *p;) {
    wchar_t sequence[6];
    size_t n;
    size_t consumed = 1;
    if (IsHighSurrogate(p[0]) && IsLowSurrogate(p[1])) {
      sequence[0] = p[0];
      sequence[1] = p[1];
      n = consumed = 2;
    } else {
      n = EscapeOf(p[0], sequence);
    }
    if (n + 1 + keep_free > w.room()) break;  // + 1: the closing quote
    for (size_t i = 0; i < n; ++i) w.Put(sequence[i]);
    p += consumed;
  }
  w.Put(L'"');
}

const wchar_t kMemberStart[] = L"\n\t\t\t\"";
const wchar_t kMemberMiddle[] = L"\" : ";

void PutMemberName(TextWriter& w, const wchar_t* name) {
  w.Put(kMemberStart);
  w.Put(name);
  w.Put(kMemberMiddle);
}

// Opening brace up to the content's value.
void PutHead(TextWriter& w, const LogRecordFields& f) {
  w.Put(L'{');
  PutMemberName(w, L"class");
  w.PutInt(static_cast<int32_t>(f.log_class));
  w.Put(L',');
  PutMemberName(w, L"content");
}

// From the comma after the content to the closing brace.
void PutTail(TextWriter& w, const LogRecordFields& f) {
  w.Put(L',');
  PutMemberName(w, L"pid");
  w.PutInt(static_cast<int32_t>(f.process_id));
  w.Put(L',');
  PutMemberName(w, L"pname");
  w.Put(L'"');
  w.Put(f.process_name);
  w.Put(L'"');
  w.Put(L',');
  PutMemberName(w, L"tid");
  w.PutInt(static_cast<int32_t>(f.thread_id));
  w.Put(L',');
  PutMemberName(w, L"time");
  const LogTime& t = f.time;
  w.Put(L'"');
  w.PutInt(t.year);
  w.Put(L'-');
  w.PutInt(t.month);
  w.Put(L'-');
  w.PutInt(t.day);
  w.Put(L' ');
  w.PutInt(t.hour);
  w.Put(L':');
  w.PutInt(t.minute);
  w.Put(L':');
  w.PutInt(t.second);
  w.Put(L'.');
  w.PutInt(t.milliseconds);
  w.Put(L'"');
  w.Put(L"\n\t\t\t}");
}

}  // namespace

size_t WriteJsonString(const wchar_t* text, wchar_t* out, size_t capacity) {
  TextWriter w(out, capacity);
  PutJsonString(w, text, 0);
  w.Terminate();
  return w.length();
}

size_t FormatLogRecord(const LogRecordFields& fields, wchar_t* out, size_t capacity) {
  // The tail is measured first so that the content can be shortened to leave room for it.
  TextWriter counter = TextWriter::Counter();
  PutTail(counter, fields);

  TextWriter w(out, capacity);
  PutHead(w, fields);
  PutJsonString(w, fields.message, counter.length());
  PutTail(w, fields);
  w.Terminate();
  return w.length();
}

size_t WholeCharacterLength(const wchar_t* text, size_t length) {
  if (length > 0 && IsHighSurrogate(text[length - 1])) return length - 1;
  return length;
}

}  // namespace diag
