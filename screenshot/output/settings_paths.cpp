// Path rules of the settings folder: fully qualified paths and the folder-creation walk.
#include "screenshot/output/settings_paths.h"

namespace settings {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "X:" followed by a separator at start; 2 when present.
std::size_t DriveRootAt(const std::wstring& path, std::size_t start) {
  if (path.size() < start + 3) return 0;
  if (!IsDriveLetter(path[start]) || path[start + 1] != L':' || !IsSeparator(path[start + 2])) {
    return 0;
  }
  return 2;
}

// End of "server\share" starting at start: both names non-empty; the share ends at the next
// separator or the end of the path. 0 when incomplete.
std::size_t ShareEnd(const std::wstring& path, std::size_t start) {
  std::size_t server_end = start;
  while (server_end < path.size() && !IsSeparator(path[server_end])) ++server_end;
  if (server_end == start || server_end >= path.size()) return 0;
  std::size_t share_end = server_end + 1;
  while (share_end < path.size() && !IsSeparator(path[share_end])) ++share_end;
  if (share_end == server_end + 1) return 0;
  return share_end;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, std::wstring(prefix).size(), prefix) == 0;
}

}  // namespace

std::size_t PathRootLength(const std::wstring& path) {
  if (std::size_t drive = DriveRootAt(path, 0)) return drive;
  if (StartsWith(path, L"\\\\?\\UNC\\")) return ShareEnd(path, 8);
  if (StartsWith(path, L"\\\\?\\")) {
    std::size_t drive = DriveRootAt(path, 4);
    return drive ? 4 + drive : 0;
  }
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return ShareEnd(path, 2);
  return 0;
}

std::vector<std::wstring> FolderWalk(const std::wstring& path) {
  std::vector<std::wstring> folders;
  const std::size_t root = PathRootLength(path);
  if (root == 0) return folders;
  for (std::size_t i = root + 1; i < path.size(); ++i) {
    if (IsSeparator(path[i]) && !IsSeparator(path[i - 1])) folders.push_back(path.substr(0, i));
  }
  return folders;
}

bool CreateFolderChain(const std::wstring& path,
                       const std::function<unsigned long(const std::wstring&)>& create_folder,
                       const std::function<bool(const std::wstring&)>& is_folder,
                       FolderWalkFailure* failure) {
  if (!IsAbsolutePath(path)) {
    if (failure) *failure = {path, kErrorBadPathName};
    return false;
  }
  for (const std::wstring& folder : FolderWalk(path)) {
    const unsigned long error = create_folder(folder);
    if (error == 0 || error == kErrorAlreadyExists) continue;
    // Some volumes refuse to create a folder that is already there with another error (access
    // denied on a share root, for instance); that folder is still usable.
    if (is_folder(folder)) continue;
    if (failure) *failure = {folder, error};
    return false;
  }
  return true;
}

}  // namespace settings
