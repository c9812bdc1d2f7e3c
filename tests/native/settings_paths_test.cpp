// Data folder path rules: fully qualified paths and the folder-creation walk.
#include "screenshot/output/settings_paths.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace settings;
using Folders = std::vector<std::wstring>;

TEST(SettingsPaths, OnlyFullyQualifiedPathsHaveARoot) {
  EXPECT_EQ(PathRootLength(L"C:\\Users"), 2u);
  EXPECT_EQ(PathRootLength(L"d:/data"), 2u);
  EXPECT_EQ(PathRootLength(L"\\\\server\\share\\dir"), 14u);
  EXPECT_EQ(PathRootLength(L"\\\\?\\C:\\long"), 6u);
  EXPECT_EQ(PathRootLength(L"\\\\?\\UNC\\srv\\sh\\x"), 14u);
  for (const wchar_t* path : {L"", L"C:", L"C:dir", L"\\dir", L"dir\\sub", L"%APPDATA%\\x",
                              L"\\\\server", L"\\\\server\\", L"\\\\?\\UNC\\srv", L"1:\\x"}) {
    EXPECT_FALSE(IsAbsolutePath(path)) << std::wstring(path).size();
  }
}

TEST(SettingsPaths, WalkYieldsEveryFolderBeforeEachSeparatorAfterTheVolume) {
  EXPECT_EQ(FolderWalk(L"C:\\Users\\me\\Plugin\\Config.ini"),
            (Folders{L"C:\\Users", L"C:\\Users\\me", L"C:\\Users\\me\\Plugin"}));
  EXPECT_EQ(FolderWalk(L"C:\\a\\\\b\\"), (Folders{L"C:\\a", L"C:\\a\\\\b"}));
  EXPECT_EQ(FolderWalk(L"C:/a/b"), Folders{L"C:/a"});
  EXPECT_EQ(FolderWalk(L"\\\\srv\\share\\a\\b"), Folders{L"\\\\srv\\share\\a"});
  EXPECT_TRUE(FolderWalk(L"C:\\file.ini").empty());
  EXPECT_TRUE(FolderWalk(L"relative\\path\\x").empty());
}

// A pretend disk: folders that exist, names taken by files, and one folder that cannot be made.
class FolderChainTest : public ::testing::Test {
 protected:
  std::set<std::wstring> folders{L"C:\\Users"}, files;
  std::wstring refused;
  Folders created;
  FolderWalkFailure failure;

  bool Run(const std::wstring& path) {
    auto create = [this](const std::wstring& folder) -> unsigned long {
      if (folder == refused) return 5;  // access denied
      if (folders.count(folder) || files.count(folder)) return kErrorAlreadyExists;
      for (const std::wstring& file : files) {
        if (folder.compare(0, file.size() + 1, file + L"\\") == 0) return 3;  // path not found
      }
      created.push_back(folder);
      folders.insert(folder);
      return 0;
    };
    auto is_folder = [this](const std::wstring& folder) { return folders.count(folder) != 0; };
    return CreateFolderChain(path, create, is_folder, &failure);
  }
};

TEST_F(FolderChainTest, CreatesMissingFoldersInOrderAndPassesOverExistingOnes) {
  refused = L"C:\\Users";  // refused, but there: fine
  EXPECT_TRUE(Run(L"C:\\Users\\me\\Corvane\\x.ini"));
  EXPECT_EQ(created, (Folders{L"C:\\Users\\me", L"C:\\Users\\me\\Corvane"}));
  created.clear();
  EXPECT_TRUE(Run(L"C:\\Users\\me\\Corvane\\x.ini"));
  EXPECT_TRUE(created.empty());
}

TEST_F(FolderChainTest, StopsAtTheFirstRealFailureAndReportsIt) {
  refused = L"C:\\Users\\me";
  EXPECT_FALSE(Run(L"C:\\Users\\me\\Corvane\\x.ini"));
  EXPECT_EQ(failure.folder, L"C:\\Users\\me");
  EXPECT_EQ(failure.error, 5u);
  EXPECT_TRUE(created.empty());
}

TEST_F(FolderChainTest, AFileInTheWayIsPassedOverAndTheStepBelowItFails) {
  files.insert(L"C:\\Users\\blocker");
  EXPECT_FALSE(Run(L"C:\\Users\\blocker\\Plugin\\Screenshot\\Config.ini"));
  EXPECT_EQ(failure.folder, L"C:\\Users\\blocker\\Plugin");
  EXPECT_EQ(failure.error, 3u);
}

TEST_F(FolderChainTest, RelativePathsCreateNothing) {
  EXPECT_FALSE(Run(L"%APPDATA%\\Corvane\\CorvanePinyin"));
  EXPECT_EQ(failure.error, kErrorBadPathName);
  EXPECT_TRUE(created.empty());
}
