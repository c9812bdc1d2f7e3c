// Fuzz target: the settings file's text editor. Whatever the file holds, setting a value must
// make exactly that value readable, as the profile functions would find it, and leave every
// other key's value as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "screenshot/output/settings_ini_text.h"

namespace {

// UTF-16 units from pairs of bytes, as the file's decoded text.
std::wstring Units(const std::string& bytes) {
  std::wstring units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  return units;
}

// A name the engine could write: one line, no '=' or brackets, no blanks at the ends. Bytes are
// taken one per unit so that names collide with each other and with the file often.
std::wstring Name(const std::string& raw) {
  std::wstring name;
  for (char c : raw) {
    const wchar_t unit = static_cast<unsigned char>(c);
    if (unit != L'=' && unit != L'[' && unit != L']') name.push_back(unit);
  }
  name = fuzz::OneTrimmedLine(name);
  return name.empty() ? L"k" : name;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const std::wstring section = Name(input.Field());
  const std::wstring key = Name(input.Field());
  std::wstring value = fuzz::OneTrimmedLine(Units(input.Field()));
  if (!value.empty() && (value[0] == L'"' || value[0] == L'\'')) value.insert(0, L"v");
  const std::wstring other_section = Name(input.Field());
  const std::wstring other_key = Name(input.Field());
  const std::wstring text = input.Byte() & 1 ? Units(input.Rest()) : Name(input.Rest()) + L"\n";

  const auto other_before = settings::FindProfileValue(text, other_section, other_key);
  const std::wstring changed = settings::SetProfileValue(text, section, key, value);
  if (settings::FindProfileValue(changed, section, key) != value) std::abort();
  if (!SameName(other_section, section) || !SameName(other_key, key)) {
    if (settings::FindProfileValue(changed, other_section, other_key) != other_before) std::abort();
  }
  if (settings::SetProfileValue(changed, section, key, value) != changed) std::abort();
  return 0;
}
