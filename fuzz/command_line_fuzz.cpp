// Fuzz target: the engine's command line. Tokens quoted again must parse back to themselves, and
// only a token that says so may ever turn on a named switch such as --install.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "screenshot/app/command_line.h"

namespace {

using Tokens = std::vector<std::wstring>;

bool IsSeparator(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// One unit per byte, so that blanks, quotes and backslashes are frequent; 0xFF and the two bytes
// after it give any 16-bit unit, as the real command line may hold.
std::wstring Units(const uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text.push_back(static_cast<wchar_t>(data[i + 1] | data[i + 2] << 8));
      i += 2;
    } else {
      text.push_back(static_cast<wchar_t>(data[i]));
    }
  }
  return text;
}

// A token written so that the tokenizer gives it back: quotes as \", and quoting opened at the
// token's start and closed just after its last separator, so that a closing quote never follows
// a backslash (which would make it a literal quote).
std::wstring Quoted(const std::wstring& token) {
  std::size_t last_separator = std::wstring::npos;
  for (std::size_t i = 0; i < token.size(); ++i)
    if (IsSeparator(token[i])) last_separator = i;
  std::wstring out;
  if (last_separator != std::wstring::npos) out += L'"';
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token[i] == L'"') out += L'\\';
    out += token[i];
    if (i == last_separator) out += L'"';
  }
  return out;
}

// Whether the switch |name| may come from |token|: "--name" or "--name=...".
bool NamesSwitch(const std::wstring& token, const std::wstring& name) {
  if (token.compare(0, 2, L"--") != 0 || token.compare(2, name.size(), name) != 0) return false;
  return token.size() == 2 + name.size() || token[2 + name.size()] == L'=';
}

bool IsTokenOrSuffix(const Tokens& tokens, const std::wstring& value) {
  for (const std::wstring& token : tokens) {
    if (token == value) return true;
    const std::size_t eq = token.find(L'=');
    if (token.compare(0, 2, L"--") == 0 && eq != std::wstring::npos &&
        token.substr(eq + 1) == value)
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = Units(data, size);
  const Tokens tokens = TokenizeCommandLine(text);

  // Tokens are never empty and never hold more than the text did.
  std::size_t units = 0;
  for (const std::wstring& token : tokens) {
    if (token.empty()) std::abort();
    units += token.size();
  }
  if (units > text.size()) std::abort();

  // Quoted again, the tokens come back exactly.
  std::wstring again;
  for (const std::wstring& token : tokens) again += Quoted(token) + L' ';
  if (TokenizeCommandLine(again) != tokens) std::abort();

  // Parsing the text is parsing the tokens after the program path.
  CommandLine parsed;
  parsed.Parse(text);
  const Tokens args(tokens.empty() ? tokens.begin() : tokens.begin() + 1, tokens.end());
  CommandLine from_tokens;
  from_tokens.ParseTokens(args);
  if (parsed.switches() != from_tokens.switches() ||
      parsed.positionals() != from_tokens.positionals())
    std::abort();

  // Positionals are arguments as they were, switch values whole arguments or what follows the
  // '=' of one, and switch names never empty.
  if (parsed.positionals().size() > args.size()) std::abort();
  for (const std::wstring& positional : parsed.positionals()) {
    if (std::find(args.begin(), args.end(), positional) == args.end()) std::abort();
  }
  for (const auto& [name, value] : parsed.switches()) {
    if (name.empty()) std::abort();
    if (!value.empty() && !IsTokenOrSuffix(args, value)) std::abort();
    // A name of more than one letter only ever comes from "--name" or "--name=value" before any
    // "--": the engine acts on such switches, so no other token may produce one.
    if (name.size() > 1) {
      bool named = false;
      for (const std::wstring& arg : args) {
        if (arg == L"--") break;
        if (NamesSwitch(arg, name)) named = true;
      }
      if (!named) std::abort();
    }
  }
  return 0;
}
