// CProcessFrameMemory: the walk's view of real memory, and the walk over this thread's own stack.
#include "screenshot/diagnostics/CProcessFrameMemory.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

TEST(CrashFrameMemory, WritableMeansCommittedAndWritableOverTheWholeRange) {
  CProcessFrameMemory memory;
  char* pages = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_TRUE(pages);
  DWORD old;
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_EXECUTE_READWRITE, &old));
  EXPECT_TRUE(memory.IsWritable(Address(pages + 4092), 8));  // across two writable regions...
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_READONLY, &old));
  EXPECT_TRUE(memory.IsWritable(Address(pages + 4088), 8));
  EXPECT_FALSE(memory.IsWritable(Address(pages + 4092), 8));  // ...but not into a read-only one
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_READWRITE | PAGE_GUARD, &old));
  EXPECT_FALSE(memory.IsWritable(Address(pages + 4096), 4));  // nor a guard page
  VirtualFree(pages, 0, MEM_RELEASE);
  EXPECT_FALSE(memory.IsWritable(Address(pages), 4));         // nor released memory
  EXPECT_FALSE(memory.IsWritable(0xFFFFFFFCu, 8));            // nor a range that wraps
  EXPECT_FALSE(memory.IsWritable(Address(reinterpret_cast<void*>(&Address)), 4));  // nor code
}

TEST(CrashFrameMemory, AllocationBaseOfCodeIsItsModule) {
  CProcessFrameMemory memory;
  EXPECT_EQ(memory.AllocationBase(Address(reinterpret_cast<void*>(&Address))),
            Address(GetModuleHandleW(nullptr)));
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  EXPECT_EQ(memory.AllocationBase(
                Address(reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount")))),
            Address(kernel32));
  EXPECT_EQ(memory.AllocationBase(0), 0u);
}

__attribute__((noinline)) bool WalkFromHere(uint32_t module_base) {
  CProcessFrameMemory memory;
  // No instruction pointer of any module: only the frames of this thread can decide.
  return diag::CrashInvolvesModule(0, Address(__builtin_frame_address(0)), module_base, memory);
}

TEST(CrashFrameMemory, WalkOverThisThreadsStackFindsThisProgramButNotAnUnusedLibrary) {
  EXPECT_TRUE(WalkFromHere(Address(GetModuleHandleW(nullptr))));
  HMODULE unused = LoadLibraryW(L"shlwapi.dll");
  ASSERT_TRUE(unused);
  EXPECT_FALSE(WalkFromHere(Address(unused)));
}

}  // namespace
