// The engine's command line: tokenizer and switch rules.
//
// Tokens are separated by blank, tab, CR and LF outside quotes; a double quote toggles quoting and
// is dropped; backslash + double quote gives a literal quote. The first token (the program path)
// is skipped. "--" makes every later token positional; "--name=value" and "--name value" set a
// switch; "-abc" sets one switch per letter, the last of which may take the next token as value.
#pragma once

#include <map>
#include <string>
#include <vector>

std::vector<std::wstring> TokenizeCommandLine(const std::wstring& text);

class CommandLine {
 public:
  // Parses the whole command line string, program path included.
  void Parse(const std::wstring& text);
  // Parses tokens that follow the program path.
  void ParseTokens(const std::vector<std::wstring>& args);

  bool HasSwitch(const std::wstring& name) const { return switches_.count(name) != 0; }
  // The value of a switch; empty when it has none or is absent.
  std::wstring SwitchValue(const std::wstring& name) const;
  const std::map<std::wstring, std::wstring>& switches() const { return switches_; }
  const std::vector<std::wstring>& positionals() const { return positionals_; }
  // True when no switch and no positional argument was given ("--" alone gives neither).
  bool empty() const { return switches_.empty() && positionals_.empty(); }

 private:
  std::map<std::wstring, std::wstring> switches_;  // names compared exactly (case-sensitive)
  std::vector<std::wstring> positionals_;
};
