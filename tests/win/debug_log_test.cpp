// The debug log as the engine uses it: what each call emits, the switches, long messages, threads,
// and the real debugger output of another process.
#include "screenshot/diagnostics/debug_log_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/support/test_paths.h"

namespace {

std::vector<std::wstring> g_emitted;

void Capture(const wchar_t* text) { g_emitted.push_back(text); }

bool StartsWith(const std::wstring& s, const std::wstring& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

const wchar_t kRecordEnd[] = L"\"\n\t\t\t}";

class DebugLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_emitted.clear();
    diag::SetLogSinkForTesting(Capture);
  }
  void TearDown() override {
    diag::SetLogSinkForTesting(nullptr);
    diag::SetLogEnabled(true);
    diag::SetLogClassMask(~0u);
    diag::SetLogStructured(true);
  }
};

long long MillisecondsToday(int h, int m, int s, int ms) {
  return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

long long Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return MillisecondsToday(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

TEST_F(DebugLogTest, ErrorReportIsOneRecordOfThisProcessThreadAndTime) {
  const long long before = Now();
  diag::Log(diag::kLogError, L"CreateFile [%s] Failed [%08X]\n", L"C:\\out\\\"a\".png", 5u);
  const long long after = Now();
  ASSERT_EQ(g_emitted.size(), 1u);
  const std::wstring& r = g_emitted[0];
  EXPECT_TRUE(StartsWith(
      r,
      L"{\n\t\t\t\"class\" : 48,"
      L"\n\t\t\t\"content\" : \"CreateFile [C:\\\\out\\\\\\\"a\\\".png] Failed [00000005]\\n\","
      L"\n\t\t\t\"pid\" : " +
          std::to_wstring(GetCurrentProcessId()) +
          L",\n\t\t\t\"pname\" : \"win_tests.exe\","
          L"\n\t\t\t\"tid\" : " +
          std::to_wstring(GetCurrentThreadId()) + L",\n\t\t\t\"time\" : \""))
      << r;
  EXPECT_TRUE(r.size() > 6 && r.substr(r.size() - 6) == kRecordEnd);
  int y, mo, d, h, mi, s, ms;
  ASSERT_EQ(swscanf(r.c_str() + r.find(L"\"time\" : \"") + 10, L"%d-%d-%d %d:%d:%d.%d", &y, &mo, &d,
                    &h, &mi, &s, &ms),
            7);
  if (after >= before) {  // not across midnight
    EXPECT_GE(MillisecondsToday(h, mi, s, ms), before);
    EXPECT_LE(MillisecondsToday(h, mi, s, ms), after);
  }
}

TEST_F(DebugLogTest, ClassMaskAndEnabledFlagDecideWhatIsEmitted) {
  diag::SetLogClassMask(0x0F);
  diag::Log(0x30, L"no common bit");
  EXPECT_TRUE(g_emitted.empty());
  diag::Log(0x31, L"bit 0x01 in common");
  ASSERT_EQ(g_emitted.size(), 1u);
  EXPECT_TRUE(StartsWith(g_emitted[0], L"{\n\t\t\t\"class\" : 49,\n"));

  diag::SetLogClassMask(~0u);
  diag::SetLogEnabled(false);
  diag::Log(diag::kLogError, L"off");
  EXPECT_EQ(g_emitted.size(), 1u);
  diag::SetLogEnabled(true);
  diag::Log(diag::kLogError, L"on");
  EXPECT_EQ(g_emitted.size(), 2u);
}

TEST_F(DebugLogTest, PlainMessagesGoOutUnchangedCutTo1023WholeCharacters) {
  diag::SetLogStructured(false);
  diag::Log(diag::kLogError, L"raw \"%s\"\n\t%d", L"text", -7);
  const std::wstring exact(1023, L'x');
  diag::Log(diag::kLogError, L"%s", exact.c_str());
  diag::Log(diag::kLogError, L"%s", std::wstring(5000, L'y').c_str());
  diag::Log(diag::kLogError, L"%s", (std::wstring(1022, L'z') + L"\xD83D\xDE00").c_str());
  diag::Log(diag::kLogError, nullptr);
  ASSERT_EQ(g_emitted.size(), 5u);
  EXPECT_EQ(g_emitted[0], L"raw \"text\"\n\t-7");
  EXPECT_EQ(g_emitted[1], exact);
  EXPECT_EQ(g_emitted[2], std::wstring(1023, L'y'));
  EXPECT_EQ(g_emitted[3], std::wstring(1022, L'z'));  // never half a surrogate pair
  EXPECT_EQ(g_emitted[4], L"");
}

TEST_F(DebugLogTest, RecordOfALongControlCharacterMessageStaysWithin4095AndComplete) {
  // 1023 characters that escape to six each: far more than a record holds.
  diag::Log(diag::kLogError, L"%s", std::wstring(3000, L'\x01').c_str());
  ASSERT_EQ(g_emitted.size(), 1u);
  const std::wstring& r = g_emitted[0];
  EXPECT_LE(r.size(), 4095u);
  EXPECT_GT(r.size() + 6, 4095u);  // filled but for less than one more escape
  EXPECT_EQ(r.substr(r.size() - 6), kRecordEnd);
  EXPECT_NE(r.find(L"\"content\" : \"\\u0001\\u0001"), std::wstring::npos);
  EXPECT_NE(r.find(L"\\u0001\",\n\t\t\t\"pid\" : "), std::wstring::npos);
}

TEST_F(DebugLogTest, RecordsFromManyThreadsComeOutWholeWithTheirOwnThreadIds) {
  // The sink runs under the log's lock, so this unguarded vector is only safe if Log serialises.
  constexpr int kThreads = 4, kEach = 200;
  HANDLE threads[kThreads];
  DWORD ids[kThreads];
  for (int i = 0; i < kThreads; ++i) {
    threads[i] = CreateThread(
        nullptr, 0,
        [](void*) WINAPI -> DWORD {
          for (int n = 0; n < kEach; ++n) diag::Log(diag::kLogError, L"message %d", n);
          return 0;
        },
        nullptr, 0, &ids[i]);
    ASSERT_TRUE(threads[i]);
  }
  WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
  for (HANDLE t : threads) CloseHandle(t);
  ASSERT_EQ(g_emitted.size(), static_cast<size_t>(kThreads * kEach));
  for (DWORD id : ids) {
    const std::wstring tid = L"\"tid\" : " + std::to_wstring(id) + L",";
    EXPECT_EQ(std::count_if(g_emitted.begin(), g_emitted.end(),
                            [&](const std::wstring& r) { return r.find(tid) != r.npos; }),
              kEach);
  }
  for (const std::wstring& r : g_emitted) {
    ASSERT_TRUE(StartsWith(r, L"{\n\t\t\t\"class\" : 48,\n\t\t\t\"content\" : \"message "));
    ASSERT_EQ(r.substr(r.size() - 6), kRecordEnd);
  }
}

// Debugs log_program and collects its debug output strings (its texts are ASCII).
std::vector<std::string> DebugOutputOf(const std::wstring& program) {
  std::vector<std::string> strings;
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE,
                      DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot debug log_program: " << GetLastError();
    return strings;
  }
  for (DEBUG_EVENT e; WaitForDebugEvent(&e, 30000);) {
    DWORD status = DBG_CONTINUE;
    if (e.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) CloseHandle(e.u.CreateProcessInfo.hFile);
    if (e.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) CloseHandle(e.u.LoadDll.hFile);
    if (e.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
        e.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
      status = DBG_EXCEPTION_NOT_HANDLED;
    }
    if (e.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
      const size_t unit = e.u.DebugString.fUnicode ? 2 : 1;
      std::string bytes(e.u.DebugString.nDebugStringLength * unit, '\0');
      SIZE_T read = 0;
      ReadProcessMemory(pi.hProcess, e.u.DebugString.lpDebugStringData, &bytes[0], bytes.size(),
                        &read);
      std::string text;
      for (size_t i = 0; i < read && bytes[i]; i += unit) text += bytes[i];
      strings.push_back(text);
    }
    ContinueDebugEvent(e.dwProcessId, e.dwThreadId, status);
    if (e.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) break;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return strings;
}

TEST(DebugLogOutput, RecordsReachTheDebuggerThroughOutputDebugString) {
  std::vector<std::string> records;
  for (const std::string& s : DebugOutputOf(testpaths::BinFile(L"log_program.exe"))) {
    if (s.rfind("{", 0) == 0) records.push_back(s);
  }
  ASSERT_EQ(records.size(), 1u) << "the filtered class must not appear";
  const std::string& r = records[0];
  EXPECT_EQ(r.rfind("{\n\t\t\t\"class\" : 48,\n\t\t\t\"content\" : "
                    "\"CreateFile [C:\\\\out\\\\a.png] Failed [00000005]\",\n\t\t\t\"pid\" : ",
                    0),
            0u)
      << r;
  EXPECT_NE(r.find(",\n\t\t\t\"pname\" : \"log_program.exe\",\n\t\t\t\"tid\" : "),
            std::string::npos);
  EXPECT_EQ(r.substr(r.size() - 6), "\"\n\t\t\t}");
}

}  // namespace
