// CSnapshotFileDialog: placement, name suggestions, type changes and the overwrite question.
#include "screenshot/output/CSnapshotFileDialog.h"

#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "resource.h"
#include "screenshot/output/save_names.h"

namespace {

constexpr wchar_t kQuestionCaption[] = L"\u63d0\u793a";  // 提示

std::wstring LoadText(UINT id) {
  wchar_t text[256] = {};
  ::LoadStringW(CWindowBase::Module().resource_instance, id, text, 256);
  return text;
}

// Shell attributes of `path`; false when the shell does not know it.
bool ShellAttributes(const std::wstring& path, DWORD* attributes) {
  SHFILEINFOW info = {};
  if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ATTRIBUTES)) return false;
  *attributes = info.dwAttributes;
  return true;
}

// A text the dialog answers to `message` (the folder, the typed name): asked again with a
// larger buffer while it does not fit; empty when the dialog has none.
std::wstring DialogText(HWND dialog, UINT message) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const LRESULT needed =
        ::SendMessageW(dialog, message, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (needed <= 0) return std::wstring();
    if (static_cast<size_t>(needed) <= buffer.size()) return std::wstring(buffer.data());
    buffer.assign(static_cast<size_t>(needed), L'\0');
  }
}

}  // namespace

bool ShellPathExists(const std::wstring& path) {
  DWORD attributes = 0;
  return !path.empty() && ShellAttributes(path, &attributes);
}

CSnapshotFileDialog::CSnapshotFileDialog()
    : CFileDialog(FALSE, nullptr, nullptr,
                  OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr) {}

std::wstring CSnapshotFileDialog::AskSavePath(HWND owner, SettingsValues& settings) {
  ImageTypeList& types = ImageTypeList::Instance();
  const std::wstring filter = types.BuildFilter(settings.GetSaveType());
  std::vector<wchar_t> file(2065, L'\0');
  CSnapshotFileDialog dialog;
  OPENFILENAMEW& ofn = dialog.ofn();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = 2048;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 0;  // the first entry: the type saved last time
  // No overwrite prompt of the system's: the dialog asks itself, about the completed name too.
  ofn.Flags = OFN_ENABLESIZING | OFN_HIDEREADONLY;
  if (dialog.DoModal(owner) != IDOK) return std::wstring();
  const std::wstring path = dialog.CompletedPath();
  if (!file[0]) return std::wstring();
  settings.SetSaveType(types.ExtensionOfFilterIndex(ofn.nFilterIndex));
  return path;
}

BOOL CSnapshotFileDialog::ProcessWindowMessage(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                               LRESULT& lResult, DWORD) {
  if (uMsg == WM_COMMAND && LOWORD(wParam) == kSuggestNameCommand) {
    SuggestName();
    lResult = 0;
    return TRUE;
  }
  if (uMsg != WM_NOTIFY) return FALSE;
  const auto& notify = *reinterpret_cast<const OFNOTIFYW*>(lParam);
  lResult = 0;
  switch (notify.hdr.code) {
    case CDN_INITDONE:
      OnInitDone();
      break;
    case CDN_FOLDERCHANGE:
      // The dialog is still changing folder: what it holds is read once it has settled.
      ::PostMessageW(m_hWnd, WM_COMMAND, kSuggestNameCommand, 0);
      break;
    case CDN_TYPECHANGE:
      OnTypeChange(notify);
      break;
    case CDN_FILEOK:
      // Non-zero keeps the dialog open. The dialog reads the answer from the window's message
      // result, as for any dialog procedure.
      lResult = ConfirmOverwrite(notify) ? 0 : 1;
      ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, lResult);
      break;
    default:
      return FALSE;
  }
  return TRUE;
}

std::wstring CSnapshotFileDialog::CompletedPath() const {
  return save_names::CompleteExtension(FilePath(), ImageTypeList::Instance(), ofn_.nFilterIndex);
}

void CSnapshotFileDialog::OnInitDone() {
  HWND dialog = this->dialog();
  RECT r = {};
  if (!dialog || !::GetWindowRect(dialog, &r)) return;
  // Centred on the whole virtual screen, which may start left of or above the primary monitor.
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN) +
                (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (r.right - r.left)) / 2;
  const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN) +
                (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (r.bottom - r.top)) / 2;
  ::SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetForegroundWindow(dialog);
}

void CSnapshotFileDialog::SuggestName() {
  if (first_folder_change_) {
    first_folder_change_ = false;
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    SetName(save_names::TimestampName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                      now.wSecond));
    return;
  }
  const std::wstring folder = CurrentFolder();
  const std::wstring name = CurrentName();
  const std::wstring plain = LoadText(IDS_SAVE_NAME);
  const std::wstring numbered = LoadText(IDS_SAVE_NAME_NUMBERED);
  // A name the user typed stays; only our own proposals follow the folder.
  if (plain.empty() || !save_names::CountsAsSuggestion(name, plain, numbered)) return;
  const auto suggestion = save_names::SuggestName(
      plain, numbered, [&](const std::wstring& file) { return ShellPathExists(folder + file); });
  if (suggestion) SetName(*suggestion);
}

void CSnapshotFileDialog::OnTypeChange(const OFNOTIFYW& notify) {
  const ImageTypeList& types = ImageTypeList::Instance();
  const DWORD index = notify.lpOFN ? notify.lpOFN->nFilterIndex : 0;
  if (index < 1 || index > types.entries().size()) return;
  if (const auto renamed =
          save_names::SwitchExtension(CurrentName(), types.ExtensionOfFilterIndex(index)))
    SetName(*renamed);
}

bool CSnapshotFileDialog::ConfirmOverwrite(const OFNOTIFYW& notify) {
  if (!notify.lpOFN || !notify.lpOFN->lpstrFile) return true;
  const std::wstring entered = notify.lpOFN->lpstrFile;
  if (!MayReplace(entered)) return false;
  // The file actually written is the completed name: a name typed without its extension would
  // otherwise replace "name.png" without a word.
  const std::wstring completed =
      save_names::CompleteExtension(entered, ImageTypeList::Instance(), notify.lpOFN->nFilterIndex);
  return completed == entered || MayReplace(completed);
}

bool CSnapshotFileDialog::MayReplace(const std::wstring& path) {
  DWORD attributes = 0;
  if (path.empty() || !ShellAttributes(path, &attributes)) return true;
  if (!(attributes & SFGAO_FILESYSTEM) || (attributes & SFGAO_FILESYSANCESTOR)) return true;
  std::wstring question = LoadText(IDS_SAVE_OVERWRITE);
  const size_t at = question.find(L"%s");
  if (at != std::wstring::npos) question.replace(at, 2, path);
  return ::MessageBoxW(dialog(), question.c_str(), kQuestionCaption, MB_YESNO) == IDYES;
}

std::wstring CSnapshotFileDialog::CurrentFolder() const {
  std::wstring folder = DialogText(dialog(), CDM_GETFOLDERPATH);
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring CSnapshotFileDialog::CurrentName() const { return DialogText(dialog(), CDM_GETSPEC); }

void CSnapshotFileDialog::SetName(const std::wstring& name) {
  // The name box is a combo box (1148) from Windows 2000 on; older dialogs have an edit (1152).
  const int control = ::GetDlgItem(dialog(), kFileNameControl) ? kFileNameControl : edt1;
  ::SendMessageW(dialog(), CDM_SETCONTROLTEXT, control, reinterpret_cast<LPARAM>(name.c_str()));
}
