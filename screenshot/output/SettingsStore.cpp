// The engine's process-wide settings store: where the settings file lives, loading and saving it.
#include "screenshot/output/SettingsStore.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <cstddef>
#include <cwchar>
#include <string>

#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/output/settings_ini_file_win.h"
#include "screenshot/output/settings_paths.h"
#include "screenshot/output/settings_registry_win.h"
#include "screenshot/output/settings_schema.h"

namespace {

const wchar_t kHostKey[] = L"Software\\Corvane\\CorvanePinyin";
const wchar_t kHostDataFolderValue[] = L"AppData";
// The host is a 64-bit program on 64-bit systems, so its key is read in the 64-bit view.
constexpr REGSAM kHostKeyAccess = KEY_READ | KEY_WOW64_64KEY;
static_assert(KEY_WOW64_64KEY == 0x100, "registry view flag");

const wchar_t kHostSubfolder[] = L"\\Corvane\\CorvanePinyin";
const wchar_t kSettingsFileTail[] = L"\\Plugin\\Screenshot\\Config.ini";

static_assert(settings::kFaceNameCapacity == LF_FACESIZE, "face names must fit a LOGFONTW");

// The size of the menu metrics before Windows Vista added a field; every version accepts it.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
static_assert(kNonClientMetricsSize == 500, "pre-Vista NONCLIENTMETRICSW");

std::wstring ReadHostDataFolder() {
  RegistryKey key;
  std::wstring folder;
  if (key.Open(HKEY_CURRENT_USER, kHostKey, kHostKeyAccess)) {
    key.ReadString(kHostDataFolderValue, &folder);
  }
  return folder;
}

// folder + tail through PathAppendW in a buffer of MAX_PATH; empty when folder is not fully
// qualified or the result does not fit.
std::wstring AppendToFolder(const std::wstring& folder, const wchar_t* tail) {
  if (!settings::IsAbsolutePath(folder)) return std::wstring();
  if (folder.size() + wcslen(tail) + 1 >= MAX_PATH) return std::wstring();
  wchar_t buffer[MAX_PATH] = L"";
  folder.copy(buffer, folder.size());
  buffer[folder.size()] = L'\0';
  if (!PathAppendW(buffer, tail)) return std::wstring();
  return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

unsigned long CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) ? 0 : GetLastError();
}

}  // namespace

SettingsStore& SettingsStore::Instance() {
  static SettingsStore store;
  return store;
}

SettingsStore::SettingsStore() : SettingsStore(LocateDataFolder()) {}

SettingsStore::SettingsStore(const std::wstring& data_folder)
    : data_folder_(data_folder), file_path_(SettingsFilePath(data_folder)) {
  SetFaceName(MenuFontFaceName().c_str());
  CreateFolders();
}

std::wstring SettingsStore::LocateDataFolder() {
  const std::wstring host_folder = ReadHostDataFolder();
  if (!SettingsFilePath(host_folder).empty()) return host_folder;

  wchar_t buffer[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer))) {
    const DWORD length = ExpandEnvironmentStringsW(L"%APPDATA%", buffer, MAX_PATH);
    if (length == 0 || length > MAX_PATH) buffer[0] = L'\0';
  }
  // An unset variable expands to itself, which is not fully qualified and so refused here.
  return AppendToFolder(std::wstring(buffer, wcsnlen(buffer, MAX_PATH)), kHostSubfolder);
}

std::wstring SettingsStore::SettingsFilePath(const std::wstring& data_folder) {
  return AppendToFolder(data_folder, kSettingsFileTail);
}

std::wstring SettingsStore::MenuFontFaceName() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = kNonClientMetricsSize;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
    return std::wstring();
  }
  return settings::FaceNameFromField(metrics.lfMenuFont.lfFaceName, LF_FACESIZE);
}

void SettingsStore::CreateFolders() const {
  if (file_path_.empty()) return;
  for (const std::wstring* path : {&data_folder_, &file_path_}) {
    if (IsExistingFolder(*path)) continue;
    settings::FolderWalkFailure failure;
    if (!settings::CreateFolderChain(*path, CreateFolder, IsExistingFolder, &failure)) {
      diag::Log(diag::kLogError, L"CreateDirectory[%s] Failed [%08X]", failure.folder.c_str(),
                static_cast<unsigned>(failure.error));
      return;
    }
  }
}

void SettingsStore::Load() {
  SettingsIniFile file(file_path_);
  loaded_file_ = file.Probe() != SettingsIniFile::Access::kUnreadable;
  if (!loaded_file_) {
    diag::Log(diag::kLogError, L"Settings [%s] could not be read", file_path_.c_str());
  }
  ReadFrom(file, MenuFontFaceName());
  loaded_ = *this;
}

bool SettingsStore::Save() {
  if (file_path_.empty()) return false;
  SettingsIniFile file(file_path_);
  WriteTo(file, loaded_file_ ? nullptr : &loaded_);
  return file.Commit();
}
