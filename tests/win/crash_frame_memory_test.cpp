// CProcessFrameMemory: the walk's view of real memory, addresses taken whole.
#include "screenshot/diagnostics/CProcessFrameMemory.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

uint64_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

// An address no i686 process can reach, whose lower half is `p` (on x86_64: nothing mapped).
uint64_t AboveFourGigabytes(const void* p) { return uint64_t{0x100} << 32 | Address(p); }

TEST(CrashFrameMemory, WritableMeansCommittedAndWritableOverTheWholeRange) {
  CProcessFrameMemory memory;
  char* pages = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_TRUE(pages);
  DWORD old;
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_EXECUTE_READWRITE, &old));
  EXPECT_TRUE(memory.IsWritable(Address(pages + 4092), 8));  // across two writable regions...
  EXPECT_TRUE(memory.IsWritable(Address(pages), 8192));
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_READONLY, &old));
  EXPECT_TRUE(memory.IsWritable(Address(pages + 4088), 8));
  EXPECT_FALSE(memory.IsWritable(Address(pages + 4092), 8));  // ...but not into a read-only one
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_READWRITE | PAGE_GUARD, &old));
  EXPECT_FALSE(memory.IsWritable(Address(pages + 4096), 4));  // nor a guard page
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_READWRITE, &old));
  EXPECT_FALSE(memory.IsWritable(AboveFourGigabytes(pages), 8));  // nor beyond 4 GB of it
  VirtualFree(pages, 0, MEM_RELEASE);
  EXPECT_FALSE(memory.IsWritable(Address(pages), 4));  // nor released memory
  EXPECT_FALSE(memory.IsWritable(0xFFFFFFFCu, 8));     // nor the top of 32-bit space
  EXPECT_FALSE(memory.IsWritable(UINT64_MAX - 3, 8));  // nor a range that wraps
  EXPECT_FALSE(memory.IsWritable(Address(reinterpret_cast<void*>(&Address)), 4));  // nor code
}

TEST(CrashFrameMemory, AllocationBaseOfCodeIsItsModule) {
  CProcessFrameMemory memory;
  const void* code = reinterpret_cast<void*>(&Address);
  EXPECT_EQ(memory.AllocationBase(Address(code)), Address(GetModuleHandleW(nullptr)));
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  EXPECT_EQ(memory.AllocationBase(
                Address(reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount")))),
            Address(kernel32));
  EXPECT_EQ(memory.AllocationBase(0), 0u);
  EXPECT_EQ(memory.AllocationBase(AboveFourGigabytes(code)), 0u);
}

TEST(CrashFrameMemory, ReadWordReadsThe32BitWordAtTheFullAddress) {
  CProcessFrameMemory memory;
  const uint32_t words[2] = {0x11223344, 0x55667788};
  EXPECT_EQ(memory.ReadWord(Address(&words[0])), 0x11223344u);
  EXPECT_EQ(memory.ReadWord(Address(&words[1])), 0x55667788u);
}

}  // namespace
