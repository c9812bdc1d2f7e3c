// The hotkey file in whatever encoding it was saved: found, changed and written back in it.
#include "launcher/ini_document.h"

#include <gtest/gtest.h>

#include <string>

#include "launcher/ini_text.h"

using namespace launcher;

namespace {

// "配置名" in GB 936 and in UTF-8; the same as UTF-16LE and UTF-16BE units.
const std::string kGbName = "\xC5\xE4\xD6\xC3\xC3\xFB";
const std::string kUtf8Name = "\xE9\x85\x8D\xE7\xBD\xAE\xE5\x90\x8D";
const std::string kLeName("\x4D\x91\x6E\x7F\x0D\x54", 6);
const std::string kBeName("\x91\x4D\x7F\x6E\x54\x0D", 6);

std::string Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string(1, c) + '\0';
  return out;
}
std::string Be(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string(1, '\0') + c;
  return out;
}

// Sets the hotkey to value the way the launcher does, in the document's own spelling of names.
std::string SetHotkey(const std::string& bytes, const std::string& value) {
  IniDocument document = DecodeIniDocument(bytes);
  const std::string& name = document.charset() == IniCharset::kGb ? kGbName : kUtf8Name;
  document.text = SetIniValue(document.text, name, name, value, document.charset());
  return EncodeIniDocument(document);
}

std::string FindHotkey(const std::string& bytes) {
  const IniDocument document = DecodeIniDocument(bytes);
  const std::string& name = document.charset() == IniCharset::kGb ? kGbName : kUtf8Name;
  return FindIniValue(document.text, name, name, document.charset()).value_or("none");
}

}  // namespace

TEST(LauncherIniDocument, EachEncodingIsRecognisedAndItsHotkeyFound) {
  const std::string gb = "[" + kGbName + "]\r\n" + kGbName + "=114\r\n";
  const std::string utf8 = "[" + kUtf8Name + "]\r\n" + kUtf8Name + "=115\r\n";
  const std::string le = "\xFF\xFE" + Le("[") + kLeName + Le("]\r\n") + kLeName + Le("=116\r\n");
  const std::string be = "\xFE\xFF" + Be("[") + kBeName + Be("]\r\n") + kBeName + Be("=112\r\n");
  EXPECT_EQ(DecodeIniDocument(gb).form, IniForm::kGb);
  EXPECT_EQ(DecodeIniDocument(utf8).form, IniForm::kUtf8);
  EXPECT_EQ(DecodeIniDocument("\xEF\xBB\xBF" + utf8).form, IniForm::kUtf8WithMark);
  EXPECT_EQ(DecodeIniDocument(le).form, IniForm::kUtf16Le);
  EXPECT_EQ(DecodeIniDocument(be).form, IniForm::kUtf16Be);
  EXPECT_EQ(DecodeIniDocument("[a]\r\nk=1\r\n").form, IniForm::kGb);  // plain ASCII
  EXPECT_EQ(DecodeIniDocument("").form, IniForm::kGb);                // a new file
  EXPECT_EQ(FindHotkey(gb), "114");
  EXPECT_EQ(FindHotkey(utf8), "115");
  // With a mark, the header is the first line: the mark must not hide it.
  EXPECT_EQ(FindHotkey("\xEF\xBB\xBF" + utf8), "115");
  EXPECT_EQ(FindHotkey(le), "116");
  EXPECT_EQ(FindHotkey(be), "112");
}

TEST(LauncherIniDocument, ChangingTheHotkeyKeepsTheFilesEncodingAndEveryOtherByte) {
  const std::string other = "[\xE5\x85\xB6]\r\nnote=\xE6\x88\xAA\r\n";  // [其] note=截
  const std::string utf8 = "\xEF\xBB\xBF" + other + "[" + kUtf8Name + "]\r\n" + kUtf8Name + "=114";
  EXPECT_EQ(SetHotkey(utf8, "113"),
            "\xEF\xBB\xBF" + other + "[" + kUtf8Name + "]\r\n" + kUtf8Name + "=113");
  EXPECT_EQ(SetHotkey(other, "116"), other + "[" + kUtf8Name + "]\r\n" + kUtf8Name + "=116\r\n");

  const std::string le = "\xFF\xFE" + Le("; x\r\n");
  EXPECT_EQ(SetHotkey(le, "115"), le + Le("[") + kLeName + Le("]\r\n") + kLeName + Le("=115\r\n"));
  const std::string be = "\xFE\xFF" + Be("[") + kBeName + Be("]\n") + kBeName + Be("=114\n");
  EXPECT_EQ(SetHotkey(be, "112"),
            "\xFE\xFF" + Be("[") + kBeName + Be("]\n") + kBeName + Be("=112\n"));
  // A new or ASCII-only file is written in GB 936, as the launcher always wrote it.
  EXPECT_EQ(SetHotkey("", "114"), "[" + kGbName + "]\r\n" + kGbName + "=114\r\n");
}

TEST(LauncherIniDocument, DamagedUtf16ComesBackByteForByte) {
  // A lone surrogate (00 D8), a half unit at the end: untouched by a change elsewhere.
  const std::string damaged = "\xFF\xFE" + Le("[a]\r\nk=") + std::string("\x00\xD8", 2) +
                              Le("\r\n[") + kLeName + Le("]\r\n") + kLeName + Le("=114\r\n") +
                              "\x41";
  const IniDocument document = DecodeIniDocument(damaged);
  EXPECT_EQ(document.odd_byte, "\x41");
  EXPECT_EQ(EncodeIniDocument(document), damaged);
  std::string expected = damaged;
  expected.replace(expected.find(Le("=114")), Le("=114").size(), Le("=116"));
  EXPECT_EQ(SetHotkey(damaged, "116"), expected);
}
