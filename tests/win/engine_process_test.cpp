// The engine's process: single instance, the install switch, and the message loop.
#include <gtest/gtest.h>

#include <string>

#include "screenshot/app/engine_process.h"
#include "screenshot/app/message_filter.h"
#include "win/support/test_paths.h"

namespace {

// Starts bin\Snapshot.exe with the given arguments and returns its exit code (or ~0u on timeout).
DWORD RunEngine(const std::wstring& args, DWORD timeout_ms, DWORD* elapsed_ms = nullptr) {
  std::wstring cmd = L"\"" + testpaths::BinFile(L"Snapshot.exe") + L"\" " + args;
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return ~0u - 1;
  const DWORD start = GetTickCount();
  DWORD code = ~0u;
  if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 1);
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
  // Released: an engine runs (and, with no capture to make here, ends normally).
  EXPECT_EQ(RunEngine(L"", 20000), 0u);
}

TEST(EngineProcess, MarkerIsAnAutoResetSignalledEventAnyoneMayOpen) {
  HANDLE marker = engine::CreateSnapshotSectionEvent();
  ASSERT_TRUE(marker);
  HANDLE other = OpenEventA(EVENT_ALL_ACCESS, FALSE,
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
  HWND w = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
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
