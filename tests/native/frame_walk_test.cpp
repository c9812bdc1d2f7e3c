// Whether a crash involves a module: the i686 frame-pointer chain and the unwinder-driven walk
// over modelled stacks, and the decision over the return addresses either gives.
#include "screenshot/diagnostics/frame_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

using diag::CrashInvolvesModule;

// Two modules below 4 GB as on i686, two above it as on x86_64.
constexpr uint64_t kOurs = 0x00400000;       // 0x00400000..0x0047FFFF
constexpr uint64_t kSystem = 0x7B600000;     // 0x7B600000..0x7B6FFFFF
constexpr uint64_t kOurs64 = 0x140000000;    // 0x140000000..0x14007FFFF
constexpr uint64_t kSystem64 = 0x240000000;  // 0x240000000..0x2400FFFFF
constexpr uint64_t kOurCode = kOurs + 0x1234;
constexpr uint64_t kSystemCode = kSystem + 0x5678;
constexpr uint64_t kOurCode64 = kOurs64 + 0x1234;
constexpr uint64_t kSystemCode64 = kSystem64 + 0x5678;

// Memory with a stack, words placed at chosen addresses and four modules.
class FakeMemory : public diag::FrameMemory {
 public:
  FakeMemory() { writable_.push_back({0x0012F000, 0x00130000}); }  // the stack

  // An i686 frame: [saved frame pointer, return address].
  void Frame(uint32_t at, uint32_t next, uint32_t return_address) {
    words_[at] = next;
    words_[at + 4] = return_address;
  }
  void Writable(uint64_t begin, uint64_t end) { writable_.push_back({begin, end}); }

  bool IsWritable(uint64_t address, uint64_t size) const override {
    for (const auto& r : writable_) {
      if (address >= r.first && address + size <= r.second) return true;
    }
    return false;
  }
  uint32_t ReadWord(uint64_t address) const override {
    // The walk must not read what it has not checked.
    if (!IsWritable(address, 4)) ADD_FAILURE() << "read of unchecked address " << address;
    if (++reads_ > 1000) {
      ADD_FAILURE() << "the walk does not end";
      return 0;  // a zero frame pointer ends any walk
    }
    auto it = words_.find(address);
    return it == words_.end() ? 0 : it->second;
  }
  uint64_t AllocationBase(uint64_t address) const override {
    for (uint64_t base : {kOurs, kOurs64}) {
      if (address >= base && address < base + 0x80000) return base;
    }
    for (uint64_t base : {kSystem, kSystem64}) {
      if (address >= base && address < base + 0x100000) return base;
    }
    return 0;
  }

  mutable int reads_ = 0;

 private:
  std::map<uint64_t, uint32_t> words_;
  std::vector<std::pair<uint64_t, uint64_t>> writable_;
};

// A stack no decision that can do without it may look at.
class UntouchableStack : public diag::ReturnAddresses {
 public:
  bool Next(uint64_t*) override {
    ADD_FAILURE() << "the stack was walked";
    return false;
  }
};

// The decision with the i686 chain from `frame_pointer`.
bool InvolvesByChain(uint64_t instruction_pointer, uint32_t frame_pointer, uint64_t module,
                     const FakeMemory& memory) {
  diag::FramePointerChain chain(frame_pointer, memory);
  return CrashInvolvesModule(instruction_pointer, chain, module, memory);
}

TEST(FrameWalk, NoModuleMeansEveryCrashCountsWithoutWalking) {
  FakeMemory m;
  UntouchableStack stack;
  EXPECT_TRUE(CrashInvolvesModule(kSystemCode, stack, 0, m));
  EXPECT_TRUE(CrashInvolvesModule(0, stack, 0, m));
}

TEST(FrameWalk, InstructionPointerInTheModuleIsEnoughWithoutAnyFrame) {
  FakeMemory m;
  UntouchableStack stack;
  EXPECT_TRUE(CrashInvolvesModule(kOurCode, stack, kOurs, m));
  EXPECT_TRUE(CrashInvolvesModule(kOurCode64, stack, kOurs64, m));
  EXPECT_TRUE(InvolvesByChain(kOurCode, 0x0012F003, kOurs, m));
}

TEST(FrameWalk, ChainGivesEachReturnAddressInnermostFirstAndThenStaysEnded) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, 0x11111111);
  m.Frame(0x0012F200, 0x0012F300, 0x22222222);
  m.Frame(0x0012F300, 0, 0x33333333);
  diag::FramePointerChain chain(0x0012F100, m);
  std::vector<uint64_t> found;
  for (uint64_t a; chain.Next(&a);) found.push_back(a);
  EXPECT_EQ(found, (std::vector<uint64_t>{0x11111111, 0x22222222, 0x33333333}));
  uint64_t a = 0;
  EXPECT_FALSE(chain.Next(&a));
}

TEST(FrameWalk, ReturnAddressDeeperInTheChainCounts) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0x0012F300, kSystemCode + 8);
  m.Frame(0x0012F300, 0, kOurCode);
  EXPECT_TRUE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, m));
  // The same chain does not involve an unrelated module.
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F100, 0x10000000, m));
}

TEST(FrameWalk, ChainEntirelyInASystemLibraryDoesNotCount) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0, 0);
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, m));
}

TEST(FrameWalk, ChainStopsAtAFrameThatIsNotWritableForEightBytes) {
  FakeMemory m;
  m.Writable(0x00500000, 0x00500004);  // only the saved frame pointer's four bytes
  m.Frame(0x0012F100, 0x00500000, kSystemCode);
  m.Frame(0x00500000, 0x00600000, kOurCode);
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, m));
  // Read-only memory (no range at all) stops it just the same.
  FakeMemory n;
  n.Frame(0x0012F100, 0x00700000, kSystemCode);
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, n));
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x00700000, kOurs, n));
}

TEST(FrameWalk, ChainStopsAtAMisalignedFrame) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F202, kSystemCode);
  m.Frame(0x0012F202, 0, kOurCode);  // readable, but not where a frame can be
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, m));
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F202, kOurs, m));
}

TEST(FrameWalk, ChainStopsWhenTheNextFrameIsNotAboveTheCurrentOne) {
  FakeMemory m;
  m.Frame(0x0012F200, 0x0012F100, kSystemCode);  // points back down
  m.Frame(0x0012F100, 0x0012F300, kOurCode);
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F200, kOurs, m));

  FakeMemory loop;
  loop.Frame(0x0012F200, 0x0012F200, kSystemCode);  // points at itself
  EXPECT_FALSE(InvolvesByChain(kSystemCode, 0x0012F200, kOurs, loop));
  EXPECT_LE(loop.reads_, 2);
}

TEST(FrameWalk, ChainFindsTheModuleInTheLastFrameBeforeItEnds) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0x0012F100, kOurCode);  // its return address is still read
  EXPECT_TRUE(InvolvesByChain(kSystemCode, 0x0012F100, kOurs, m));
}

// An unwinder that follows a script of steps, each to a caller's instruction pointer and stack
// pointer; past the script it keeps going down the same stack into system code.
class ScriptedUnwinder : public diag::FrameUnwinder {
 public:
  struct Step {
    uint64_t return_address;
    uint64_t stack_pointer;
  };
  ScriptedUnwinder(const FakeMemory& memory, uint64_t stack_pointer, std::vector<Step> steps)
      : memory_(memory), stack_pointer_(stack_pointer), steps_(std::move(steps)) {}

  uint64_t StackPointer() const override { return stack_pointer_; }
  bool StepToCaller(uint64_t* return_address) override {
    if (!memory_.IsWritable(stack_pointer_, 8)) ADD_FAILURE() << "stepped from unwritable memory";
    if (failing_) return false;
    const size_t i = steps_taken_++;
    const Step step = i < steps_.size() ? steps_[i] : Step{kSystemCode64, stack_pointer_ + 0x40};
    *return_address = step.return_address;
    stack_pointer_ = step.stack_pointer;
    return true;
  }

  bool failing_ = false;
  size_t steps_taken_ = 0;

 private:
  const FakeMemory& memory_;
  uint64_t stack_pointer_;
  std::vector<Step> steps_;
};

// The x86_64 stack: well above 4 GB, so that a walk cut to 32 bits would find nothing.
constexpr uint64_t kStack = 0x7FF000000000;

class FrameWalkUnwound : public ::testing::Test {
 protected:
  FrameWalkUnwound() { memory_.Writable(kStack, kStack + 0x100000); }

  bool Involves(uint64_t instruction_pointer, std::vector<ScriptedUnwinder::Step> steps,
                uint64_t module = kOurs64) {
    unwinder_ = std::make_unique<ScriptedUnwinder>(memory_, kStack + 0x100, std::move(steps));
    diag::UnwoundStack stack(*unwinder_, memory_);
    return CrashInvolvesModule(instruction_pointer, stack, module, memory_);
  }

  FakeMemory memory_;
  std::unique_ptr<ScriptedUnwinder> unwinder_;
};

TEST_F(FrameWalkUnwound, ReturnAddressDeeperInTheStackCounts) {
  EXPECT_TRUE(Involves(kSystemCode64, {{kSystemCode64 + 8, kStack + 0x140},
                                       {kSystemCode64 + 16, kStack + 0x1A0},
                                       {kOurCode64, kStack + 0x200}}));
  EXPECT_EQ(unwinder_->steps_taken_, 3u);  // and goes no further than it has to
  // The same stack does not involve an unrelated module.
  EXPECT_FALSE(Involves(kSystemCode64,
                        {{kSystemCode64 + 8, kStack + 0x140}, {kOurCode64, kStack + 0x200}},
                        0x10000000));
}

TEST_F(FrameWalkUnwound, CrashAtAddressZeroStillWalksToItsCaller) {
  // A call through a null pointer: the crash is at 0, the caller is on the stack.
  EXPECT_TRUE(Involves(0, {{kOurCode64, kStack + 0x108}}));
}

TEST_F(FrameWalkUnwound, StackEntirelyInASystemLibraryDoesNotCount) {
  EXPECT_FALSE(Involves(kSystemCode64, {{kSystemCode64 + 8, kStack + 0x140}}));
}

TEST_F(FrameWalkUnwound, StopsWhenTheStackPointerLeavesWritableMemory) {
  // The scripted unwinder itself reports any step asked of it from unwritable memory.
  EXPECT_FALSE(Involves(kSystemCode64, {{kSystemCode64 + 8, kStack + 0x100000 - 4},
                                        {kOurCode64, kStack + 0x100008}}));
  EXPECT_EQ(unwinder_->steps_taken_, 1u);
  EXPECT_FALSE(
      Involves(kSystemCode64, {{kSystemCode64 + 8, 0x7FF100000000}, {kOurCode64, 0x7FF100000040}}));
  EXPECT_EQ(unwinder_->steps_taken_, 1u);
}

TEST_F(FrameWalkUnwound, StepThatDoesNotRaiseTheStackPointerIsNotTrusted) {
  EXPECT_FALSE(Involves(kSystemCode64, {{kOurCode64, kStack + 0x100}}));  // stays put
  EXPECT_FALSE(Involves(kSystemCode64, {{kSystemCode64 + 8, kStack + 0x140},
                                        {kOurCode64, kStack + 0x120}}));  // goes back down
}

TEST_F(FrameWalkUnwound, StopsAtAZeroInstructionPointer) {
  EXPECT_FALSE(Involves(kSystemCode64, {{0, kStack + 0x140}, {kOurCode64, kStack + 0x200}}));
  EXPECT_EQ(unwinder_->steps_taken_, 1u);
}

TEST_F(FrameWalkUnwound, StopsWhenTheUnwinderCannotStep) {
  unwinder_ = std::make_unique<ScriptedUnwinder>(
      memory_, kStack + 0x100, std::vector<ScriptedUnwinder::Step>{{kOurCode64, kStack + 0x140}});
  unwinder_->failing_ = true;
  diag::UnwoundStack stack(*unwinder_, memory_);
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode64, stack, kOurs64, memory_));
  uint64_t a = 0;
  EXPECT_FALSE(stack.Next(&a));  // and stays ended
}

TEST_F(FrameWalkUnwound, WalksAtMostTheFrameLimit) {
  // System frames all the way down (the script's continuation), ours only past the limit.
  const int limit = diag::UnwoundStack::kMaxFrames;
  std::vector<ScriptedUnwinder::Step> steps;
  for (int i = 1; i < limit; ++i) steps.push_back({kSystemCode64, kStack + 0x100 + 16u * i});
  steps.push_back({kOurCode64, kStack + 0x100 + 16u * limit});
  EXPECT_TRUE(Involves(kSystemCode64, steps));  // the last frame within the limit counts
  steps.insert(steps.begin(), {kSystemCode64, kStack + 0x108});
  for (size_t i = 1; i < steps.size(); ++i) steps[i].stack_pointer = kStack + 0x108 + 16u * i;
  EXPECT_FALSE(Involves(kSystemCode64, steps));  // one frame further it is not looked at
  EXPECT_EQ(unwinder_->steps_taken_, static_cast<size_t>(limit));
}

}  // namespace
