// The hotkey file on disk: read and written in the encoding it was saved in, through a file
// beside it, and left alone when it is not the launcher's to change.
#include "launcher/launcher_files_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

const wchar_t kName[] = L"\x914D\x7F6E\x540D";  // 配置名, the section and the key
// 配置名 in GB 936 and in UTF-8.
const std::string kGb = "\xC5\xE4\xD6\xC3\xC3\xFB";
const std::string kUtf8 = "\xE9\x85\x8D\xE7\xBD\xAE\xE5\x90\x8D";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
std::string Utf16Le(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

class LauncherFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / (L"launcher-files-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    ini_ = (folder_ / L"\x70ED\x952E\x914D\x7F6E.ini").wstring();  // 热键配置.ini
  }
  void TearDown() override {
    SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder_);
  }
  std::string Read() { return launcher::ReadIniValue(ini_, kName, kName); }
  bool Write(const std::string& value) {
    return launcher::WriteIniValue(ini_, kName, kName, value);
  }

  fs::path folder_;
  std::wstring ini_;
};

// A user who opened the file in an editor may have saved it as UTF-8 or as "Unicode": the
// hotkey must still be found at start-up, and a new choice written in that same encoding.
TEST_F(LauncherFiles, AFileSavedAsUtf8OrUtf16KeepsItsHotkeyAndItsEncoding) {
  const std::string utf8 = "\xEF\xBB\xBF[" + kUtf8 + "]\r\n" + kUtf8 + "=114\r\n";
  WriteBytes(ini_, utf8);
  EXPECT_EQ(Read(), "114");
  EXPECT_TRUE(Write("115"));
  EXPECT_EQ(ReadBytes(ini_), "\xEF\xBB\xBF[" + kUtf8 + "]\r\n" + kUtf8 + "=115\r\n");

  const std::wstring text = L"; \x622A\x56FE\r\n[" + std::wstring(kName) + L"]\r\n" + kName;
  WriteBytes(ini_, Utf16Le(text + L"=116\r\n"));
  EXPECT_EQ(Read(), "116");
  EXPECT_TRUE(Write("112"));
  EXPECT_EQ(ReadBytes(ini_), Utf16Le(text + L"=112\r\n"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);  // nothing left beside it
}

TEST_F(LauncherFiles, ANewFileIsGbAndAGbFileKeepsEveryOtherByte) {
  EXPECT_TRUE(Write("114"));
  EXPECT_EQ(ReadBytes(ini_), "[" + kGb + "]\r\n" + kGb + "=114\r\n");
  const std::string other = "[\xC6\xE4\xCB\xFC]\r\n\xCB\xB5\xC3\xF7=\xBD\xD8\xCD\xBC\r\n";
  WriteBytes(ini_, other + "[" + kGb + "]\r\n" + kGb + "=114");
  EXPECT_TRUE(Write("113"));
  EXPECT_EQ(ReadBytes(ini_), other + "[" + kGb + "]\r\n" + kGb + "=113");
  EXPECT_EQ(Read(), "113");
}

// Another launcher replacing the file, or a virus scanner, holds it for a moment: the start-up
// read and a menu choice wait for it rather than losing the hotkey or the choice.
TEST_F(LauncherFiles, AFileHeldForAMomentIsStillReadAndWritten) {
  WriteBytes(ini_, "[" + kGb + "]\r\n" + kGb + "=114\r\n");
  auto hold_for_a_moment = [this] {
    HANDLE held = CreateFileW(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return std::thread([held] {
      Sleep(50);
      CloseHandle(held);
    });
  };
  std::thread holder = hold_for_a_moment();
  EXPECT_EQ(Read(), "114");
  holder.join();
  holder = hold_for_a_moment();
  EXPECT_TRUE(Write("115"));
  holder.join();
  EXPECT_EQ(Read(), "115");
}

TEST_F(LauncherFiles, AFileGrownPastAMegabyteStillGivesAndTakesItsHotkey) {
  const std::string padding = "; " + std::string(3 * 1024 * 1024, 'x') + "\r\n";
  const std::string file = padding + "[" + kGb + "]\r\n" + kGb + "=114\r\n";
  WriteBytes(ini_, file);
  EXPECT_EQ(Read(), "114");
  EXPECT_TRUE(Write("115"));
  EXPECT_EQ(Read(), "115");
  const std::string saved = ReadBytes(ini_);
  EXPECT_EQ(saved.substr(0, padding.size()), padding);
  EXPECT_EQ(saved.substr(padding.size()), "[" + kGb + "]\r\n" + kGb + "=115\r\n");
}

TEST_F(LauncherFiles, FilesThatAreNotTheLaunchersToChangeAreLeftAlone) {
  const std::string file = "[" + kGb + "]\r\n" + kGb + "=114\r\n";
  WriteBytes(ini_, file);
  SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Write("115"));
  EXPECT_EQ(ReadBytes(ini_), file);
  SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteBytes(ini_ + L".tmp", "left over from a launcher that was ended");
  EXPECT_TRUE(Write("115"));
  EXPECT_EQ(Read(), "115");
  EXPECT_TRUE(GetFileAttributesW(ini_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(fs::exists(ini_ + L".tmp"));

  HANDLE held = CreateFileW(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);  // held for good: the write gives up, nothing changed
  EXPECT_FALSE(Write("116"));
  CloseHandle(held);
  EXPECT_EQ(Read(), "115");
}

}  // namespace
