// The crash hand-off end to end: crash_program installs it and fails in various ways; the stand-in
// report program records what it found in the shared block and in the crashed process.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "screenshot/diagnostics/crash_handler_win.h"
#include "win/support/test_paths.h"

namespace {

// Exit codes of crash_program's earlier filter (see the program).
constexpr DWORD kThreadsRunning = 0x70;

struct CrashRun {
  DWORD exit_code = 0;
  DWORD process_id = 0;
  DWORD main_thread_id = 0;
  std::wstring command_line;
  bool reported = false;
  std::map<std::wstring, std::wstring> report;  // the stand-in's key=value lines
};

std::wstring TempFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

std::map<std::wstring, std::wstring> ReadReport(const std::wstring& path) {
  std::map<std::wstring, std::wstring> report;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return report;
  std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  ReadFile(file, &text[0], static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
  CloseHandle(file);
  size_t start = 0;
  for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    const std::wstring line = text.substr(start, end - start);
    const size_t eq = line.find(L'=');
    report[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return report;
}

// Runs `program` with `variant`; the stand-in, started by the hand-off with this environment,
// writes its report to a fresh file.
CrashRun RunCrashProgram(const std::wstring& program, const wchar_t* variant) {
  const std::wstring out = TempFile(L"lumetta_crash_report.txt");
  DeleteFileW(out.c_str());
  SetEnvironmentVariableW(L"LUMETTA_STANDIN_OUT", out.c_str());

  CrashRun run;
  run.command_line = L"\"" + program + L"\" " + variant;
  std::wstring command = run.command_line;
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    ADD_FAILURE() << "cannot start crash_program: " << GetLastError();
    return run;
  }
  run.process_id = pi.dwProcessId;
  run.main_thread_id = pi.dwThreadId;
  if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "crash_program did not end";
    TerminateProcess(pi.hProcess, 1);
  }
  GetExitCodeProcess(pi.hProcess, &run.exit_code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  SetEnvironmentVariableW(L"LUMETTA_STANDIN_OUT", nullptr);

  run.report = ReadReport(out);
  run.reported = !run.report.empty();
  DeleteFileW(out.c_str());
  return run;
}

CrashRun RunVariant(const wchar_t* variant) {
  return RunCrashProgram(testpaths::BinFile(L"crash_program.exe"), variant);
}

// What every hand-off shows, whatever the crash.
void ExpectBlockOf(const CrashRun& run, const std::wstring& report_program) {
  const std::wstring name = L"cvMorrowdump_" + std::to_wstring(run.process_id);
  EXPECT_EQ(run.report.at(L"received"), L"\"" + report_program + L"\" --smname=" + name);
  EXPECT_EQ(run.report.at(L"opened"), L"1");
  EXPECT_EQ(run.report.at(L"reserved"), L"00000000");
  EXPECT_EQ(run.report.at(L"code"), L"C0000005");
  EXPECT_EQ(run.report.at(L"pid"), std::to_wstring(run.process_id));
  EXPECT_EQ(run.report.at(L"command_line"), run.command_line);
  EXPECT_EQ(run.report.at(L"zero_behind_text"), L"1");
  EXPECT_GE(std::stoul(run.report.at(L"view_size")), 0x5834u);
  // The context copy and the pointer field both lead to this very exception.
  EXPECT_EQ(run.report.at(L"ip"), run.report.at(L"address"));
  EXPECT_EQ(run.report.at(L"ep_code"), L"C0000005");
  EXPECT_EQ(run.report.at(L"ep_address"), run.report.at(L"address"));
  EXPECT_EQ(run.report.at(L"ep_ip"), run.report.at(L"ip"));
  // Every other thread was held while the report program ran.
  EXPECT_GE(std::stoi(run.report.at(L"other_threads")), 1);
  EXPECT_EQ(run.report.at(L"suspended_threads"), run.report.at(L"other_threads"));
  // Handed off: the process ends as the exception's own failure.
  EXPECT_EQ(run.exit_code, 0xC0000005u);
}

TEST(CrashHandOff, CrashInOwnCodeIsHandedOffWithItsContext) {
  const CrashRun run = RunVariant(L"own");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  ExpectBlockOf(run, testpaths::BinFile(L"morrowdump_standin.exe"));
  EXPECT_EQ(run.report.at(L"tid"), std::to_wstring(run.main_thread_id));
  EXPECT_EQ(run.report.at(L"address_module"), L"crash_program.exe");
  EXPECT_EQ(run.report.at(L"first_name"), L"first-name");
  EXPECT_EQ(run.report.at(L"second_name"), L"screenshot");
}

TEST(CrashHandOff, BlockHasTheNativeLayoutOfThisArchitectureAtItsByteOffsets) {
  // The stand-in reads each field at its byte offset (see its RawLayout), as the report program
  // does, and checks the CONTEXT's own architecture flag.
  const CrashRun run = RunVariant(L"own");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  const auto& r = run.report;
  EXPECT_EQ(r.at(L"raw_reserved"), L"00000000");
#if defined(__x86_64__)
  EXPECT_EQ(r.at(L"raw_padding"), L"00000000 00000000");
#else
  EXPECT_EQ(r.count(L"raw_padding"), 0u);
#endif
  // Addresses whole: the exception as the crashed process holds it, found through the pointer.
  EXPECT_EQ(r.at(L"raw_address").size(), 2 * sizeof(void*));
  EXPECT_EQ(r.at(L"raw_address"), r.at(L"ep_address"));
  EXPECT_EQ(r.at(L"raw_pointers"), r.at(L"pointers"));
  EXPECT_EQ(r.at(L"raw_context_ip"), r.at(L"raw_address"));
  EXPECT_EQ(r.at(L"raw_context_ip"), r.at(L"ep_ip"));
  EXPECT_EQ(r.at(L"raw_context_architecture"), L"native");
  EXPECT_EQ(r.at(L"raw_code"), L"C0000005");
  EXPECT_EQ(r.at(L"raw_pid"), std::to_wstring(run.process_id));
  EXPECT_EQ(r.at(L"raw_tid"), std::to_wstring(run.main_thread_id));
  EXPECT_EQ(r.at(L"raw_command_line"), run.command_line);
  EXPECT_EQ(r.at(L"raw_first_name"), L"first-name");
  EXPECT_EQ(r.at(L"raw_second_name"), L"screenshot");
}

TEST(CrashHandOff, FilterAnswersExecuteHandlerOnceHandedOff) {
  const CrashRun run = RunVariant(L"answer");
  EXPECT_TRUE(run.reported);
  EXPECT_EQ(run.exit_code, 0x100u + EXCEPTION_EXECUTE_HANDLER);
}

TEST(CrashHandOff, SystemLibraryCrashCalledFromOwnCodeIsFoundOnTheFrameChain) {
  const CrashRun run = RunVariant(L"system-from-own");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  ExpectBlockOf(run, testpaths::BinFile(L"morrowdump_standin.exe"));
  EXPECT_EQ(run.report.at(L"address_module"), L"msvcrt.dll");
}

#if defined(__x86_64__)
TEST(CrashHandOff, CrashWhileAnotherThreadHoldsTheFunctionTableLockIsStillHandedOff) {
  // The crash is at a bad address, so the walk has to look its function up, under a lock another
  // thread holds nearly all the time. Held by a thread already suspended, it would be held for
  // good and the crashed process would never end.
  const CrashRun run = RunVariant(L"table-lock-held");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  ExpectBlockOf(run, testpaths::BinFile(L"morrowdump_standin.exe"));
  EXPECT_EQ(run.report.at(L"address"), L"0000000000000010");
}
#endif

TEST(CrashHandOff, CrashEntirelyInsideASystemLibraryIsLeftToTheEarlierFilter) {
  const CrashRun run = RunVariant(L"foreign");
  EXPECT_FALSE(run.reported);
  // The earlier filter ran, and saw the threads the hand-off had suspended running again.
  EXPECT_EQ(run.exit_code, kThreadsRunning);
}

TEST(CrashHandOff, WithoutAModuleEveryCrashIsHandedOff) {
  const CrashRun run = RunVariant(L"foreign-any");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  ExpectBlockOf(run, testpaths::BinFile(L"morrowdump_standin.exe"));
  EXPECT_EQ(run.report.at(L"address_module"), L"msvcrt.dll");
  EXPECT_NE(run.report.at(L"tid"), std::to_wstring(run.main_thread_id));
}

TEST(CrashHandOff, BreakpointIsNeverHandedOff) {
  const CrashRun run = RunVariant(L"breakpoint");
  EXPECT_FALSE(run.reported);
  EXPECT_EQ(run.exit_code, kThreadsRunning);
}

TEST(CrashHandOff, ReportProgramThatCannotStartLeavesTheCrashToTheEarlierFilter) {
  const CrashRun run = RunVariant(L"missing-report");
  EXPECT_FALSE(run.reported);
  EXPECT_EQ(run.exit_code, kThreadsRunning);
}

TEST(CrashHandOff, SecondInstallationAnswers810A0001) {
  EXPECT_EQ(RunVariant(L"twice").exit_code, kCrashHandlerAlreadyInstalled);
  EXPECT_EQ(kCrashHandlerAlreadyInstalled, 0x810A0001u);
}

TEST(CrashHandOff, NamesLongerThanTheirFieldsAreCutTo63Units) {
  const CrashRun run = RunVariant(L"long-names");
  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  EXPECT_EQ(run.report.at(L"first_name"), std::wstring(63, L'f'));
  EXPECT_EQ(run.report.at(L"second_name"), std::wstring(63, L's'));
  EXPECT_EQ(run.report.at(L"zero_behind_text"), L"1");
}

TEST(CrashHandOff, DefaultReportProgramIsMorrowdumpBesideTheModule) {
  // A folder of its own holding the crashing program and the stand-in under the real name.
  const std::wstring dir = TempFile(L"lumetta_crash_default");
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring program = dir + L"\\crash_program.exe";
  const std::wstring morrowdump = dir + L"\\Morrowdump.exe";
  ASSERT_TRUE(CopyFileW(testpaths::BinFile(L"crash_program.exe").c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileW(testpaths::BinFile(L"morrowdump_standin.exe").c_str(), morrowdump.c_str(), FALSE));

  const CrashRun run = RunCrashProgram(program, L"default-path");
  DeleteFileW(program.c_str());
  DeleteFileW(morrowdump.c_str());
  RemoveDirectoryW(dir.c_str());

  ASSERT_TRUE(run.reported) << std::hex << run.exit_code;
  ExpectBlockOf(run, morrowdump);
}

}  // namespace
