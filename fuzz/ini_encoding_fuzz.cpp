// Fuzz target: the INI files' encodings. Any hotkey file must come back byte for byte from its
// decoded text, and every conversion between UTF-8 and UTF-16 units must be undone exactly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/ini_document.h"
#include "screenshot/base/settings_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // The hotkey file, in whatever form it is, survives being decoded and encoded again.
  const launcher::IniDocument document = launcher::DecodeIniDocument(bytes);
  if (launcher::EncodeIniDocument(document) != bytes) std::abort();
  if (document.form == launcher::IniForm::kUtf8 && !settings::IsUtf8(document.text)) std::abort();

  // Any sequence of UTF-16 units, lone surrogates included, survives UTF-8.
  for (bool big_endian : {false, true}) {
    const std::wstring units = settings::UnitsFromUtf16Bytes(data, size, big_endian);
    if (settings::UnitsFromUtf8(settings::Utf8FromUnits(units)) != units) std::abort();
    if (settings::Utf16BytesFromUnits(units, big_endian) != bytes.substr(0, size & ~size_t{1}))
      std::abort();
  }
  // Well-formed UTF-8 survives UTF-16; anything else still decodes to units without failing.
  const std::wstring units = settings::UnitsFromUtf8(bytes);
  if (settings::IsUtf8(bytes) && settings::Utf8FromUnits(units) != bytes) std::abort();
  if (units.size() > bytes.size()) std::abort();
  return 0;
}
