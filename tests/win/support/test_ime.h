// A stand-in input method for the text box's tests: it draws its composition at the caret and
// answers the composition, result, attributes, clauses and cursor the test sets.
#pragma once

#include <windows.h>

#include <imm.h>

#include <string>
#include <vector>

#include "screenshot/board/CInplaceEditBox.h"

namespace testime {

class FakeIme : public TextBoxIme {
 public:
  std::wstring composition, result;
  std::vector<BYTE> attributes;
  std::vector<DWORD> clauses;
  LONG cursor = 0;
  int cancels = 0, exclusions = 0;
  POINT placed = {-1, -1};
  DWORD Properties() override { return IME_PROP_AT_CARET | IME_PROP_UNICODE; }
  std::vector<BYTE> Part(HWND, DWORD part) override {
    auto bytes = [](const void* p, size_t n) {
      const BYTE* b = static_cast<const BYTE*>(p);
      return std::vector<BYTE>(b, b + n);
    };
    switch (part) {
      case GCS_COMPSTR:
        return bytes(composition.data(), composition.size() * 2);
      case GCS_RESULTSTR:
        return bytes(result.data(), result.size() * 2);
      case GCS_COMPATTR:
        return attributes;
      case GCS_COMPCLAUSE:
        return bytes(clauses.data(), clauses.size() * sizeof(DWORD));
      case GCS_CURSORPOS:
        return bytes(&cursor, sizeof(cursor));
      default:
        return {};
    }
  }
  void Cancel(HWND) override { ++cancels; }
  void SetFont(HWND, const LOGFONTW&) override {}
  void Place(HWND, POINT caret, const RECT&) override { placed = caret; }
  void Exclude(HWND, int, const RECT&) override { ++exclusions; }
};

}  // namespace testime
