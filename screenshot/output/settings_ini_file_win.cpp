// The settings file: read as the profile functions read it, written in one safe step.
#include "screenshot/output/settings_ini_file_win.h"

#include <windows.h>

#include <cwchar>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/base/settings_encoding.h"
#include "screenshot/output/settings_ini_text.h"
#include "screenshot/output/settings_schema.h"

namespace {

using settings::IniFileEncoding;
using settings::IniTextForm;

// A settings file is a few hundred bytes; one far larger is not ours to rewrite.
constexpr LONGLONG kMaxFileBytes = 1024 * 1024;
// A virus scanner or a backup program may hold the file for a moment: opening and replacing it
// are tried this many times, this far apart.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMs = 30;

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opened so that others may go on reading, writing and replacing the file meanwhile; a file
// held by someone else is tried again for a moment. GetLastError tells why it failed.
HANDLE OpenForReading(const std::wstring& path) {
  for (int attempt = 1;; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION ||
        attempt == kReplaceAttempts)
      return file;
    Sleep(kReplaceRetryMs);
  }
}

// The whole file; false when it is there but cannot be read (*missing tells it is not there).
bool ReadWholeFile(const std::wstring& path, std::string* bytes, bool* missing) {
  *missing = false;
  ScopedHandle file(OpenForReading(path));
  if (!file) {
    *missing = IsMissing(GetLastError());
    return *missing;
  }
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileBytes) return false;
  bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes->empty() &&
      (!ReadFile(file.get(), &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr) ||
       read != bytes->size()))
    return false;
  return true;
}

std::wstring DecodeAnsi(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, &text[0], units);
  return text;
}

// The ANSI bytes of text, or false when some character has no ANSI form. A code page that
// rejects these flags (UTF-8 as ANSI code page) counts as lossy, so the file becomes UTF-16.
bool EncodeAnsi(const std::wstring& text, std::string* bytes) {
  bytes->clear();
  if (text.empty()) return true;
  BOOL used_default = FALSE;
  const int size =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          nullptr, 0, nullptr, &used_default);
  if (size <= 0 || used_default) return false;
  bytes->assign(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                      &(*bytes)[0], size, nullptr, &used_default);
  return !used_default;
}

// The text of the file the way the profile functions read it.
std::wstring Decode(const std::string& bytes, IniTextForm form) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t mark = form.marked ? settings::ByteOrderMarkSize(form.encoding) : 0;
  switch (form.encoding) {
    case IniFileEncoding::kUtf16Le:
    case IniFileEncoding::kUtf16Be:
      return settings::UnitsFromUtf16Bytes(data + mark, bytes.size() - mark,
                                           form.encoding == IniFileEncoding::kUtf16Be);
    case IniFileEncoding::kUtf8:
      return settings::UnitsFromUtf8(bytes.substr(mark));
    case IniFileEncoding::kAnsi:
      break;
  }
  return DecodeAnsi(bytes);
}

// text in the file's form, its mark or the lack of one included; an ANSI file whose old or new
// text has no exact ANSI form becomes UTF-16LE with a mark.
std::string Encode(const std::wstring& text, IniTextForm form, const std::string& old) {
  const std::string mark = form.marked ? settings::ByteOrderMark(form.encoding) : std::string();
  switch (form.encoding) {
    case IniFileEncoding::kUtf16Le:
    case IniFileEncoding::kUtf16Be:
      return mark + settings::Utf16BytesFromUnits(text, form.encoding == IniFileEncoding::kUtf16Be);
    case IniFileEncoding::kUtf8:
      return mark + settings::Utf8FromUnits(text);
    case IniFileEncoding::kAnsi:
      break;
  }
  std::string ansi, old_again;
  if (EncodeAnsi(text, &ansi) && EncodeAnsi(DecodeAnsi(old), &old_again) && old_again == old)
    return ansi;
  return settings::EncodeUtf16LeWithBom(text);
}

// A file that is not settings text is copied to "Config.ini.bad" (over an older one: the last
// is kept) before a fresh file replaces it, so that whatever it was is still there to look at.
bool KeepAsBad(const std::wstring& path) {
  const std::wstring bad = path + L".bad";
  if (CopyFileW(path.c_str(), bad.c_str(), FALSE)) {
    diag::Log(diag::kLogError, L"Settings [%s] are not settings text: kept as [%s]", path.c_str(),
              bad.c_str());
    return true;
  }
  diag::Log(diag::kLogError, L"CopyFile [%s] Failed [%08X]", bad.c_str(),
            static_cast<unsigned>(GetLastError()));
  return false;
}

IniTextForm FormOf(const std::string& bytes) {
  return settings::DetectIniTextForm(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size());
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  ScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.get());
}

// Puts bytes in place of the file at path through a file beside it, which takes over the old
// file's hidden, system and archive marks.
bool ReplaceWholeFile(const std::wstring& path, const std::string& bytes, DWORD attributes) {
  const std::wstring temporary = path + L".tmp";
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  if (!WriteWholeFile(temporary, bytes) ||
      (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept) &&
       !SetFileAttributesW(temporary.c_str(), attributes & kKept))) {
    diag::Log(diag::kLogError, L"WriteFile [%s] Failed [%08X]", temporary.c_str(),
              static_cast<unsigned>(GetLastError()));
    DeleteFileW(temporary.c_str());
    return false;
  }
  DWORD error = 0;
  for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
    if (attempt) Sleep(kReplaceRetryMs);
    if (MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) break;
  }
  diag::Log(diag::kLogError, L"MoveFileEx [%s] Failed [%08X]", path.c_str(),
            static_cast<unsigned>(error));
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace

const std::wstring& SettingsIniFile::Text() {
  if (read_) return text_;
  read_ = true;
  std::string bytes;
  bool missing = false;
  if (path_.empty() || !ReadWholeFile(path_, &bytes, &missing)) {
    access_ = path_.empty() ? Access::kMissing : Access::kUnreadable;
    return text_;
  }
  if (missing) {
    access_ = Access::kMissing;
    return text_;
  }
  text_ = Decode(bytes, FormOf(bytes));
  access_ = Access::kReadable;
  if (!settings::IsSettingsText(text_)) {
    access_ = Access::kNotSettings;
    text_.clear();
  }
  return text_;
}

int SettingsIniFile::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) {
  const auto value = settings::FindProfileValue(Text(), section, key);
  if (!value || value->empty()) return fallback;
  return settings::ProfileIntFromText(*value);
}

std::wstring SettingsIniFile::ReadString(const wchar_t* section, const wchar_t* key,
                                         const std::wstring& fallback) {
  const auto value = settings::FindProfileValue(Text(), section, key);
  if (!value) return fallback.substr(0, settings::kProfileBufferChars - 1);
  return value->substr(0, settings::kProfileBufferChars - 1);
}

void SettingsIniFile::WriteInt(const wchar_t* section, const wchar_t* key, int value) {
  changes_.push_back({section, key, std::to_wstring(value), true});
}

void SettingsIniFile::WriteString(const wchar_t* section, const wchar_t* key,
                                  const std::wstring& value) {
  changes_.push_back({section, key, value, false});
}

bool SettingsIniFile::Change::ReadsAs(const std::wstring& text) const {
  const auto old = settings::FindProfileValue(text, section, key);
  if (!old) return false;
  if (number) return !old->empty() && std::to_wstring(settings::ProfileIntFromText(*old)) == value;
  return old->substr(0, settings::kProfileBufferChars - 1) == value;
}

SettingsIniFile::Access SettingsIniFile::Probe() {
  Text();
  return access_;
}

bool SettingsIniFile::Commit() {
  if (path_.empty()) return false;
  if (changes_.empty()) return true;
  std::string old;
  bool missing = false;
  if (!ReadWholeFile(path_, &old, &missing)) {
    diag::Log(diag::kLogError, L"ReadFile [%s] Failed [%08X]", path_.c_str(),
              static_cast<unsigned>(GetLastError()));
    return false;
  }
  const DWORD attributes = missing ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    diag::Log(diag::kLogError, L"Settings [%s] are read-only", path_.c_str());
    return false;  // the user has fixed these settings
  }
  IniTextForm form;
  form.encoding = IniFileEncoding::kUtf16Le;
  form.marked = true;  // how a new file starts
  std::wstring text;
  if (!missing) {
    text = Decode(old, FormOf(old));
    if (settings::IsSettingsText(text)) {
      form = FormOf(old);
    } else if (!KeepAsBad(path_)) {
      return false;
    } else {
      text.clear();
      old.clear();
    }
  }
  for (const Change& change : changes_) {
    // A value that reads as what is written stays as the file has it: a number beyond the range
    // of int, a long face name or a hand-written "abc" is not rewritten as what was made of it.
    if (!change.ReadsAs(text))
      text = settings::SetProfileValue(text, change.section, change.key, change.value);
  }
  const std::string bytes = Encode(text, form, old);
  if (!missing && bytes == old) return true;
  return ReplaceWholeFile(path_, bytes, attributes);
}
