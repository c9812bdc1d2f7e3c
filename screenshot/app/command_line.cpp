// The engine's command line: tokenizer and switch rules.
#include "screenshot/app/command_line.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// "-abc": one hyphen followed by letters only; "-1" or "-a.b" are positional.
bool IsLetterGroup(const std::wstring& tok) {
  if (tok.size() < 2 || tok[0] != L'-') return false;
  for (std::size_t k = 1; k < tok.size(); ++k)
    if (!IsLetter(tok[k])) return false;
  return true;
}

// "A token that may serve as a switch's value": present and not beginning with a hyphen.
bool TakesValue(const std::vector<std::wstring>& args, std::size_t next) {
  return next < args.size() && !args[next].empty() && args[next][0] != L'-';
}

}  // namespace

std::vector<std::wstring> TokenizeCommandLine(const std::wstring& text) {
  std::vector<std::wstring> tokens;
  std::wstring current;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\\' && i + 1 < text.size() && text[i + 1] == L'"') {
      current += L'"';
      ++i;
    } else if (c == L'"') {
      quoted = !quoted;
    } else if (!quoted && IsSeparator(c)) {
      if (!current.empty()) tokens.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) tokens.push_back(current);
  return tokens;
}

void CommandLine::Parse(const std::wstring& text) {
  std::vector<std::wstring> tokens = TokenizeCommandLine(text);
  if (!tokens.empty()) tokens.erase(tokens.begin());
  ParseTokens(tokens);
}

void CommandLine::ParseTokens(const std::vector<std::wstring>& args) {
  bool only_positional = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& tok = args[i];
    if (only_positional) {
      positionals_.push_back(tok);
    } else if (tok == L"--") {
      only_positional = true;
    } else if (tok.size() > 2 && tok[0] == L'-' && tok[1] == L'-') {
      const std::size_t eq = tok.find(L'=', 2);
      if (eq == 2) {
        positionals_.push_back(tok);  // "--=x" names no switch
      } else if (eq != std::wstring::npos) {
        switches_[tok.substr(2, eq - 2)] = tok.substr(eq + 1);
      } else if (TakesValue(args, i + 1)) {
        switches_[tok.substr(2)] = args[++i];
      } else {
        switches_[tok.substr(2)] = std::wstring();
      }
    } else if (IsLetterGroup(tok)) {
      for (std::size_t k = 1; k < tok.size(); ++k) {
        const std::wstring name(1, tok[k]);
        if (k + 1 == tok.size() && TakesValue(args, i + 1))
          switches_[name] = args[++i];
        else
          switches_[name] = std::wstring();
      }
    } else {
      positionals_.push_back(tok);
    }
  }
}

std::wstring CommandLine::SwitchValue(const std::wstring& name) const {
  auto it = switches_.find(name);
  return it == switches_.end() ? std::wstring() : it->second;
}
