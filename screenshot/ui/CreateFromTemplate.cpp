// CreateFromTemplate: a window and its placeholder controls built from a dialog template.
#include "screenshot/ui/CreateFromTemplate.h"

#include <string>
#include <utility>

#include "screenshot/ui/dialog_template.h"

namespace {

// A string resource of any length: the buffer starts at 260 characters and grows by 260 plus
// an eighth until the text fits (LoadStringW truncates silently). Empty when there is none.
std::wstring LoadResourceString(HINSTANCE instance, UINT id) {
  // String resources hold at most 65535 characters, so the loop ends with a buffer that large.
  constexpr std::size_t kLongestString = 65535;
  std::wstring buffer(260, L'\0');
  for (;;) {
    const int length = ::LoadStringW(instance, id, &buffer[0], static_cast<int>(buffer.size()));
    if (length <= 0) return std::wstring();
    if (static_cast<std::size_t>(length) + 1 < buffer.size() || buffer.size() > kLongestString) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
    buffer.resize(buffer.size() + 260 + buffer.size() / 8);
  }
}

// A child's rectangle in its parent's client coordinates. In a mirrored (right-to-left) window
// the two x values come back from the mapping swapped.
bool ClientRectOf(HWND window, HWND child, RECT* rect) {
  if (!::GetWindowRect(child, rect)) return false;
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(rect), 2);
  if (rect->left > rect->right) std::swap(rect->left, rect->right);
  return true;
}

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

HWND CreateFromTemplateData(HINSTANCE instance, const void* data, std::size_t size, HWND parent,
                            DLGPROC dialog_proc) {
  // Walk the whole template first: a damaged one creates nothing.
  DialogTemplate layout;
  if (!ParseDialogTemplate(data, size, &layout)) return nullptr;
  // The dialog itself is made from an empty, hidden, fontless copy of the header, so that the
  // dialog manager neither scales nor creates anything; size and controls follow in pixels.
  std::vector<std::uint8_t> empty = MakeEmptyDialogTemplate(data, size);
  if (empty.empty()) return nullptr;
  HWND window = ::CreateDialogIndirectParamW(
      instance, reinterpret_cast<LPCDLGTEMPLATEW>(empty.data()), parent, dialog_proc, 0);
  if (!window) return nullptr;
  ::SetWindowPos(window, nullptr, 0, 0, layout.cx, layout.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  HWND previous = nullptr;
  for (const DialogItemTemplate& item : layout.items) {
    std::wstring title = item.has_title_ordinal ? LoadResourceString(instance, item.title_ordinal)
                                                : Wide(item.title);
    // WS_CHILD always: the id is a control id only for a child window, and a control without
    // it would become a separate top-level window.
    HWND control = ::CreateWindowExW(
        item.ex_style, Wide(item.class_name).c_str(), title.c_str(), item.style | WS_CHILD, item.x,
        item.y, item.cx, item.cy, window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)),
        instance, nullptr);
    if (!control) continue;
    // Template order is Z order: each control goes below the one before it.
    if (previous)
      ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }

  if (layout.style & kTemplateVisible) ::ShowWindow(window, SW_SHOW);
  return window;
}

HWND CreateFromTemplate(HINSTANCE instance, UINT dialog_id, HWND parent, DLGPROC dialog_proc) {
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(dialog_id), RT_DIALOG);
  if (!found) return nullptr;
  const DWORD size = ::SizeofResource(instance, found);
  HGLOBAL loaded = ::LoadResource(instance, found);
  if (!loaded) return nullptr;
  const void* data = ::LockResource(loaded);
  HWND window = data ? CreateFromTemplateData(instance, data, size, parent, dialog_proc) : nullptr;
  ::FreeResource(loaded);
  return window;
}

bool ReadPlaceholderRect(HWND window, int id, RECT* rect) {
  HWND control = ::GetDlgItem(window, id);
  return control && rect && ClientRectOf(window, control, rect);
}

std::vector<TemplateButton> ReadPlaceholderRects(HWND window) {
  std::vector<TemplateButton> buttons;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    TemplateButton b;
    b.id = ::GetDlgCtrlID(child);
    if (ClientRectOf(window, child, &b.rect)) buttons.push_back(b);
  }
  return buttons;
}
