// The hotkey file's bytes: finding and setting one value in GB 936 text, keeping the rest.
#include "launcher/ini_text.h"

#include <gtest/gtest.h>

#include <string>

using launcher::FindIniValue;
using launcher::SetIniValue;

namespace {

// "配置名" in GB 936, the section and key of the hotkey file.
const std::string kName = "\xC5\xE4\xD6\xC3\xC3\xFB";
// 礭 in GB 936: its second byte is ']' (0x5D).
const std::string kTrailBracket = "\xB5\x5D";

}  // namespace

TEST(LauncherIniText, FindsTheKeyOfTheFirstMatchingSectionOnly) {
  const std::string file = "; " + kName + "\r\n[other]\r\n" + kName + "=113\r\n[" + kName +
                           "]\r\n\r\n x=1\r\n  " + kName + " \t=  114 \r\n" + kName + "=115\r\n[" +
                           kName + "]\r\n" + kName + "=116\r\n";
  EXPECT_EQ(FindIniValue(file, kName, kName), "114");
  EXPECT_EQ(FindIniValue(file, "other", kName), "113");
  EXPECT_EQ(FindIniValue(file, kName, "x"), "1");
  EXPECT_EQ(FindIniValue(file, kName, "y"), std::nullopt);
  EXPECT_EQ(FindIniValue(file, "missing", kName), std::nullopt);
  EXPECT_EQ(FindIniValue("", kName, kName), std::nullopt);
  // LF-only lines, no final line break, quotes, a key without '='.
  EXPECT_EQ(FindIniValue("[s]\nk=\"112\"", "s", "k"), "112");
  EXPECT_EQ(FindIniValue("[s]\nk\n", "s", "k"), "");
  EXPECT_EQ(FindIniValue("[s]\nk=a=b\n", "s", "k"), "a=b");
}

TEST(LauncherIniText, BracketsInsideDoubleByteCharactersDoNotEndOrStartSections) {
  // "[a]礭": the header's name ends at the real ']', not at the second byte of 礭.
  // "[礭": no ']' of its own, so no header: its line and the next stay in section a.
  const std::string file = "[a]" + kTrailBracket + "\r\nk=1\r\n[" + kTrailBracket + "\r\nj=2\r\n";
  EXPECT_EQ(FindIniValue(file, "a", "k"), "1");
  EXPECT_EQ(FindIniValue(file, "a", "j"), "2");
  EXPECT_EQ(FindIniValue(file, kTrailBracket.substr(0, 1), "j"), std::nullopt);
}

TEST(LauncherIniText, SettingRewritesOnlyTheKeyLineAndKeepsEveryOtherByte) {
  const std::string head = "\xEF\xBB; " + kName + "\n[a]\nk=1\n[" + kName + "]\n";
  const std::string tail = "\n[b]\n" + kName + "=9";
  EXPECT_EQ(SetIniValue(head + "  " + kName + " = \"114\" ; old" + tail, kName, kName, "113"),
            head + kName + "=113" + tail);
  EXPECT_EQ(
      FindIniValue(SetIniValue(head + kName + "=114" + tail, kName, kName, "116"), kName, kName),
      "116");
}

TEST(LauncherIniText, SettingAddsMissingKeysAndSectionsWithTheFilesLineBreaks) {
  const std::string entry = kName + "=114";
  // New file.
  EXPECT_EQ(SetIniValue("", kName, kName, "114"), "[" + kName + "]\r\n" + entry + "\r\n");
  // Section missing; the file's last line has no break.
  EXPECT_EQ(SetIniValue("[a]\r\nk=1", kName, kName, "114"),
            "[a]\r\nk=1\r\n[" + kName + "]\r\n" + entry + "\r\n");
  EXPECT_EQ(SetIniValue("[a]\nk=1\n", kName, kName, "114"),
            "[a]\nk=1\n[" + kName + "]\n" + entry + "\n");
  // Key missing: added after the section's last line, before blank lines and the next section.
  EXPECT_EQ(SetIniValue("[" + kName + "]\r\nx=1\r\n\r\n[b]\r\n", kName, kName, "114"),
            "[" + kName + "]\r\nx=1\r\n" + entry + "\r\n\r\n[b]\r\n");
  EXPECT_EQ(SetIniValue("[" + kName + "]", kName, kName, "114"),
            "[" + kName + "]\r\n" + entry + "\r\n");
}

// In UTF-8 a character's later bytes are 0x80 to 0xBF, which GB 936 would take for a lead byte:
// read as GB, "[配]" would swallow its own ']' and the section would never be found.
TEST(LauncherIniText, Utf8TextIsNotReadAsDoubleByteCharacters) {
  const std::string name = "\xE9\x85\x8D";  // 配
  const std::string file = "[" + name + "]\r\nk=114\r\n";
  EXPECT_EQ(FindIniValue(file, name, "k", launcher::IniCharset::kUtf8), "114");
  EXPECT_EQ(SetIniValue(file, name, "k", "115", launcher::IniCharset::kUtf8),
            "[" + name + "]\r\nk=115\r\n");
}

TEST(LauncherIniText, AValueNeverBreaksIntoLinesOfItsOwn) {
  const std::string file = SetIniValue("[s]\r\n", "s", "k", "114\r\n[t]\r\nx=1");
  EXPECT_EQ(file, "[s]\r\nk=114\r\n");
  EXPECT_EQ(FindIniValue(file, "t", "x"), std::nullopt);
}

// Found by fuzzing: a file whose last line ends in a lone CR. Adding after it must not glue the
// new line to it, nor turn that CR into part of the old value.
TEST(LauncherIniText, AFileEndingInALoneCarriageReturnGetsOnlyTheMissingLineFeed) {
  EXPECT_EQ(SetIniValue("[s]\r\nx=1\r", "s", "k", "114"), "[s]\r\nx=1\r\nk=114\r\n");
  EXPECT_EQ(SetIniValue("[a]\r\nx=1\r", "s", "k", "114"), "[a]\r\nx=1\r\n[s]\r\nk=114\r\n");
  EXPECT_EQ(FindIniValue(SetIniValue("[s]\nx=1\r", "s", "k", "114"), "s", "x"), "1");
}
