// The launcher's files: run folder, engine file, hotkey INI file in GB 936.
#include "launcher/launcher_files_win.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "launcher/ini_text.h"
#include "screenshot/base/ScopedWin.h"

namespace launcher {
namespace {

constexpr UINT kGbCodePage = 936;
// A hotkey file is a few dozen bytes; one far larger is not ours to parse or rewrite.
constexpr LONGLONG kMaxIniBytes = 1024 * 1024;

std::optional<std::string> ToGb(const wchar_t* text) {
  const int n = WideCharToMultiByte(kGbCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kGbCodePage, 0, text, -1, &bytes[0], n, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(n - 1));  // without the terminator
  return bytes;
}

// The whole content of an open file, from its start; nothing when it cannot be read.
std::optional<std::string> ReadAll(HANDLE file) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart > kMaxIniBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
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

std::string ReadGbIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
  const std::optional<std::string> gb_section = ToGb(section), gb_key = ToGb(key);
  if (!gb_section || !gb_key) return std::string();
  ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::string();
  const std::optional<std::string> content = ReadAll(file.get());
  if (!content) return std::string();
  return FindIniValue(*content, *gb_section, *gb_key).value_or(std::string());
}

bool WriteGbIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                     const std::string& value) {
  const std::optional<std::string> gb_section = ToGb(section), gb_key = ToGb(key);
  if (!gb_section || !gb_key) return false;
  // One handle for reading and rewriting, so nothing can change the file in between.
  ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::optional<std::string> content = ReadAll(file.get());
  if (!content) return false;
  const std::string updated = SetIniValue(*content, *gb_section, *gb_key, value);
  if (updated == *content) return true;
  return SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == 0 &&
         WriteAll(file.get(), updated.data(), updated.size()) && SetEndOfFile(file.get());
}

}  // namespace launcher
