// The settings file read and written through the Windows profile functions.
#include "screenshot/output/settings_ini_file_win.h"

#include <windows.h>

#include <cwchar>

#include "screenshot/output/settings_encoding.h"
#include "screenshot/output/settings_schema.h"

namespace {

// A settings file is a few hundred bytes; anything far larger is not worth converting.
constexpr LONGLONG kMaxConvertedBytes = 1024 * 1024;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// True when value survives the round trip through the ANSI code page.
bool HasAnsiForm(const std::wstring& value) {
  if (value.empty()) return true;
  BOOL used_default = FALSE;
  const int size =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, value.data(),
                          static_cast<int>(value.size()), nullptr, 0, nullptr, &used_default);
  // A code page that rejects these flags (UTF-8 as ANSI code page) is treated as lossy, so the
  // file simply becomes UTF-16.
  return size > 0 && !used_default;
}

std::wstring Decode(UINT code_page, const char* data, int size) {
  if (size <= 0) return std::wstring();
  const int units = MultiByteToWideChar(code_page, 0, data, size, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(code_page, 0, data, size, &text[0], units);
  return text;
}

}  // namespace

int SettingsIniFile::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) {
  if (path_.empty()) return fallback;
  return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, path_.c_str()));
}

std::wstring SettingsIniFile::ReadString(const wchar_t* section, const wchar_t* key,
                                         const std::wstring& fallback) {
  if (path_.empty()) return fallback;
  wchar_t buffer[settings::kProfileBufferChars] = L"";
  GetPrivateProfileStringW(section, key, fallback.c_str(), buffer,
                           static_cast<DWORD>(settings::kProfileBufferChars), path_.c_str());
  return std::wstring(buffer, wcsnlen(buffer, settings::kProfileBufferChars));
}

void SettingsIniFile::WriteInt(const wchar_t* section, const wchar_t* key, int value) {
  if (path_.empty()) return;
  PrepareFor(std::wstring());
  WritePrivateProfileStringW(section, key, std::to_wstring(value).c_str(), path_.c_str());
}

void SettingsIniFile::WriteString(const wchar_t* section, const wchar_t* key,
                                  const std::wstring& value) {
  if (path_.empty()) return;
  PrepareFor(value);
  WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str());
}

void SettingsIniFile::PrepareFor(const std::wstring& value) {
  if (state_ == FileState::kUnicode) return;
  if (state_ == FileState::kAnsi && HasAnsiForm(value)) return;

  std::string bytes;
  {
    FileHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      if (GetLastError() != ERROR_FILE_NOT_FOUND) return;  // unreadable: leave it to the writes
      FileHandle created(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
      if (created.valid() && WriteAll(created.get(), settings::EncodeUtf16LeWithBom(L""))) {
        state_ = FileState::kUnicode;
      }
      return;
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxConvertedBytes) return;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      return;
    }
    bytes.resize(read);
  }
  const auto encoding = settings::DetectIniFileEncoding(
      reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (encoding == settings::IniFileEncoding::kUtf16) {
    state_ = FileState::kUnicode;
    return;
  }
  state_ = FileState::kAnsi;
  if (HasAnsiForm(value)) return;
  if (ConvertToUnicode(bytes)) state_ = FileState::kUnicode;
}

bool SettingsIniFile::ConvertToUnicode(const std::string& bytes) {
  const auto encoding = settings::DetectIniFileEncoding(
      reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  // Decode the way the profile functions read the file, so every key keeps the value they saw.
  const std::wstring text =
      encoding == settings::IniFileEncoding::kUtf8
          ? Decode(CP_UTF8, bytes.data() + 3, static_cast<int>(bytes.size()) - 3)
          : Decode(CP_ACP, bytes.data(), static_cast<int>(bytes.size()));
  if (text.empty() && !bytes.empty()) return false;

  // Write beside the file and swap, so an interrupted conversion never leaves half a file.
  const std::wstring temporary = path_ + L".tmp";
  {
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    if (!WriteAll(file.get(), settings::EncodeUtf16LeWithBom(text))) {
      DeleteFileW(temporary.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}
