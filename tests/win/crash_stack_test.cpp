// CCrashStack: the return addresses of this thread's real stack, from a captured context, as the
// crash hand-off walks them on this architecture.
#include "screenshot/diagnostics/CCrashStack.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/diagnostics/CProcessFrameMemory.h"

namespace {

uint64_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

// Captures the registers here and runs `use(context, where this function returns to)` while this
// frame is still on the stack for the walk to unwind. It keeps a frame pointer: on i686 so that
// the chain starts here, on x86_64 so that its unwind data names a frame register.
template <typename Use>
__attribute__((noinline, optimize("no-omit-frame-pointer"))) void InCapturedContext(Use use) {
  CONTEXT context = {};
  RtlCaptureContext(&context);
  use(context, Address(__builtin_return_address(0)));
}

TEST(CrashStack, WalkFromACapturedContextStartsAtItsCaller) {
  InCapturedContext([](const CONTEXT& context, uint64_t caller) {
    CProcessFrameMemory memory;
    CCrashStack stack(context, memory);
    EXPECT_EQ(memory.AllocationBase(stack.InstructionPointer()),
              Address(GetModuleHandleW(nullptr)));
    uint64_t first = 0;
    ASSERT_TRUE(stack.Next(&first));
    EXPECT_EQ(first, caller);
  });
}

TEST(CrashStack, DecisionFindsThisProgramOnTheStackButNotAnUnusedLibrary) {
  const HMODULE unused = LoadLibraryW(L"shlwapi.dll");
  ASSERT_TRUE(unused);
  InCapturedContext([unused](const CONTEXT& context, uint64_t) {
    CProcessFrameMemory memory;
    {
      CCrashStack stack(context, memory);
      // Only the frames can decide: the crash address given is in no module.
      EXPECT_TRUE(
          diag::CrashInvolvesModule(0x10, stack, Address(GetModuleHandleW(nullptr)), memory));
    }
    {
      // The whole stack down to the thread's start is walked, and ends without harm.
      CCrashStack stack(context, memory);
      EXPECT_FALSE(
          diag::CrashInvolvesModule(stack.InstructionPointer(), stack, Address(unused), memory));
    }
  });
}

#if defined(__x86_64__)

std::vector<uint64_t> Walk(const CONTEXT& context) {
  CProcessFrameMemory memory;
  CCrashStack stack(context, memory);
  std::vector<uint64_t> found;
  for (uint64_t a; stack.Next(&a);) found.push_back(a);
  return found;
}

TEST(CrashStack, CallThroughANullPointerFindsTheCallerOnTopOfTheStack) {
  InCapturedContext([](const CONTEXT& captured, uint64_t caller) {
    // What a `call` to address 0 leaves: the return address at [Rsp], nothing else.
    CONTEXT context = captured;
    uint64_t stack_words[4] = {caller, 0, 0, 0};
    context.Rip = 0;
    context.Rsp = Address(stack_words);
    const std::vector<uint64_t> found = Walk(context);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], caller);
  });
}

TEST(CrashStack, FrameRegisterOutsideWritableMemoryEndsTheWalkInsteadOfFaulting) {
  InCapturedContext([](const CONTEXT& captured, uint64_t caller) {
    CONTEXT context = captured;
    std::vector<uint64_t> found = Walk(context);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], caller);
    // A corrupted frame pointer: unwinding through it would read near address 0.
    context.Rbp = 0x10;
    EXPECT_TRUE(Walk(context).empty());
  });
}

#endif

}  // namespace
