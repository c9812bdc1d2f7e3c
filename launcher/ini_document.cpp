// The hotkey file's bytes as text to edit: which encoding the file is in, and back again.
#include "launcher/ini_document.h"

#include "screenshot/base/settings_encoding.h"

namespace launcher {
namespace {

using settings::IniFileEncoding;

bool HasNonAscii(const std::string& bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

IniDocument DecodeIniDocument(const std::string& bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const IniFileEncoding encoding = settings::DetectIniFileEncoding(data, bytes.size());
  const std::size_t mark = settings::ByteOrderMarkSize(encoding);
  IniDocument document;
  switch (encoding) {
    case IniFileEncoding::kUtf16Le:
    case IniFileEncoding::kUtf16Be: {
      const bool big_endian = encoding == IniFileEncoding::kUtf16Be;
      document.form = big_endian ? IniForm::kUtf16Be : IniForm::kUtf16Le;
      document.text = settings::Utf8FromUnits(
          settings::UnitsFromUtf16Bytes(data + mark, bytes.size() - mark, big_endian));
      if ((bytes.size() - mark) % 2 != 0) document.odd_byte = bytes.substr(bytes.size() - 1);
      break;
    }
    case IniFileEncoding::kUtf8:
      document.form = IniForm::kUtf8WithMark;
      document.text = bytes.substr(mark);
      break;
    case IniFileEncoding::kAnsi:
      document.form = HasNonAscii(bytes) && settings::IsUtf8(bytes) ? IniForm::kUtf8 : IniForm::kGb;
      document.text = bytes;
      break;
  }
  return document;
}

std::string EncodeIniDocument(const IniDocument& document) {
  switch (document.form) {
    case IniForm::kUtf16Le:
    case IniForm::kUtf16Be: {
      const bool big_endian = document.form == IniForm::kUtf16Be;
      const IniFileEncoding encoding =
          big_endian ? IniFileEncoding::kUtf16Be : IniFileEncoding::kUtf16Le;
      return settings::ByteOrderMark(encoding) +
             settings::Utf16BytesFromUnits(settings::UnitsFromUtf8(document.text), big_endian) +
             document.odd_byte;
    }
    case IniForm::kUtf8WithMark:
      return settings::ByteOrderMark(IniFileEncoding::kUtf8) + document.text;
    case IniForm::kUtf8:
    case IniForm::kGb:
      break;
  }
  return document.text;
}

}  // namespace launcher
