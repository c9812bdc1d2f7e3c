// Path rules of the settings folder: which paths count as absolute, and the folder-creation walk.
//
// The data folder comes from the registry or the environment, so it may be anything; only a fully
// qualified path is used, so the settings can never land relative to the current directory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace settings {

// Error code the folder walk treats as success (ERROR_ALREADY_EXISTS).
constexpr unsigned long kErrorAlreadyExists = 183;
// Reported when the walk is asked for a path that is not fully qualified (ERROR_BAD_PATHNAME).
constexpr unsigned long kErrorBadPathName = 161;

// Length of the volume part that a folder walk must not try to create: 2 for "C:\...", 6 for
// "\\?\C:\...", up to the end of the share name for "\\server\share\..." and
// "\\?\UNC\server\share\...". 0 when the path is not fully qualified (relative, "C:foo", "\foo").
// Both backslash and slash separate folders.
std::size_t PathRootLength(const std::wstring& path);
inline bool IsAbsolutePath(const std::wstring& path) { return PathRootLength(path) != 0; }

// Every folder that must exist before path can: the text before each separator after the volume
// part, in order from the outermost. Empty components (doubled separators) add nothing, and the
// text after the last separator is not a folder of the walk. Empty for a relative path.
std::vector<std::wstring> FolderWalk(const std::wstring& path);

struct FolderWalkFailure {
  std::wstring folder;
  unsigned long error = 0;
};

// Creates the folders of FolderWalk(path) one after another. create_folder answers 0 on success
// or an error code; a folder that already exists (kErrorAlreadyExists, or any error while
// is_folder says it is there) is fine. The walk stops at the first other failure, which goes to
// *failure when given. A relative path fails at once with kErrorBadPathName.
bool CreateFolderChain(const std::wstring& path,
                       const std::function<unsigned long(const std::wstring&)>& create_folder,
                       const std::function<bool(const std::wstring&)>& is_folder,
                       FolderWalkFailure* failure);

}  // namespace settings
