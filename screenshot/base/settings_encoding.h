// Byte-level text handling for the settings: registry string data and the INI files' encodings.
//
// Text held in a std::wstring here is a sequence of UTF-16 code units, one unit (0..0xFFFF) per
// wchar_t, on every compiler: that is what the Windows build's strings are, and the native tests
// see the same thing.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// The text of registry string data given as raw bytes (UTF-16LE). Data need not be terminated:
// the text ends at the first NUL unit or at the end of the data, and a trailing odd byte (half a
// unit) is ignored. Null data gives an empty text.
std::wstring StringFromRegistryBytes(const unsigned char* data, std::size_t byte_count);

// How an INI file's bytes are laid out, judged from its byte-order mark. The profile functions
// keep a file with a UTF-16 mark in Unicode; anything else they read in the ANSI code page.
enum class IniFileEncoding {
  kUtf16Le,  // starts with FF FE
  kUtf16Be,  // starts with FE FF
  kUtf8,     // starts with EF BB BF
  kAnsi,     // anything else, an empty file included
};
IniFileEncoding DetectIniFileEncoding(const unsigned char* data, std::size_t byte_count);
// The encoding of a settings file judged by its mark or, where it has none, by its content, as
// the user's editor may have saved it: UTF-16 in either byte order (much of an INI file is ASCII,
// so one byte of nearly every unit is zero, which ANSI text never has), then UTF-8 (well-formed,
// with at least one character beyond ASCII), else ANSI.
struct IniTextForm {
  IniFileEncoding encoding = IniFileEncoding::kAnsi;
  bool marked = false;  // the file starts with the encoding's byte-order mark
};
IniTextForm DetectIniTextForm(const unsigned char* data, std::size_t byte_count);

// Bytes of the byte-order mark that the encoding's files start with (0 for kAnsi).
std::size_t ByteOrderMarkSize(IniFileEncoding encoding);
// The byte-order mark itself.
std::string ByteOrderMark(IniFileEncoding encoding);

// True when bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut short.
bool IsUtf8(const std::string& bytes);

// UTF-16 bytes and code units. A trailing odd byte is not a unit and is left out.
std::wstring UnitsFromUtf16Bytes(const unsigned char* data, std::size_t byte_count,
                                 bool big_endian);
std::string Utf16BytesFromUnits(const std::wstring& units, bool big_endian);
// text as UTF-16LE bytes preceded by the byte-order mark FF FE.
std::string EncodeUtf16LeWithBom(const std::wstring& text);

// UTF-8 from code units. A surrogate without its partner gets a three-byte form of its own, so
// that the text of a damaged UTF-16 file survives the way through UTF-8 unchanged.
std::string Utf8FromUnits(const std::wstring& units);
// Code units from UTF-8, the three-byte forms of lone surrogates included. Every byte that does
// not start a complete, shortest sequence gives U+FFFD, as the system's conversion does.
std::wstring UnitsFromUtf8(const std::string& bytes);

}  // namespace settings
