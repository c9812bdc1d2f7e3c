// Byte-level text handling for the settings: registry string data and the INI files' encodings.
#include "screenshot/base/settings_encoding.h"

namespace settings {
namespace {

constexpr unsigned kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
bool IsSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool IsHigh(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Length and code point of the sequence at bytes[i]; 0 when none is well-formed there.
// lone_surrogates admits the three-byte forms of U+D800..U+DFFF.
std::size_t DecodeAt(const std::string& bytes, std::size_t i, bool lone_surrogates,
                     unsigned* code) {
  const unsigned char lead = static_cast<unsigned char>(bytes[i]);
  std::size_t length;
  unsigned min;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, *code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, *code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, *code = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i + k]);
    if (!IsContinuation(byte)) return 0;
    *code = (*code << 6) | (byte & 0x3F);
  }
  if (*code < min || *code > 0x10FFFF) return 0;
  if (IsSurrogate(*code) && !lone_surrogates) return 0;
  return length;
}

void AppendUtf8(unsigned code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

unsigned Unit(const std::wstring& units, std::size_t i) {
  return static_cast<unsigned>(units[i]) & 0xFFFFu;
}

}  // namespace

std::wstring StringFromRegistryBytes(const unsigned char* data, std::size_t byte_count) {
  std::wstring text;
  if (data == nullptr) return text;
  for (std::size_t i = 0; i + 1 < byte_count; i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

IniFileEncoding DetectIniFileEncoding(const unsigned char* data, std::size_t byte_count) {
  if (data != nullptr && byte_count >= 2) {
    if (data[0] == 0xFF && data[1] == 0xFE) return IniFileEncoding::kUtf16Le;
    if (data[0] == 0xFE && data[1] == 0xFF) return IniFileEncoding::kUtf16Be;
    if (byte_count >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
      return IniFileEncoding::kUtf8;
    }
  }
  return IniFileEncoding::kAnsi;
}

IniTextForm DetectIniTextForm(const unsigned char* data, std::size_t byte_count) {
  IniTextForm form;
  form.encoding = DetectIniFileEncoding(data, byte_count);
  if (form.encoding != IniFileEncoding::kAnsi) {
    form.marked = true;
    return form;
  }
  if (data == nullptr || byte_count == 0) return form;
  // UTF-16 without a mark: units with one zero byte and one non-zero byte, on the same side in
  // at least a third of the units and on the other side in hardly any; no unit zero as a whole.
  if (byte_count % 2 == 0) {
    std::size_t low_zero = 0, high_zero = 0, units = byte_count / 2;
    bool zero_unit = false;
    for (std::size_t i = 0; i + 1 < byte_count; i += 2) {
      if (data[i] == 0 && data[i + 1] == 0) zero_unit = true;
      if (data[i] != 0 && data[i + 1] == 0) ++high_zero;  // ASCII in little-endian order
      if (data[i] == 0 && data[i + 1] != 0) ++low_zero;   // ASCII in big-endian order
    }
    if (!zero_unit && high_zero * 3 >= units && low_zero * 10 <= high_zero) {
      form.encoding = IniFileEncoding::kUtf16Le;
      return form;
    }
    if (!zero_unit && low_zero * 3 >= units && high_zero * 10 <= low_zero) {
      form.encoding = IniFileEncoding::kUtf16Be;
      return form;
    }
  }
  const std::string bytes(reinterpret_cast<const char*>(data), byte_count);
  bool beyond_ascii = false;
  for (unsigned char c : bytes) beyond_ascii = beyond_ascii || c >= 0x80;
  if (beyond_ascii && IsUtf8(bytes)) form.encoding = IniFileEncoding::kUtf8;
  return form;
}

std::size_t ByteOrderMarkSize(IniFileEncoding encoding) { return ByteOrderMark(encoding).size(); }

std::string ByteOrderMark(IniFileEncoding encoding) {
  switch (encoding) {
    case IniFileEncoding::kUtf16Le:
      return "\xFF\xFE";
    case IniFileEncoding::kUtf16Be:
      return "\xFE\xFF";
    case IniFileEncoding::kUtf8:
      return "\xEF\xBB\xBF";
    case IniFileEncoding::kAnsi:
      break;
  }
  return std::string();
}

bool IsUtf8(const std::string& bytes) {
  unsigned code = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = DecodeAt(bytes, i, false, &code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::wstring UnitsFromUtf16Bytes(const unsigned char* data, std::size_t byte_count,
                                 bool big_endian) {
  std::wstring units;
  if (data == nullptr) return units;
  units.reserve(byte_count / 2);
  for (std::size_t i = 0; i + 1 < byte_count; i += 2) {
    const unsigned first = data[i], second = data[i + 1];
    units.push_back(
        static_cast<wchar_t>(big_endian ? (first << 8) | second : (second << 8) | first));
  }
  return units;
}

std::string Utf16BytesFromUnits(const std::wstring& units, bool big_endian) {
  std::string bytes;
  bytes.reserve(2 * units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const unsigned unit = Unit(units, i);
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes.push_back(big_endian ? high : low);
    bytes.push_back(big_endian ? low : high);
  }
  return bytes;
}

std::string EncodeUtf16LeWithBom(const std::wstring& text) {
  return ByteOrderMark(IniFileEncoding::kUtf16Le) + Utf16BytesFromUnits(text, false);
}

std::string Utf8FromUnits(const std::wstring& units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const unsigned unit = Unit(units, i);
    if (IsHigh(unit) && i + 1 < units.size() && IsLow(Unit(units, i + 1))) {
      AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (Unit(units, ++i) - 0xDC00), &bytes);
    } else {
      AppendUtf8(unit, &bytes);  // a lone surrogate included
    }
  }
  return bytes;
}

std::wstring UnitsFromUtf8(const std::string& bytes) {
  std::wstring units;
  units.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    unsigned code = 0;
    const std::size_t length = DecodeAt(bytes, i, true, &code);
    if (length == 0) {
      units.push_back(static_cast<wchar_t>(kReplacement));
      ++i;
      continue;
    }
    i += length;
    if (code >= 0x10000) {
      units.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
      units.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<wchar_t>(code));
    }
  }
  return units;
}

}  // namespace settings
