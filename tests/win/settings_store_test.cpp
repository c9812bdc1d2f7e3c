// The settings store against the real profile functions, file system and registry (under Wine).
#include "screenshot/output/SettingsStore.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <atomic>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "screenshot/diagnostics/debug_log_win.h"

namespace fs = std::filesystem;

namespace {

const wchar_t kChinese[] = L"\x5FAE\x8F6F\x96C5\x9ED1";
const wchar_t* const kTools[] = {L"ColorTbRectangle", L"ColorTbEllipse", L"ColorTbArrow",
                                 L"ColorTbPolyline"};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
bool IsUnicode(const fs::path& path) { return ReadBytes(path).compare(0, 2, "\xFF\xFE") == 0; }

// The file's lines, blank ones left out, each ended by '\n'; UTF-16LE after a byte-order mark,
// otherwise one character per byte.
std::wstring Lines(const fs::path& path) {
  const std::string bytes = ReadBytes(path);
  std::wstring text, lines;
  for (size_t i = IsUnicode(path) ? 2 : 0; i < bytes.size(); i += IsUnicode(path) ? 2 : 1) {
    text +=
        static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                             (IsUnicode(path) ? static_cast<unsigned char>(bytes[i + 1]) << 8 : 0));
  }
  for (wchar_t c : text) {
    if (c == L'\r' || (c == L'\n' && (lines.empty() || lines.back() == L'\n'))) continue;
    lines += c;
  }
  return lines;
}

std::wstring MenuFace() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMenuFont.lfFaceName;
}

std::wstring ShellDataFolder() {
  wchar_t folder[MAX_PATH] = L"";
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
  return std::wstring(folder) + L"\\Corvane\\CorvanePinyin";
}

// Everything the debug log emits while a test runs.
std::wstring g_debug_output;
void CaptureLog(const wchar_t* text) { g_debug_output += text; }

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() / (L"settings-test-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    g_debug_output.clear();
    diag::SetLogSinkForTesting(CaptureLog);
  }
  void TearDown() override {
    diag::SetLogSinkForTesting(nullptr);
    fs::remove_all(root_);
  }
  std::wstring Folder(const std::wstring& name = L"data") const { return (root_ / name).wstring(); }

  void ExpectDefaults(const SettingsStore& store) {
    for (const wchar_t* tool : kTools) {
      EXPECT_EQ(store.GetPenWidthIndex(tool), 0);
      EXPECT_EQ(store.GetColorIndex(tool), 10);
    }
    EXPECT_EQ(store.GetTextHeight(), 18);
    EXPECT_EQ(store.GetFaceName(), MenuFace());
    EXPECT_FALSE(store.GetBold() || store.GetItalic());
    EXPECT_EQ(store.GetTextColorIndex(), 10);
    EXPECT_EQ(store.GetSaveType(), L".png");
  }

  fs::path root_;
};

TEST_F(SettingsStoreTest, NoFileGivesDefaultsInFreshlyCreatedFolders) {
  const std::wstring folder = Folder(L"missing\\deeper");
  SettingsStore store(folder);
  EXPECT_EQ(store.file_path(), folder + L"\\Plugin\\Screenshot\\Config.ini");
  EXPECT_TRUE(fs::is_directory(folder + L"\\Plugin\\Screenshot"));
  EXPECT_FALSE(fs::exists(store.file_path()));
  store.Load();
  ExpectDefaults(store);
  EXPECT_EQ(g_debug_output, L"");
  store.Save();  // a new file is Unicode from the start, whatever it holds
  EXPECT_TRUE(IsUnicode(store.file_path()));
}

TEST_F(SettingsStoreTest, SaveWritesExactlyTheListedKeysAsUnicodeAndLoadReadsThemBack) {
  SettingsStore first(Folder());
  first.Load();
  for (int i = 0; i < 4; ++i) first.SetColorIndex(kTools[i], 12 + i);
  first.SetPenWidthIndex(L"ColorTbArrow", 2);
  first.SetDashStyle(L"ColorTbArrow", 1);  // not written
  first.SetTextHeight(37);
  first.SetFaceName(kChinese);
  first.SetBold(true);
  first.SetItalic(true);
  first.SetTextColorIndex(3);
  first.SetSaveType(L".bmp");
  first.Save();
  EXPECT_TRUE(IsUnicode(first.file_path()));
  EXPECT_EQ(
      Lines(first.file_path()),
      L"[ColorTbArrow]\nDotStyle=2\nCrStyle=14\n[ColorTbEllipse]\nDotStyle=0\nCrStyle=13\n"
      L"[ColorTbPolyline]\nDotStyle=0\nCrStyle=15\n[ColorTbRectangle]\nDotStyle=0\nCrStyle=12\n"
      L"[TextTb]\nfHeight=37\nfName=" +
          std::wstring(kChinese) + L"\nfBold=1\nfItalic=1\nfCr=3\n[Common]\nSaveType=.bmp\n");

  SettingsStore second(Folder());
  second.Load();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(second.GetColorIndex(kTools[i]), 12 + i);
  EXPECT_EQ(second.GetPenWidthIndex(L"ColorTbArrow"), 2);
  EXPECT_EQ(second.GetTextHeight(), 37);
  EXPECT_EQ(second.GetFaceName(), kChinese);
  EXPECT_TRUE(second.GetBold() && second.GetItalic());
  EXPECT_EQ(second.GetTextColorIndex(), 3);
  EXPECT_EQ(second.GetSaveType(), L".bmp");
}

TEST_F(SettingsStoreTest, AnAnsiFileKeepsHandWrittenKeysAndTurnsUnicodeOnlyForAChineseFace) {
  SettingsStore store(Folder());
  WriteBytes(store.file_path(), "[ColorTbArrow]\r\nLineStyle=2\r\nCrStyle=5\r\n[Extra]\r\nk=v\r\n");
  store.Load();
  store.Save();
  EXPECT_FALSE(IsUnicode(store.file_path()));  // nothing needed Unicode
  store.SetFaceName(kChinese);
  store.Save();
  EXPECT_TRUE(IsUnicode(store.file_path()));
  EXPECT_FALSE(fs::exists(store.file_path() + L".tmp"));
  const std::wstring head =
      L"[ColorTbArrow]\nLineStyle=2\nCrStyle=5\nDotStyle=0\n[Extra]\nk=v\n[ColorTbEllipse]\n";
  EXPECT_EQ(Lines(store.file_path()).substr(0, head.size()), head);
  SettingsStore reread(Folder());
  reread.Load();
  EXPECT_EQ(reread.GetFaceName(), kChinese);
  EXPECT_EQ(reread.GetColorIndex(L"ColorTbArrow"), 5);
}

TEST_F(SettingsStoreTest, FilesThatAreNotIniFilesGiveDefaultsAndCanBeSavedOver) {
  std::string binary;
  for (int i = 0; i < 600; ++i) binary += static_cast<char>((i * 37 + 11) % 256);
  for (const std::string& content :
       {binary, std::string("<html>=[x]=\r\n\x01[TextTb\r\nfHeight</html>"),
        std::string("\xFF\xFE")}) {
    SettingsStore store(Folder());
    WriteBytes(store.file_path(), content);
    store.Load();
    ExpectDefaults(store);
    store.SetColorIndex(L"ColorTbPolyline", 7);
    store.SetFaceName(kChinese);
    store.Save();
    SettingsStore reread(Folder());
    reread.Load();
    EXPECT_EQ(reread.GetColorIndex(L"ColorTbPolyline"), 7);
    EXPECT_EQ(reread.GetFaceName(), kChinese);
  }
}

TEST_F(SettingsStoreTest, DamagedValuesReachCallersOnlyThroughTheCheckedGetters) {
  SettingsStore store(Folder());
  WriteBytes(store.file_path(),
             "[ColorTbRectangle]\r\nDotStyle=99999999999\r\nCrStyle=-5\r\n[ColorTbEllipse]\r\n"
             "DotStyle=abc\r\nCrStyle=16\r\n[ColorTbArrow]\r\nCrStyle=\r\n[TextTb]\r\n"
             "fHeight=-2147483649\r\nfName=" +
                 std::string(300, 'L') + "\r\nfItalic=\r\nfCr=x\r\n");
  store.Load();
  EXPECT_EQ(store.GetColorIndex(L"ColorTbRectangle"), -5);       // kept as read...
  EXPECT_EQ(store.GetPenWidthIndex(L"ColorTbEllipse"), 0);       // non-numeric reads as 0
  EXPECT_EQ(store.GetColorIndex(L"ColorTbArrow"), 10);           // empty: the default
  EXPECT_EQ(store.GetValidColorIndex(L"ColorTbRectangle"), 10);  // ...and checked
  EXPECT_EQ(store.GetValidColorIndex(L"ColorTbEllipse"), 10);
  EXPECT_EQ(store.GetValidPenWidthIndex(L"ColorTbRectangle"), 0);
  EXPECT_EQ(store.GetValidTextHeight(), 18);
  LOGFONTW font = {};
  store.GetFaceName(font.lfFaceName, LF_FACESIZE);
  EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(31, L'L'));
  store.Save();
  SettingsStore reread(Folder());
  reread.Load();
  EXPECT_EQ(reread.GetColorIndex(L"ColorTbRectangle"), -5);
  WriteBytes(store.file_path(), "[TextTb]\r\nfName=\r\n");
  reread.Load();
  EXPECT_EQ(reread.GetFaceName(), MenuFace());
}

TEST_F(SettingsStoreTest, FilesSavedWithoutAMarkAreReadAndKeepTheirForm) {
  auto utf16 = [](const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
  };
  const std::wstring user = L"[ColorTbEllipse]\r\nDotStyle=2\r\nCrStyle=5\r\n[TextTb]\r\nfName=" +
                            std::wstring(kChinese) + L"\r\nfHeight=24\r\n[Extra]\r\nKeepMe=yes\r\n";
  SettingsStore store(Folder());
  WriteBytes(store.file_path(), utf16(user));  // UTF-16LE, no byte-order mark
  store.Load();
  EXPECT_EQ(store.GetPenWidthIndex(L"ColorTbEllipse"), 2);
  EXPECT_EQ(store.GetColorIndex(L"ColorTbEllipse"), 5);
  EXPECT_EQ(store.GetFaceName(), kChinese);
  EXPECT_EQ(store.GetTextHeight(), 24);
  store.SetTextHeight(30);
  ASSERT_TRUE(store.Save());
  std::string saved = ReadBytes(store.file_path());
  EXPECT_NE(saved.compare(0, 2, "\xFF\xFE"), 0);
  for (const std::wstring& line :
       {std::wstring(L"[Extra]\r\nKeepMe=yes"), std::wstring(L"fHeight=30\r\n"),
        std::wstring(L"fName=") + kChinese, std::wstring(L"[ColorTbEllipse]\r\nDotStyle=2")})
    EXPECT_NE(saved.find(utf16(line)), std::string::npos);

  // UTF-8 without a mark, as current editors save it: read as UTF-8 and written back so.
  const std::string utf8_face = "\xE5\xAE\x8B\xE4\xBD\x93";  // 宋体
  WriteBytes(store.file_path(), "[TextTb]\r\nfName=" + utf8_face + "\r\n[Extra]\r\nk=v\r\n");
  store.Load();
  EXPECT_EQ(store.GetFaceName(), L"\x5B8B\x4F53");
  store.SetBold(true);
  ASSERT_TRUE(store.Save());
  saved = ReadBytes(store.file_path());
  EXPECT_EQ(saved.compare(0, 17 + utf8_face.size(), "[TextTb]\r\nfName=" + utf8_face + "\r"), 0);
  EXPECT_NE(saved.find("fBold=1"), std::string::npos);
  EXPECT_NE(saved.find("[Extra]\r\nk=v"), std::string::npos);
}

TEST_F(SettingsStoreTest, ValuesAreWrittenBackExactlyAsReadUnlessTheRunChangesThem) {
  SettingsStore store(Folder());
  const std::string long_face(500, 'F');
  const std::string user =
      "[ColorTbRectangle]\r\nDotStyle=99999999999\r\nCrStyle=2147483648\r\n"
      "[TextTb]\r\nfHeight=-2147483649\r\nfName=" +
      long_face + "\r\nfCr=abc\r\n";
  WriteBytes(store.file_path(), user);
  store.Load();
  EXPECT_EQ(store.GetPenWidthIndex(L"ColorTbRectangle"), 2147483647);  // never wrapped
  EXPECT_EQ(store.GetTextHeight(), -2147483647 - 1);
  EXPECT_EQ(store.GetValidTextHeight(), 18);
  store.SetColorIndex(L"ColorTbEllipse", 3);
  ASSERT_TRUE(store.Save());
  const std::string saved = ReadBytes(store.file_path());
  EXPECT_EQ(saved.substr(0, user.size()), user);  // every value as the user had it
  EXPECT_NE(saved.find("[ColorTbEllipse]\r\nDotStyle=0\r\nCrStyle=3\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Common]\r\nSaveType=.png"), std::string::npos);  // missing keys added
  // A value the run does change is written.
  SettingsStore reread(Folder());
  reread.Load();
  reread.SetPenWidthIndex(L"ColorTbRectangle", 1);
  ASSERT_TRUE(reread.Save());
  EXPECT_NE(ReadBytes(store.file_path()).find("DotStyle=1\r\nCrStyle=2147483648"),
            std::string::npos);
}

TEST_F(SettingsStoreTest, AFileOfGarbageIsKeptAsBadAndAFreshFileWritten) {
  SettingsStore store(Folder());
  const std::wstring bad = store.file_path() + L".bad";
  for (unsigned seed : {7u, 8u}) {
    std::string garbage;
    unsigned x = seed;
    for (int i = 0; i < 4096; ++i) {
      x = x * 1103515245u + 12345u;
      garbage += static_cast<char>(x >> 24);
    }
    WriteBytes(store.file_path(), garbage);
    store.Load();
    ExpectDefaults(store);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadBytes(bad), garbage) << "the last one is kept";
    EXPECT_TRUE(IsUnicode(store.file_path()));
    EXPECT_EQ(Lines(store.file_path()),
              L"[ColorTbArrow]\nDotStyle=0\nCrStyle=10\n[ColorTbEllipse]\nDotStyle=0\nCrStyle=10\n"
              L"[ColorTbPolyline]\nDotStyle=0\nCrStyle=10\n[ColorTbRectangle]\nDotStyle=0\n"
              L"CrStyle=10\n[TextTb]\nfHeight=18\nfName=" +
                  MenuFace() + L"\nfBold=0\nfItalic=0\nfCr=10\n[Common]\nSaveType=.png\n");
  }
}

TEST_F(SettingsStoreTest, AnUnusableDataFolderIsLoggedOrRefusedAndNeverWrittenOutside) {
  const std::wstring blocker = Folder(L"blocker");
  WriteBytes(blocker, "not a folder");
  SettingsStore blocked(blocker);
  EXPECT_NE(g_debug_output.find(L"CreateDirectory["), std::wstring::npos) << g_debug_output;
  EXPECT_NE(g_debug_output.find(L"Plugin] Failed [0000"), std::wstring::npos) << g_debug_output;
  blocked.Load();
  ExpectDefaults(blocked);
  blocked.Save();
  EXPECT_EQ(ReadBytes(blocker), "not a folder");

  const fs::path current = fs::current_path();
  fs::current_path(root_);
  for (const std::wstring& folder : {std::wstring(L"relative\\dir"), std::wstring(L"%APPDATA%\\x"),
                                     std::wstring(), Folder() + L"\\" + std::wstring(240, L'x')}) {
    SettingsStore store(folder);
    EXPECT_EQ(store.file_path(), L"");
    store.Load();
    ExpectDefaults(store);
    store.Save();
  }
  fs::current_path(current);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_), {}), 1);  // only the blocker
}

// Another program holds the file without sharing it (a backup tool, a virus scanner).
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { Release(); }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST_F(SettingsStoreTest, AFileThatCouldNotBeReadAtStartIsNotOverwrittenWithDefaults) {
  SettingsStore store(Folder());
  const std::string users =
      "[ColorTbArrow]\r\nDotStyle=2\r\nCrStyle=5\r\n[TextTb]\r\nfHeight=40\r\nfBold=1\r\n";
  WriteBytes(store.file_path(), users);
  HeldFile held(store.file_path());
  ASSERT_TRUE(held.held());
  store.Load();  // sees defaults: the file is not to be had
  EXPECT_EQ(store.GetColorIndex(L"ColorTbArrow"), 10);
  EXPECT_NE(g_debug_output.find(L"could not be read"), std::wstring::npos) << g_debug_output;
  held.Release();
  EXPECT_TRUE(store.Save());  // nothing changed in this run: the file is the user's as it was
  EXPECT_EQ(ReadBytes(store.file_path()), users);

  store.SetColorIndex(L"ColorTbEllipse", 7);  // what the run did change is kept
  EXPECT_TRUE(store.Save());
  SettingsStore reread(Folder());
  reread.Load();
  EXPECT_EQ(reread.GetColorIndex(L"ColorTbEllipse"), 7);
  EXPECT_EQ(reread.GetColorIndex(L"ColorTbArrow"), 5);
  EXPECT_EQ(reread.GetPenWidthIndex(L"ColorTbArrow"), 2);
  EXPECT_EQ(reread.GetTextHeight(), 40);
  EXPECT_TRUE(reread.GetBold());
}

// A virus scanner or a backup program holds the file for a moment as the engine starts or ends:
// the engine waits for it rather than starting from the defaults or dropping the run's changes.
TEST_F(SettingsStoreTest, AFileHeldForAMomentIsWaitedFor) {
  SettingsStore store(Folder());
  WriteBytes(store.file_path(), "[TextTb]\r\nfHeight=40\r\n");
  auto hold_for_a_moment = [&store] {
    HANDLE held =
        CreateFileW(store.file_path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return std::thread([held] {
      Sleep(50);
      CloseHandle(held);
    });
  };
  std::thread holder = hold_for_a_moment();
  store.Load();
  holder.join();
  EXPECT_EQ(store.GetTextHeight(), 40);
  store.SetTextHeight(50);
  holder = hold_for_a_moment();
  EXPECT_TRUE(store.Save());
  holder.join();
  SettingsStore reread(Folder());
  reread.Load();
  EXPECT_EQ(reread.GetTextHeight(), 50);
}

TEST_F(SettingsStoreTest, SaveFailsWithoutTouchingAFileItCannotRead) {
  SettingsStore store(Folder());
  WriteBytes(store.file_path(), "[TextTb]\r\nfHeight=40\r\n");
  store.Load();
  store.SetTextHeight(50);
  HeldFile held(store.file_path());
  ASSERT_TRUE(held.held());
  EXPECT_FALSE(store.Save());
  held.Release();
  EXPECT_EQ(ReadBytes(store.file_path()), "[TextTb]\r\nfHeight=40\r\n");
  EXPECT_FALSE(fs::exists(store.file_path() + L".tmp"));
  EXPECT_TRUE(store.Save());
  EXPECT_NE(ReadBytes(store.file_path()).find("fHeight=50"), std::string::npos);
}

// Anyone reading the file while the engine saves (or a run ended in the middle of a save) finds
// the old settings or the new ones, whole: never an empty or half-written file.
TEST_F(SettingsStoreTest, ReadersNeverSeeAPartlyWrittenFile) {
  SettingsStore store(Folder());
  store.Load();
  store.SetFaceName(kChinese);
  store.SetTextColorIndex(3);
  ASSERT_TRUE(store.Save());
  const std::string three = ReadBytes(store.file_path());
  store.SetTextColorIndex(4);
  ASSERT_TRUE(store.Save());
  const std::string four = ReadBytes(store.file_path());
  ASSERT_NE(three, four);

  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, torn{0};
  std::thread reader([&] {
    std::vector<char> buffer(64 * 1024);
    while (!done) {
      HANDLE file = CreateFileW(store.file_path().c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        ++torn;  // the file was gone for a moment
        continue;
      }
      DWORD got = 0;
      ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
      CloseHandle(file);
      const std::string seen(buffer.data(), got);
      ++reads;
      if (seen != three && seen != four) ++torn;
      Sleep(1);  // a reader that never let go would keep the file from being replaced at all
    }
  });
  for (int i = 0; i < 60; ++i) {
    store.SetTextColorIndex(i % 2 ? 3 : 4);
    EXPECT_TRUE(store.Save());
  }
  done = true;
  reader.join();
  EXPECT_GT(reads, 0);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_FALSE(fs::exists(store.file_path() + L".tmp"));
}

TEST_F(SettingsStoreTest, UnicodeFilesKeepTheirByteOrderAndHiddenFilesStayHidden) {
  SettingsStore store(Folder());
  auto big_endian = [](const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) bytes += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return bytes;
  };
  const std::string be = "\xFE\xFF" + big_endian(L"[TextTb]\r\nfCr=5");
  WriteBytes(store.file_path(), be);
  SetFileAttributesW(store.file_path().c_str(), FILE_ATTRIBUTE_HIDDEN);
  store.Load();
  EXPECT_EQ(store.GetTextColorIndex(), 5);
  store.SetFaceName(kChinese);
  EXPECT_TRUE(store.Save());
  const std::string saved = ReadBytes(store.file_path());
  EXPECT_EQ(saved.substr(0, be.size()), be);
  EXPECT_NE(saved.find(big_endian(L"\r\nfName=" + std::wstring(kChinese) + L"\r\n")),
            std::string::npos);
  EXPECT_TRUE(GetFileAttributesW(store.file_path().c_str()) & FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(store.file_path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The host's registry value, saved before each test and put back after it.
class HostRegistryTest : public SettingsStoreTest {
 protected:
  void SetUp() override {
    SettingsStoreTest::SetUp();
    HKEY parent = nullptr;
    parent_existed_ =
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane", 0, KEY_READ, &parent) == 0;
    if (parent) RegCloseKey(parent);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane\\CorvanePinyin", 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key_, &disposition_),
              0);
    DWORD size = 0;
    had_value_ = RegQueryValueExW(key_, L"AppData", nullptr, &saved_type_, nullptr, &size) == 0;
    saved_.resize(size + 2);
    if (had_value_) RegQueryValueExW(key_, L"AppData", nullptr, &saved_type_, saved_.data(), &size);
    saved_.resize(size);
  }
  void TearDown() override {
    if (had_value_) {
      RegSetValueExW(key_, L"AppData", 0, saved_type_, saved_.data(),
                     static_cast<DWORD>(saved_.size()));
    } else {
      RegDeleteValueW(key_, L"AppData");
    }
    RegCloseKey(key_);
    if (disposition_ == REG_CREATED_NEW_KEY)
      RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane\\CorvanePinyin");
    if (!parent_existed_) RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane");
    SettingsStoreTest::TearDown();
  }
  void Set(DWORD type, const void* data, size_t bytes) {
    ASSERT_EQ(RegSetValueExW(key_, L"AppData", 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(bytes)),
              0);
  }
  void SetText(DWORD type, const std::wstring& text) {
    Set(type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }

  HKEY key_ = nullptr;
  DWORD disposition_ = 0, saved_type_ = 0;
  bool parent_existed_ = false, had_value_ = false;
  std::vector<BYTE> saved_;
};

TEST_F(HostRegistryTest, TheRegistryFolderIsCreatedAndHoldsTheFile) {
  const std::wstring folder = Folder(L"host\\data");
  SetText(REG_SZ, folder);
  SettingsStore store;
  EXPECT_EQ(store.file_path(), folder + L"\\Plugin\\Screenshot\\Config.ini");
  store.Save();
  EXPECT_TRUE(fs::exists(store.file_path()));
  SetText(REG_EXPAND_SZ, Folder(L"expand"));  // counts too, taken as stored
  EXPECT_EQ(SettingsStore::LocateDataFolder(), Folder(L"expand"));
}

TEST_F(HostRegistryTest, PaddedAndUnterminatedValuesAreReadSafely) {
  std::vector<wchar_t> padded(1000, L'\0');  // 2000 bytes: read through the sized buffer
  Folder(L"padded").copy(padded.data(), padded.size());
  Set(REG_SZ, padded.data(), padded.size() * sizeof(wchar_t));
  EXPECT_EQ(SettingsStore::LocateDataFolder(), Folder(L"padded"));
  std::wstring odd = Folder(L"odd");  // no terminator, and half a unit at the end
  Set(REG_SZ, odd.c_str(), odd.size() * sizeof(wchar_t) + 1);
  EXPECT_EQ(SettingsStore::LocateDataFolder(), odd);
}

TEST_F(HostRegistryTest, UnusableValuesFallBackToTheShellFolder) {
  const DWORD number = 0x12345678;
  Set(REG_DWORD, &number, sizeof number);
  EXPECT_EQ(SettingsStore::LocateDataFolder(), ShellDataFolder());
  Set(REG_BINARY, L"C:\\bin", 12);
  EXPECT_EQ(SettingsStore::LocateDataFolder(), ShellDataFolder());
  for (const std::wstring& text : {std::wstring(), std::wstring(L"relative\\data"),
                                   std::wstring(L"%APPDATA%\\Corvane\\CorvanePinyin"),
                                   Folder() + L"\\" + std::wstring(700, L'y')}) {  // > 1024 bytes
    SetText(REG_SZ, text);
    EXPECT_EQ(SettingsStore::LocateDataFolder(), ShellDataFolder()) << text.size();
  }
  std::wstring exact = Folder() + L"\\";  // exactly 1024 bytes, no terminator
  exact.resize(512, L'e');
  Set(REG_SZ, exact.c_str(), 1024);
  EXPECT_EQ(SettingsStore::LocateDataFolder(), ShellDataFolder());
  RegDeleteValueW(key_, L"AppData");
  EXPECT_EQ(SettingsStore::LocateDataFolder(), ShellDataFolder());
}

}  // namespace
