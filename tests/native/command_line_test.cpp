// Command-line tokenizer and switch rules, including hostile input.
#include "screenshot/app/command_line.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Tokens = std::vector<std::wstring>;

CommandLine Parsed(const std::wstring& text) {
  CommandLine cl;
  cl.Parse(text);
  return cl;
}

TEST(Tokenizer, SeparatorsQuotesAndEscapedQuotes) {
  EXPECT_EQ(TokenizeCommandLine(L"  a\tb\r\nc   "), (Tokens{L"a", L"b", L"c"}));
  EXPECT_EQ(TokenizeCommandLine(L"\"C:\\Program Files\\x.exe\" --a"),
            (Tokens{L"C:\\Program Files\\x.exe", L"--a"}));
  // A bare quote only toggles quoting; it can open in the middle of a token.
  EXPECT_EQ(TokenizeCommandLine(L"ab\"c d\"e f"), (Tokens{L"abc de", L"f"}));
  // Backslash + quote is a literal quote and does not toggle.
  EXPECT_EQ(TokenizeCommandLine(L"say\\\"hi there"), (Tokens{L"say\"hi", L"there"}));
  EXPECT_EQ(TokenizeCommandLine(L"\"in \\\" side\""), (Tokens{L"in \" side"}));
  // Other backslashes stay as they are, a trailing one too.
  EXPECT_EQ(TokenizeCommandLine(L"a\\\\b c\\"), (Tokens{L"a\\\\b", L"c\\"}));
}

TEST(Tokenizer, UnbalancedQuoteRunsToTheEnd) {
  EXPECT_EQ(TokenizeCommandLine(L"x \"open to the end"), (Tokens{L"x", L"open to the end"}));
  EXPECT_EQ(TokenizeCommandLine(L"x \""), (Tokens{L"x"}));
  EXPECT_TRUE(TokenizeCommandLine(L"").empty());
  EXPECT_TRUE(TokenizeCommandLine(L" \t\r\n").empty());
}

TEST(Switches, TwoHyphenForms) {
  CommandLine cl = Parsed(L"prog --QXCreate=yes --name value --flag --other -x");
  EXPECT_EQ(cl.SwitchValue(L"QXCreate"), L"yes");
  EXPECT_EQ(cl.SwitchValue(L"name"), L"value");
  // A following token that begins with a hyphen is not a value; it is a switch itself.
  EXPECT_TRUE(cl.HasSwitch(L"flag"));
  EXPECT_EQ(cl.SwitchValue(L"flag"), L"");
  EXPECT_TRUE(cl.HasSwitch(L"other"));
  EXPECT_TRUE(cl.HasSwitch(L"x"));
  EXPECT_TRUE(cl.positionals().empty());
  // Only the first equals sign separates; the value may be empty.
  CommandLine eq = Parsed(L"prog --k=a=b --e=");
  EXPECT_EQ(eq.SwitchValue(L"k"), L"a=b");
  EXPECT_TRUE(eq.HasSwitch(L"e"));
  EXPECT_EQ(eq.SwitchValue(L"e"), L"");
}

TEST(Switches, OneHyphenLettersAndLaterOccurrences) {
  // The same letters after a single hyphen are one-letter switches, not "QXCreate".
  CommandLine cl = Parsed(L"prog -QXCreate");
  EXPECT_FALSE(cl.HasSwitch(L"QXCreate"));
  for (const wchar_t* s : {L"Q", L"X", L"C", L"r", L"e", L"a", L"t"}) EXPECT_TRUE(cl.HasSwitch(s));
  // Only the last letter takes the next token.
  CommandLine v = Parsed(L"prog -ab val rest");
  EXPECT_EQ(v.SwitchValue(L"a"), L"");
  EXPECT_EQ(v.SwitchValue(L"b"), L"val");
  EXPECT_EQ(v.positionals(), (Tokens{L"rest"}));
  // A later occurrence replaces the earlier value.
  EXPECT_EQ(Parsed(L"p --k=1 --k 2").SwitchValue(L"k"), L"2");
  EXPECT_EQ(Parsed(L"p --k=1 --k").SwitchValue(L"k"), L"");
}

TEST(Switches, DoubleHyphenAloneHyphenAloneAndOddForms) {
  CommandLine cl = Parsed(L"prog a -- --install -x -");
  EXPECT_FALSE(cl.HasSwitch(L"install"));
  EXPECT_EQ(cl.positionals(), (Tokens{L"a", L"--install", L"-x", L"-"}));
  CommandLine odd = Parsed(L"prog - --=v -1 -a.b");
  EXPECT_TRUE(odd.switches().empty());
  EXPECT_EQ(odd.positionals(), (Tokens{L"-", L"--=v", L"-1", L"-a.b"}));
  EXPECT_TRUE(Parsed(L"prog").empty());
  EXPECT_TRUE(Parsed(L"\"C:\\a b\\prog.exe\"   ").empty());
}

TEST(Switches, CaseSensitiveNames) {
  CommandLine cl = Parsed(L"prog --qxcreate --INSTALL");
  EXPECT_FALSE(cl.HasSwitch(L"QXCreate"));
  EXPECT_FALSE(cl.HasSwitch(L"install"));
}

// Random command lines: parsing never fails, and what comes out is consistent with what went in.
TEST(Switches, RandomCommandLinesKeepTheInvariants) {
  std::mt19937 rng(20261208);
  const wchar_t alphabet[] = L"ab-=\"\\ \t\r\nQX\x4E2D";
  const std::size_t letters = sizeof(alphabet) / sizeof(alphabet[0]) - 1;
  for (int round = 0; round < 3000; ++round) {
    std::wstring text;
    const int len = static_cast<int>(rng() % (round < 2900 ? 64 : 20000));
    for (int i = 0; i < len; ++i) text += alphabet[rng() % letters];
    const Tokens tokens = TokenizeCommandLine(text);
    std::size_t chars = 0;
    for (const auto& t : tokens) {
      ASSERT_FALSE(t.empty());
      chars += t.size();
    }
    ASSERT_LE(chars, text.size());
    CommandLine cl;
    cl.Parse(text);
    // Every token after the program path ends up somewhere: as a name, a value or a positional.
    ASSERT_LE(cl.positionals().size(), tokens.empty() ? 0 : tokens.size() - 1);
    for (const auto& kv : cl.switches()) ASSERT_FALSE(kv.first.empty());
  }
}

TEST(Switches, ThousandsOfTokens) {
  std::wstring text = L"prog";
  for (int i = 0; i < 20000; ++i)
    text += (i % 3 == 0) ? L" --s" + std::to_wstring(i % 50) : L" -ab x";
  CommandLine cl;
  cl.Parse(text);
  EXPECT_EQ(cl.SwitchValue(L"b"), L"x");
  EXPECT_TRUE(cl.HasSwitch(L"s49"));
}

}  // namespace
