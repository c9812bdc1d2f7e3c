// Fuzz target: the settings folder's path rules. The data folder comes from the registry or the
// environment, so it may be any text; every folder the walk would create must be a fully
// qualified path on the same volume, never one relative to the current directory.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "screenshot/output/settings_paths.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One unit per byte, so that separators, colons and question marks are frequent.
  const std::wstring path(data, data + size);
  const std::size_t root = settings::PathRootLength(path);
  const std::vector<std::wstring> walk = settings::FolderWalk(path);

  if (root == 0) {
    if (!walk.empty()) std::abort();
  } else {
    // The volume part is at least "C:" or "\\a\b" and ends at a separator or the path's end.
    if (root < 2 || root > path.size()) std::abort();
    if (root < path.size() && !IsSeparator(path[root])) std::abort();
  }

  // Each folder is the path up to one of its separators, after the volume part, outermost first,
  // and lies on the same volume.
  std::size_t previous = root;
  for (const std::wstring& folder : walk) {
    const std::size_t n = folder.size();
    if (n <= previous || n >= path.size() || path.compare(0, n, folder) != 0) std::abort();
    if (!IsSeparator(path[n]) || IsSeparator(folder.back())) std::abort();
    if (settings::PathRootLength(folder) != root) std::abort();
    previous = n;
  }

  // The chain asks for exactly those folders, and for none when the path is relative.
  std::vector<std::wstring> asked;
  settings::FolderWalkFailure failure;
  const bool created = settings::CreateFolderChain(
      path,
      [&](const std::wstring& folder) {
        asked.push_back(folder);
        return 0ul;
      },
      [](const std::wstring&) { return false; }, &failure);
  if (created != (root != 0) || asked != walk) std::abort();
  if (!created && failure.error != settings::kErrorBadPathName) std::abort();
  return 0;
}
