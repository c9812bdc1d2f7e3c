// The launcher's files: run folder, engine file, hotkey INI file in GB 936 or its own encoding.
#include "launcher/launcher_files_win.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "launcher/ini_document.h"
#include "launcher/ini_text.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/settings_encoding.h"

namespace launcher {
namespace {

constexpr UINT kGbCodePage = 936;
// A hotkey file is a few dozen bytes, but a user's editor or another program may have grown it
// (a long comment, a pasted log): the key is still read and written in files of up to 64 MiB.
// Beyond that the file is not ours to parse or rewrite in a tray program's memory.
constexpr LONGLONG kMaxIniBytes = 64 * 1024 * 1024;
// Another launcher replacing the file, or a virus scanner, may hold it for a moment.
constexpr int kAttempts = 10;
constexpr DWORD kRetryMs = 30;

std::optional<std::string> ToGb(const wchar_t* text) {
  const int n = WideCharToMultiByte(kGbCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kGbCodePage, 0, text, -1, &bytes[0], n, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(n - 1));  // without the terminator
  return bytes;
}

// A section or key name as it is spelled in the document's text.
std::optional<std::string> NameIn(const IniDocument& document, const wchar_t* name) {
  if (document.charset() == IniCharset::kGb) return ToGb(name);
  return settings::Utf8FromUnits(name);
}

// The whole content of the file at path. Nothing when it cannot be read; *missing then tells
// whether there is no such file. A file held by someone else is tried again for a moment.
std::optional<std::string> ReadWholeFile(const std::wstring& path, bool* missing) {
  *missing = false;
  ScopedHandle file;
  for (int attempt = 0; attempt < kAttempts && !file; ++attempt) {
    if (attempt) Sleep(kRetryMs);
    // Others may go on reading, writing and replacing the file meanwhile.
    file.Reset(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = file ? 0 : GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      *missing = true;
      return std::nullopt;
    }
    if (error != 0 && error != ERROR_SHARING_VIOLATION) return std::nullopt;
  }
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxIniBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return std::nullopt;
  return bytes;
}

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > (1u << 20) ? (1u << 20) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) return false;
    p += written;
    size -= written;
  }
  return true;
}

// Puts bytes in place of the file at path through a file beside it, which takes over the old
// file's hidden, system and archive marks.
bool ReplaceWholeFile(const std::wstring& path, const std::string& bytes, DWORD attributes) {
  const std::wstring temporary = path + L".tmp";
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  bool written;
  {
    ScopedHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = WriteAll(file.get(), bytes.data(), bytes.size()) && FlushFileBuffers(file.get());
  }
  if (written && attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept))
    written = SetFileAttributesW(temporary.c_str(), attributes & kKept) != 0;
  for (int attempt = 0; written && attempt < kAttempts; ++attempt) {
    if (attempt) Sleep(kRetryMs);
    if (MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) break;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace

std::wstring RunDirectory() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      std::wstring full(path.data(), n);
      const std::size_t slash = full.find_last_of(L"\\/");
      return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash);
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteNewFile(const std::wstring& path, const unsigned char* data, std::size_t size) {
  bool written;
  {
    ScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = WriteAll(file.get(), data, size);
  }
  if (!written) DeleteFileW(path.c_str());
  return written;
}

std::string ReadIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
  bool missing = false;
  const std::optional<std::string> bytes = ReadWholeFile(path, &missing);
  if (!bytes) return std::string();
  const IniDocument document = DecodeIniDocument(*bytes);
  const std::optional<std::string> name_section = NameIn(document, section);
  const std::optional<std::string> name_key = NameIn(document, key);
  if (!name_section || !name_key) return std::string();
  return FindIniValue(document.text, *name_section, *name_key, document.charset())
      .value_or(std::string());
}

bool WriteIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const std::string& value) {
  bool missing = false;
  const std::optional<std::string> bytes = ReadWholeFile(path, &missing);
  if (!bytes && !missing) return false;
  const DWORD attributes = missing ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  IniDocument document = DecodeIniDocument(bytes.value_or(std::string()));
  const std::optional<std::string> name_section = NameIn(document, section);
  const std::optional<std::string> name_key = NameIn(document, key);
  if (!name_section || !name_key) return false;
  document.text = SetIniValue(document.text, *name_section, *name_key, value, document.charset());
  const std::string updated = EncodeIniDocument(document);
  if (!missing && updated == *bytes) return true;
  return ReplaceWholeFile(path, updated, attributes);
}

}  // namespace launcher
