// CScrawlBoard::CInplaceEditBox: input-method composition (drawn in the box by an at-caret input
// method, else in the system's window), its result, placement of the input method's windows and
// cancelling; and the input-method calls themselves.
#include <imm.h>

#include <algorithm>
#include <cstring>

#include "screenshot/board/CInplaceEditBox.h"

namespace {

TextBoxIme g_system_ime;
TextBoxIme* g_ime = nullptr;

// What the result and composition messages carry that the box reads itself.
constexpr LPARAM kResultParts =
    GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

}  // namespace

TextBoxIme& TextBoxImeInUse() { return g_ime ? *g_ime : g_system_ime; }

void CScrawlBoard::CInplaceEditBox::SetIme(TextBoxIme* stand_in) { g_ime = stand_in; }

// ---- the system's input method -----------------------------------------------------------------

DWORD TextBoxIme::Properties() { return ::ImmGetProperty(::GetKeyboardLayout(0), IGP_PROPERTY); }

std::vector<BYTE> TextBoxIme::Part(HWND edit, DWORD part) {
  std::vector<BYTE> out;
  HIMC imc = ::ImmGetContext(edit);
  if (!imc) return out;
  const bool wide = (Properties() & IME_PROP_UNICODE) != 0;
  if (part == GCS_CURSORPOS) {
    const LONG pos = ::ImmGetCompositionStringW(imc, GCS_CURSORPOS, nullptr, 0);
    out.resize(sizeof(pos));
    std::memcpy(out.data(), &pos, sizeof(pos));
  } else {
    const LONG n = wide ? ::ImmGetCompositionStringW(imc, part, nullptr, 0)
                        : ::ImmGetCompositionStringA(imc, part, nullptr, 0);
    if (n > 0) {
      out.resize(static_cast<size_t>(n));
      const LONG got = wide ? ::ImmGetCompositionStringW(imc, part, out.data(), n)
                            : ::ImmGetCompositionStringA(imc, part, out.data(), n);
      out.resize(static_cast<size_t>(std::max<LONG>(got, 0)));
    }
  }
  ::ImmReleaseContext(edit, imc);
  return out;
}

void TextBoxIme::Cancel(HWND edit) {
  HIMC imc = ::ImmGetContext(edit);
  if (!imc) return;
  ::ImmNotifyIME(imc, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
  ::ImmNotifyIME(imc, NI_CLOSECANDIDATE, 0, 0);
  ::ImmReleaseContext(edit, imc);
}

void TextBoxIme::SetFont(HWND edit, const LOGFONTW& font) {
  HIMC imc = edit ? ::ImmGetContext(edit) : nullptr;
  if (!imc) return;
  LOGFONTW lf = font;
  ::ImmSetCompositionFontW(imc, &lf);
  ::ImmReleaseContext(edit, imc);
}

void TextBoxIme::Place(HWND edit, POINT caret, const RECT& area) {
  HIMC imc = ::ImmGetContext(edit);
  if (!imc) return;
  COMPOSITIONFORM cf = {CFS_POINT, caret, area};
  ::ImmSetCompositionWindow(imc, &cf);
  CANDIDATEFORM cand = {0, CFS_CANDIDATEPOS, caret, {}};
  ::ImmSetCandidateWindow(imc, &cand);
  ::ImmReleaseContext(edit, imc);
}

void TextBoxIme::Exclude(HWND edit, int index, const RECT& area) {
  HIMC imc = ::ImmGetContext(edit);
  if (!imc) return;
  CANDIDATEFORM cand = {static_cast<DWORD>(index), CFS_EXCLUDE, POINT{area.left, area.bottom},
                        area};
  ::ImmSetCandidateWindow(imc, &cand);
  ::ImmReleaseContext(edit, imc);
}

// ---- composition in the box --------------------------------------------------------------------

namespace {

// The characters of a string part as the input method gave it (UTF-16, or the ANSI code page).
std::wstring TextOf(const std::vector<BYTE>& bytes, bool wide) {
  if (wide) return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  if (bytes.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(std::max(n, 0)), L'\0');
  if (n > 0)
    ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                          static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

}  // namespace

bool CScrawlBoard::CInplaceEditBox::OnImeMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                                 LRESULT& result) {
  const DWORD props = TextBoxImeInUse().Properties();
  const bool at_caret = (props & IME_PROP_AT_CARET) != 0;
  switch (msg) {
    case WM_IME_STARTCOMPOSITION:
      board_->ComposingChanged(true);
      return at_caret;
    case WM_IME_ENDCOMPOSITION:
      comp_.clear();
      board_->ComposingChanged(false);
      if (at_caret) Redraw();
      return at_caret;
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) InsertResult();
      if (at_caret) {
        ReadComposition(lParam);
        Redraw();
        return true;
      }
      // The system's window shows the composition; the result is in already, so the default
      // handling must not hand it over a second time as characters.
      if (lParam & GCS_RESULTSTR) {
        if (edit_proxy_) result = edit_proxy_->DefWindowProc(msg, wParam, lParam & ~kResultParts);
        return true;
      }
      return false;
    case WM_IME_NOTIFY:
      if (wParam == IMN_OPENCANDIDATE && !in_candidate_) {
        in_candidate_ = true;
        if (at_caret)
          Redraw();
        else
          PlaceImeWindows();
        TextBoxImeInUse().SetFont(edit_, board_->text_font_);
        in_candidate_ = false;
      }
      return false;
    default:
      return false;
  }
}

void CScrawlBoard::CInplaceEditBox::ReadComposition(LPARAM) {
  const bool wide = (TextBoxImeInUse().Properties() & IME_PROP_UNICODE) != 0;
  const std::wstring text = TextOf(TextBoxImeInUse().Part(edit_, GCS_COMPSTR), wide);
  comp_.clear();
  if (text.empty()) return;
  const int n = static_cast<int>(text.size());
  const std::vector<BYTE> clause_bytes = TextBoxImeInUse().Part(edit_, GCS_COMPCLAUSE);
  std::vector<int> offsets(clause_bytes.size() / sizeof(DWORD));
  for (size_t i = 0; i < offsets.size(); ++i) {
    DWORD v;
    std::memcpy(&v, clause_bytes.data() + i * sizeof(DWORD), sizeof(v));
    offsets[i] = static_cast<int>(std::min<DWORD>(v, 0x7FFFFFFF));
  }
  comp_clauses_ = ClauseOffsets(offsets, n);
  comp_attrs_ = FilledAttributes(TextBoxImeInUse().Part(edit_, GCS_COMPATTR), n);
  const std::vector<BYTE> cursor = TextBoxImeInUse().Part(edit_, GCS_CURSORPOS);
  LONG pos = n;
  if (cursor.size() >= sizeof(pos)) std::memcpy(&pos, cursor.data(), sizeof(pos));
  comp_cursor_ = std::min<int>(std::max<LONG>(pos, 0), n);
  for (wchar_t c : text) comp_.push_back(TextCell{0, 0, 0, 0, static_cast<uint16_t>(c)});
}

void CScrawlBoard::CInplaceEditBox::InsertResult() {
  const bool wide = (TextBoxImeInUse().Properties() & IME_PROP_UNICODE) != 0;
  const std::wstring text = TextOf(TextBoxImeInUse().Part(edit_, GCS_RESULTSTR), wide);
  comp_.clear();
  for (wchar_t c : text) Edit(kTypingChar, static_cast<uint16_t>(c));
}

void CScrawlBoard::CInplaceEditBox::CommitComposition() {
  if (comp_.empty()) return;
  std::vector<TextCell> cells;
  cells.swap(comp_);
  for (const TextCell& c : cells) Edit(kTypingChar, c.code);
  CancelComposition();
}

void CScrawlBoard::CInplaceEditBox::CancelComposition() {
  comp_.clear();
  exclusions_.clear();
  if (edit_) TextBoxImeInUse().Cancel(edit_);
  board_->ComposingChanged(false);
}

void CScrawlBoard::CInplaceEditBox::PlaceImeWindows() {
  if (!edit_ || !open_ || board_->IsDetached()) return;
  // Board points to the host's client area, and from there to the edit window's.
  auto to_edit = [this](int x, int y) {
    POINT p = {x + board_->x_, y + board_->y_};
    ::MapWindowPoints(board_->host_, edit_, &p, 1);
    return p;
  };
  const POINT caret = to_edit(origin_.x + caret_.x, origin_.y + caret_.top);
  const RECT area = {caret.x, caret.y, caret.x + 2, caret.y + line_height_};
  TextBoxImeInUse().Place(edit_, caret, area);
  for (size_t i = 0; i < exclusions_.size() && i < static_cast<size_t>(kMaxExclusions); ++i) {
    const Rect& r = exclusions_[i];
    const POINT a = to_edit(origin_.x + r.left, origin_.y + r.top);
    const POINT b = to_edit(origin_.x + r.right, origin_.y + r.bottom);
    TextBoxImeInUse().Exclude(edit_, static_cast<int>(i), RECT{a.x, a.y, b.x, b.y});
  }
}
