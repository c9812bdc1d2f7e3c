// Starting the launcher at log-on: the machine-wide Run value and the Startup-folder shortcut.
#include "launcher/auto_start_win.h"

#include <windows.h>
#include <shlobj.h>

#include "launcher/launcher_files_win.h"

namespace launcher {
namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool Create(HKEY root, const wchar_t* path, REGSAM access) {
    return RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, &key_, nullptr) ==
           ERROR_SUCCESS;
  }
  bool Open(HKEY root, const wchar_t* path, REGSAM access) {
    return RegOpenKeyExW(root, path, 0, access, &key_) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool AddAutoStart(const std::wstring& name, const std::wstring& target) {
  if (!IsPlainFile(target)) return false;
  const std::wstring data =
      target.find_first_of(L" \t") == std::wstring::npos ? target : L"\"" + target + L"\"";
  RegistryKey run;
  if (!run.Create(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE)) return false;
  return RegSetValueExW(run.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void RemoveAutoStart(const std::wstring& name) {
  {
    RegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE))
      RegDeleteValueW(run.get(), name.c_str());
  }
  wchar_t startup[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup)))
    return;
  const std::wstring shortcut = std::wstring(startup) + L"\\" + name + L".lnk";
  DeleteFileW(shortcut.c_str());
  SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW, shortcut.c_str(), nullptr);
}

}  // namespace launcher
