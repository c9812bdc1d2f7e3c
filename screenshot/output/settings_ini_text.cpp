// The settings file's text, found and changed the way the profile functions read it.
#include "screenshot/output/settings_ini_text.h"

#include <climits>
#include <cstddef>
#include <vector>

namespace settings {
namespace {

struct Line {
  std::size_t begin;  // first unit
  std::size_t end;    // past the text, before CR LF or LF
  std::size_t next;   // first unit of the next line
};

std::vector<Line> SplitLines(const std::wstring& text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lf = text.find(L'\n', pos);
    const std::size_t next = lf == std::wstring::npos ? text.size() : lf + 1;
    std::size_t end = lf == std::wstring::npos ? text.size() : lf;
    if (end > pos && text[end - 1] == L'\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

void Trim(const std::wstring& text, std::size_t* begin, std::size_t* end) {
  while (*begin < *end && IsBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

// text[begin, end) against name, without regard to ASCII case.
bool SameName(const std::wstring& text, std::size_t begin, std::size_t end,
              const std::wstring& name) {
  if (end - begin != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (FoldAscii(text[begin + i]) != FoldAscii(name[i])) return false;
  }
  return true;
}

// Where a "[name]" line's name is; false for any other line.
bool SectionName(const std::wstring& text, const Line& line, std::size_t* nb, std::size_t* ne) {
  std::size_t b = line.begin, e = line.end;
  Trim(text, &b, &e);
  if (b == e || text[b] != L'[') return false;
  std::size_t close = e;
  while (close > b + 1 && text[close - 1] != L']') --close;
  if (close == b + 1) return false;
  *nb = b + 1, *ne = close - 1;
  Trim(text, nb, ne);
  return true;
}

struct Location {
  const Line* section = nullptr;   // the header line
  const Line* last = nullptr;      // the section's last non-blank line (the header when empty)
  const Line* key_line = nullptr;  // the key's line
  std::size_t value_begin = 0, value_end = 0;
};

Location Locate(const std::wstring& text, const std::vector<Line>& lines,
                const std::wstring& section, const std::wstring& key) {
  Location at;
  for (const Line& line : lines) {
    std::size_t nb, ne;
    if (SectionName(text, line, &nb, &ne)) {
      if (at.section) break;  // the first matching section has ended
      if (SameName(text, nb, ne, section)) at.section = at.last = &line;
      continue;
    }
    if (!at.section) continue;
    std::size_t b = line.begin, e = line.end;
    Trim(text, &b, &e);
    if (b == e) continue;
    at.last = &line;
    std::size_t key_end = text.find(L'=', b);
    if (key_end == std::wstring::npos || key_end > e) key_end = e;
    std::size_t kb = b, ke = key_end;
    Trim(text, &kb, &ke);
    if (!SameName(text, kb, ke, key)) continue;
    at.key_line = &line;
    at.value_begin = key_end < e ? key_end + 1 : e;
    at.value_end = e;
    Trim(text, &at.value_begin, &at.value_end);
    break;
  }
  return at;
}

// The line break the text already uses; CR LF for text without one.
std::wstring LineBreak(const std::wstring& text) {
  const std::size_t lf = text.find(L'\n');
  if (lf != std::wstring::npos && (lf == 0 || text[lf - 1] != L'\r')) return L"\n";
  return L"\r\n";
}

// What ends the text's last line so that more can follow: nothing after a line feed, a line
// feed after a lone CR (else the CR would become part of the next line's text), br otherwise.
std::wstring EndOfLastLine(const std::wstring& text, const std::wstring& br) {
  if (text.empty() || text.back() == L'\n') return std::wstring();
  return text.back() == L'\r' ? std::wstring(L"\n") : br;
}

}  // namespace

std::optional<std::wstring> FindProfileValue(const std::wstring& text, const std::wstring& section,
                                             const std::wstring& key) {
  const std::vector<Line> lines = SplitLines(text);
  const Location at = Locate(text, lines, section, key);
  if (!at.key_line) return std::nullopt;
  std::wstring value = text.substr(at.value_begin, at.value_end - at.value_begin);
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

std::wstring SetProfileValue(const std::wstring& text, const std::wstring& section,
                             const std::wstring& key, const std::wstring& value) {
  const std::vector<Line> lines = SplitLines(text);
  const Location at = Locate(text, lines, section, key);
  const std::wstring br = LineBreak(text);
  const std::wstring one_line = value.substr(0, value.find_first_of(L"\r\n"));
  if (at.key_line) {
    // The name is kept as it is spelled in the file; only the value changes.
    const std::size_t value_at = at.value_begin;
    const bool has_separator = text.find(L'=', at.key_line->begin) < at.key_line->end;
    if (!has_separator) {
      return text.substr(0, at.key_line->end) + L"=" + one_line + text.substr(at.key_line->end);
    }
    return text.substr(0, value_at) + one_line + text.substr(at.value_end);
  }
  const std::wstring entry = key + L"=" + one_line;
  if (at.section) {
    const std::size_t pos = at.last->next;
    const std::wstring ending = pos == text.size() ? EndOfLastLine(text, br) : L"";
    return text.substr(0, pos) + ending + entry + br + text.substr(pos);
  }
  std::wstring out = text;
  out += EndOfLastLine(out, br);
  return out + L"[" + section + L"]" + br + entry + br;
}

bool IsSettingsText(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') return false;
  }
  std::size_t lines = 0, settings_lines = 0;
  for (const Line& line : SplitLines(text)) {
    std::size_t begin = line.begin, end = line.end;
    Trim(text, &begin, &end);
    if (begin == end) continue;
    ++lines;
    const wchar_t first = text[begin];
    if (first == L'[' || first == L';' || first == L'#' || text.find(L'=', begin) < end)
      ++settings_lines;
  }
  return settings_lines * 2 >= lines;
}

int ProfileIntFromText(const std::wstring& value) {
  std::size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == L'-' || value[i] == L'+')) negative = value[i++] == L'-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - L'0');
    if (magnitude > limit) magnitude = limit;  // and stays there: never wraps
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace settings
