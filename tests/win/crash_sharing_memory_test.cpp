// CSharingMemory: a named block seen by a second opener, released with its owner, and never
// mapped short.
#include "screenshot/diagnostics/CSharingMemory.h"

#include <gtest/gtest.h>

#include <string>

#include "screenshot/diagnostics/exception_context.h"

namespace {

std::wstring UniqueName(const wchar_t* base) {
  return base + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
}

TEST(CrashSharingMemory, WritesAreSeenByASecondOpenerUntilTheOwnerGoes) {
  const std::wstring name = UniqueName(L"lumetta_test_block_");
  {
    CSharingMemory<CVExceptionContext> writer;
    ASSERT_TRUE(writer.Create(name.c_str(), nullptr));
    writer.Get()->second_name[62] = u'z';  // the far end of the block
    CSharingMemory<CVExceptionContext> reader;
    ASSERT_TRUE(reader.Open(name.c_str(), false));
    EXPECT_NE(reader.Get(), writer.Get());
    EXPECT_EQ(reader.Get()->second_name[62], u'z');
    EXPECT_EQ(reader.Get()->process_id, 0u);  // a new mapping starts zero-filled
    reader.Close();
    EXPECT_FALSE(reader.IsMapped());
    EXPECT_EQ(reader.Get(), nullptr);
  }
  HANDLE gone = OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str());
  const DWORD error = GetLastError();
  EXPECT_EQ(gone, nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(CrashSharingMemory, ExistingSmallerMappingOrMissingNameIsRefused) {
  const std::wstring name = UniqueName(L"lumetta_test_small_");
  HANDLE small =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
  ASSERT_TRUE(small);
  CSharingMemory<CVExceptionContext> block;
  EXPECT_FALSE(block.Create(name.c_str(), nullptr));
  EXPECT_FALSE(block.IsMapped());
  CloseHandle(small);
  EXPECT_FALSE(block.Open(L"lumetta_test_no_such_block", false));
  EXPECT_EQ(block.Get(), nullptr);
}

}  // namespace
