// The engine's process: single instance, the install switch, and the message loop.
#include <gtest/gtest.h>

#include <string>

#include "screenshot/app/engine_process_win.h"
#include "screenshot/base/message_filter.h"
#include "win/support/test_paths.h"

namespace {

// Once the engine's capture is up, leaves it the way the Esc hot key does.
void LeaveCaptureOf(DWORD pid, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout_ms) {
    HWND magnifier = nullptr;
    while ((magnifier = FindWindowExW(nullptr, magnifier,
                                      L"cv_screen_snapshot_64A7509A-4E98-4b5f-9BE9-7312A51A3C1A",
                                      nullptr))) {
      DWORD owner_pid = 0;
      GetWindowThreadProcessId(magnifier, &owner_pid);
      if (owner_pid == pid) {
        PostMessageW(GetWindow(magnifier, GW_OWNER), WM_HOTKEY, 1000, MAKELPARAM(0, VK_ESCAPE));
        return;
      }
    }
    Sleep(50);
  }
}

// Starts bin\Snapshot.exe with the given arguments, leaves its capture if one comes up, and
// returns its exit code (or ~0u on timeout).
DWORD RunEngine(const std::wstring& args, DWORD timeout_ms, DWORD* elapsed_ms = nullptr,
                bool capture_expected = false) {
  std::wstring cmd = L"\"" + testpaths::BinFile(L"Snapshot.exe") + L"\" " + args;
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return ~0u - 1;
  const DWORD start = GetTickCount();
  if (capture_expected) LeaveCaptureOf(pi.dwProcessId, timeout_ms);
  DWORD code = ~0u;
  if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  else
    TerminateProcess(pi.hProcess, 1);
  if (elapsed_ms) *elapsed_ms = GetTickCount() - start;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(EngineProcess, SecondEngineExitsWithMinusOneWhileTheMarkerIsHeld) {
  HANDLE marker = engine::CreateSnapshotSectionEvent();
  ASSERT_TRUE(marker);
  // While held, another engine (or a second call here) is refused.
  EXPECT_EQ(engine::CreateSnapshotSectionEvent(), nullptr);
  EXPECT_EQ(RunEngine(L"", 20000), static_cast<DWORD>(-1));
  CloseHandle(marker);
  // Released: an engine runs its capture and ends normally when it is left.
  EXPECT_EQ(RunEngine(L"", 20000, nullptr, true), 0u);
}

TEST(EngineProcess, MarkerIsAnAutoResetSignalledEventAnyoneMayOpen) {
  HANDLE marker = engine::CreateSnapshotSectionEvent();
  ASSERT_TRUE(marker);
  HANDLE other =
      OpenEventA(EVENT_ALL_ACCESS, FALSE,
                 ".?AU_ScreenSnapshotSectionName@?1??CreateSnapshotSectionEvent@@YAPAXXZ@");
  ASSERT_TRUE(other);
  EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_OBJECT_0);  // initially signalled
  EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_TIMEOUT);   // auto-reset
  CloseHandle(other);
  CloseHandle(marker);
}

TEST(EngineProcess, InstallWithoutHostExitsAtOnceAndWinsOverQXCreate) {
  DWORD elapsed = 0;
  EXPECT_EQ(RunEngine(L"--install --QXCreate", 20000, &elapsed), 0u);
  EXPECT_LT(elapsed, 1900u);  // no host: no 2000 ms wait
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring dir = std::wstring(tmp) + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring ReadUtf16(const std::wstring& path) {
  HANDLE f =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return L"";
  std::wstring text(GetFileSize(f, nullptr) / 2, L'\0');
  DWORD n = 0;
  ReadFile(f, &text[0], static_cast<DWORD>(text.size() * 2), &n, nullptr);
  CloseHandle(f);
  return text;
}

// Sets (or, with null, deletes) a string value, remembering to put the old state back.
class RegistryValueScope {
 public:
  RegistryValueScope(HKEY root, const wchar_t* key, REGSAM view, const wchar_t* name,
                     const wchar_t* value)
      : root_(root), key_(key), view_(view), name_(name) {
    RegCreateKeyExW(root_, key_, 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &h_, nullptr);
    had_ = RegQueryValueExW(h_, name_, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    if (had_) {
      DWORD size = sizeof(old_);
      RegQueryValueExW(h_, name_, nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size);
      old_size_ = size;
    }
    RegSetValueExW(h_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   (lstrlenW(value) + 1) * 2);
  }
  ~RegistryValueScope() {
    if (had_)
      RegSetValueExW(h_, name_, 0, type_, reinterpret_cast<BYTE*>(old_), old_size_);
    else
      RegDeleteValueW(h_, name_);
    RegCloseKey(h_);
  }

 private:
  HKEY root_, h_ = nullptr;
  const wchar_t* key_;
  REGSAM view_;
  const wchar_t* name_;
  bool had_ = false;
  DWORD type_ = 0, old_size_ = 0;
  wchar_t old_[1024];
};

TEST(EngineProcess, InstallStartsTheHostConfigurationProgramHiddenAndWaits) {
  const std::wstring host = TempFolder(L"lumetta-host");
  ASSERT_TRUE(CopyFileW(testpaths::BinFile(L"record_start.exe").c_str(),
                        (host + L"\\Ravelcfg.exe").c_str(), FALSE));
  const std::wstring record = host + L"\\started.txt";
  DeleteFileW(record.c_str());
  SetEnvironmentVariableW(L"LUMETTA_RECORD_OUT", record.c_str());
  DWORD elapsed = 0;
  {
    RegistryValueScope value(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\CorvanePinyin",
                             KEY_WOW64_32KEY, L"exePath", host.c_str());
    EXPECT_EQ(RunEngine(L"--install", 20000, &elapsed), 0u);
  }
  EXPECT_GE(elapsed, 1900u);  // gives the program its 2000 ms
  const std::wstring text = ReadUtf16(record);
  ASSERT_FALSE(text.empty()) << "the configuration program was not started";
  const std::wstring cmd = text.substr(0, text.find(L'\n'));
  const std::wstring cwd = text.substr(text.find(L'\n') + 1);
  EXPECT_NE(cmd.find(L"Ravelcfg.exe"), std::wstring::npos);
  EXPECT_EQ(cmd.substr(cmd.size() - 39), L" --plugin-reload=screenshot  --Hotkey=A");
  EXPECT_EQ(lstrcmpiW(cwd.c_str(), host.c_str()), 0);
}

TEST(EngineProcess, RunWritesTheSettingsFileUnderTheHostDataFolder) {
  const std::wstring data = TempFolder(L"lumetta-data") + L"\\not-yet\\there";
  const std::wstring ini = data + L"\\Plugin\\Screenshot\\Config.ini";
  DeleteFileW(ini.c_str());
  {
    RegistryValueScope value(HKEY_CURRENT_USER, L"Software\\Corvane\\CorvanePinyin",
                             KEY_WOW64_64KEY, L"AppData", data.c_str());
    EXPECT_EQ(RunEngine(L"", 20000, nullptr, true), 0u);
  }
  wchar_t buf[64];
  GetPrivateProfileStringW(L"Common", L"SaveType", L"", buf, 64, ini.c_str());
  EXPECT_STREQ(buf, L".png");
  EXPECT_EQ(GetPrivateProfileIntW(L"ColorTbArrow", L"CrStyle", -1, ini.c_str()), 10);
  EXPECT_EQ(GetPrivateProfileIntW(L"TextTb", L"fHeight", -1, ini.c_str()), 18);
}

struct CountingFilter : MessageFilter {
  int seen = 0;
  int FilterMessage(tagMSG* m) override {
    ++seen;
    return reinterpret_cast<MSG*>(m)->message == WM_APP + 7;  // consume this one
  }
};

TEST(EngineProcess, MessageLoopObservesFiltersDispatchesAndStopsAtQuit) {
  CreateMessageFilterList();
  CountingFilter filter;
  AddMessageFilter(&filter);
  HWND w = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
  ASSERT_TRUE(w);
  PostMessageW(w, WM_APP + 7, 0, 0);
  PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  PostMessageW(w, WM_APP + 8, 0, 0);
  PostQuitMessage(42);
  int observed = 0, after_moves = 0;
  engine::LoopHooks hooks;
  hooks.observe = [&](MSG* m) { observed += (m->hwnd == w); };
  hooks.after_mouse_move = [&] { ++after_moves; };
  EXPECT_EQ(engine::RunMessageLoop(hooks), 42);
  EXPECT_EQ(observed, 3);
  EXPECT_GE(filter.seen, 3);
  EXPECT_EQ(after_moves, 1);
  RemoveMessageFilter(&filter);
  DestroyMessageFilterList();
  DestroyWindow(w);
}

}  // namespace
