// The crash hand-off's names: shared-memory name, default report program, its command line.
#include "screenshot/diagnostics/report_program.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReportProgram, SharedMemoryNameCarriesTheUnsignedProcessId) {
  EXPECT_EQ(diag::SharedMemoryName(1234), L"cvMorrowdump_1234");
  EXPECT_EQ(diag::SharedMemoryName(0), L"cvMorrowdump_0");
  EXPECT_EQ(diag::SharedMemoryName(4294967295u), L"cvMorrowdump_4294967295");
}

TEST(ReportProgram, DefaultProgramSitsInTheModulesDirectory) {
  std::wstring program;
  ASSERT_TRUE(
      diag::DefaultReportProgramPath(L"C:\\Program Files\\Lumetta\\Snapshot.exe", &program));
  EXPECT_EQ(program, L"C:\\Program Files\\Lumetta\\Morrowdump.exe");
  ASSERT_TRUE(diag::DefaultReportProgramPath(L"C:\\Snapshot.exe", &program));
  EXPECT_EQ(program, L"C:\\Morrowdump.exe");
  ASSERT_TRUE(diag::DefaultReportProgramPath(L"\\\\?\\D:\\a.b\\c\\x.exe", &program));
  EXPECT_EQ(program, L"\\\\?\\D:\\a.b\\c\\Morrowdump.exe");
}

TEST(ReportProgram, ModulePathWithoutBackslashHasNoDefault) {
  std::wstring program = L"unchanged";
  EXPECT_FALSE(diag::DefaultReportProgramPath(L"Snapshot.exe", &program));
  EXPECT_FALSE(diag::DefaultReportProgramPath(L"C:/tools/Snapshot.exe", &program));
  EXPECT_FALSE(diag::DefaultReportProgramPath(L"", &program));
  EXPECT_EQ(program, L"unchanged");
}

TEST(ReportProgram, CommandLineQuotesTheProgramAndNamesTheMemory) {
  EXPECT_EQ(diag::ReportProgramCommandLine(L"C:\\My Tools\\Morrowdump.exe", L"cvMorrowdump_42"),
            L"\"C:\\My Tools\\Morrowdump.exe\" --smname=cvMorrowdump_42");
}

}  // namespace
