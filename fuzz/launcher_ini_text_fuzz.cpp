// Fuzz target: the hotkey file's byte editor. Whatever the file holds, setting a value must make
// exactly that value readable under its section and key, and leave every other key's value as
// it was; finding must never read outside the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "launcher/ini_text.h"

using launcher::IniCharset;

namespace {

bool IsGbLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsGbTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// A name the launcher could ask for: one line, no '=' or brackets of its own, no blanks at the
// ends, and in GB 936 only whole two-byte characters (whose second byte may still be ']').
std::string Name(const std::string& raw, IniCharset charset) {
  std::string name;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (charset == IniCharset::kGb && IsGbLead(c)) {
      if (i + 1 < raw.size() && IsGbTrail(static_cast<unsigned char>(raw[i + 1]))) {
        name += raw.substr(i, 2);
        ++i;
      }
      continue;
    }
    if (c == '=' || c == '[' || c == ']' || c == '\r' || c == '\n' || c >= 0x80) continue;
    name.push_back(static_cast<char>(c));
  }
  name = fuzz::OneTrimmedLine(name);
  return name.empty() ? "k" : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const IniCharset charset = input.Byte() & 1 ? IniCharset::kUtf8 : IniCharset::kGb;
  const std::string section = Name(input.Field(), charset);
  const std::string key = Name(input.Field(), charset);
  std::string value = fuzz::OneTrimmedLine(input.Field());
  if (!value.empty() && (value[0] == '"' || value[0] == '\'')) value.insert(0, "v");
  const std::string other_section = Name(input.Field(), charset);
  const std::string other_key = Name(input.Field(), charset);
  const std::string file = input.Rest();

  const auto other_before = launcher::FindIniValue(file, other_section, other_key, charset);
  const std::string changed = launcher::SetIniValue(file, section, key, value, charset);
  if (launcher::FindIniValue(changed, section, key, charset) != value) std::abort();
  if (other_section != section || other_key != key) {
    if (launcher::FindIniValue(changed, other_section, other_key, charset) != other_before)
      std::abort();
  }
  // Setting the same value again changes nothing.
  if (launcher::SetIniValue(changed, section, key, value, charset) != changed) std::abort();
  return 0;
}
