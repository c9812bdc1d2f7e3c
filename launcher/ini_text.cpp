// Reading and changing one value in the bytes of an INI file, in GB 936 or in UTF-8.
#include "launcher/ini_text.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace launcher {
namespace {

struct Line {
  std::size_t begin;  // first byte
  std::size_t end;    // past the text, before CR LF or LF
  std::size_t next;   // first byte of the next line
};

std::vector<Line> SplitLines(const std::string& file) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < file.size()) {
    const std::size_t lf = file.find('\n', pos);
    const std::size_t next = lf == std::string::npos ? file.size() : lf + 1;
    std::size_t end = lf == std::string::npos ? file.size() : lf;
    if (end > pos && file[end - 1] == '\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLeadByte(char c, IniCharset charset) {
  const unsigned char u = static_cast<unsigned char>(c);
  return charset == IniCharset::kGb && u >= 0x81 && u <= 0xFE;
}

void Trim(const std::string& file, std::size_t* begin, std::size_t* end) {
  while (*begin < *end && IsBlank(file[*begin])) ++*begin;
  while (*end > *begin && IsBlank(file[*end - 1])) --*end;
}

// The section name of a "[name]" line; false for any other line. Like the profile functions,
// the name runs to the last ']' of the line.
bool SectionName(const std::string& file, const Line& line, IniCharset charset, std::string* name) {
  std::size_t b = line.begin, e = line.end;
  Trim(file, &b, &e);
  if (b == e || file[b] != '[') return false;
  std::size_t close = std::string::npos;
  for (std::size_t i = b + 1; i < e; ++i) {
    if (file[i] == ']')
      close = i;
    else if (IsLeadByte(file[i], charset))
      ++i;  // the second byte is part of the character
  }
  if (close == std::string::npos) return false;
  std::size_t nb = b + 1, ne = close;
  Trim(file, &nb, &ne);
  name->assign(file, nb, ne - nb);
  return true;
}

// Where the first matching section and key are. '=' never occurs inside a character, so a
// plain search finds the separator.
struct Location {
  const Line* section = nullptr;   // the header line
  const Line* last = nullptr;      // the section's last non-blank line (the header when empty)
  const Line* key_line = nullptr;  // the key's line
  std::size_t value_begin = 0, value_end = 0;
};

Location Locate(const std::string& file, const std::vector<Line>& lines, const std::string& section,
                const std::string& key, IniCharset charset) {
  Location at;
  std::string name;
  for (const Line& line : lines) {
    if (SectionName(file, line, charset, &name)) {
      if (at.section) break;  // the first matching section has ended
      if (name == section) at.section = at.last = &line;
      continue;
    }
    if (!at.section) continue;
    std::size_t b = line.begin, e = line.end;
    Trim(file, &b, &e);
    if (b == e) continue;
    at.last = &line;
    const std::size_t key_end =
        static_cast<std::size_t>(std::find(file.begin() + b, file.begin() + e, '=') - file.begin());
    std::size_t kb = b, ke = key_end;
    Trim(file, &kb, &ke);
    if (file.compare(kb, ke - kb, key) != 0) continue;
    at.key_line = &line;
    at.value_begin = key_end < e ? key_end + 1 : e;
    at.value_end = e;
    Trim(file, &at.value_begin, &at.value_end);
    break;
  }
  return at;
}

// The line break the file already uses; CR LF for a file without one.
std::string LineBreak(const std::string& file) {
  const std::size_t lf = file.find('\n');
  if (lf != std::string::npos && (lf == 0 || file[lf - 1] != '\r')) return "\n";
  return "\r\n";
}

// What ends the file's last line so that more can follow: nothing after a line feed, a line
// feed after a lone CR (else the CR would become part of the next line's text), br otherwise.
std::string EndOfLastLine(const std::string& file, const std::string& br) {
  if (file.empty() || file.back() == '\n') return std::string();
  return file.back() == '\r' ? std::string("\n") : br;
}

}  // namespace

std::optional<std::string> FindIniValue(const std::string& file, const std::string& section,
                                        const std::string& key, IniCharset charset) {
  const std::vector<Line> lines = SplitLines(file);
  const Location at = Locate(file, lines, section, key, charset);
  if (!at.key_line) return std::nullopt;
  std::string value = file.substr(at.value_begin, at.value_end - at.value_begin);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value, IniCharset charset) {
  const std::vector<Line> lines = SplitLines(file);
  const Location at = Locate(file, lines, section, key, charset);
  const std::string br = LineBreak(file);
  // A line break would end the value and make the rest a line of its own.
  const std::string entry = key + "=" + value.substr(0, value.find_first_of("\r\n"));
  std::string out;
  if (at.key_line) {
    out = file.substr(0, at.key_line->begin) + entry + file.substr(at.key_line->end);
  } else if (at.section) {
    const std::size_t pos = at.last->next;
    const std::string ending = pos == file.size() ? EndOfLastLine(file, br) : "";
    out = file.substr(0, pos) + ending + entry + br + file.substr(pos);
  } else {
    out = file;
    out += EndOfLastLine(out, br);
    out += "[" + section + "]" + br + entry + br;
  }
  return out;
}

}  // namespace launcher
