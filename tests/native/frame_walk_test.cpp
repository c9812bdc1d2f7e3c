// Whether a crash involves a module: the frame-pointer walk over a modelled stack.
#include "screenshot/diagnostics/frame_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using diag::CrashInvolvesModule;

constexpr uint32_t kOurs = 0x00400000;    // our module: 0x00400000..0x0047FFFF
constexpr uint32_t kSystem = 0x7B600000;  // a system library: 0x7B600000..0x7B6FFFFF
constexpr uint32_t kOurCode = kOurs + 0x1234;
constexpr uint32_t kSystemCode = kSystem + 0x5678;

// A stack of frames, each at a chosen address: [saved frame pointer, return address].
class FakeMemory : public diag::FrameMemory {
 public:
  FakeMemory() { writable_.push_back({0x0012F000, 0x00130000}); }  // the stack

  void Frame(uint32_t at, uint32_t next, uint32_t return_address) {
    words_[at] = next;
    words_[at + 4] = return_address;
  }
  void Writable(uint32_t begin, uint32_t end) { writable_.push_back({begin, end}); }

  bool IsWritable(uint32_t address, uint32_t size) const override {
    for (const auto& r : writable_) {
      if (address >= r.first && uint64_t{address} + size <= r.second) return true;
    }
    return false;
  }
  uint32_t ReadWord(uint32_t address) const override {
    // The walk must not read what it has not checked.
    if (!IsWritable(address, 4)) ADD_FAILURE() << "read of unchecked address " << address;
    if (++reads_ > 1000) {
      ADD_FAILURE() << "the walk does not end";
      return 0;  // a zero frame pointer ends any walk
    }
    auto it = words_.find(address);
    return it == words_.end() ? 0 : it->second;
  }
  uint32_t AllocationBase(uint32_t address) const override {
    if (address >= kOurs && address < kOurs + 0x80000) return kOurs;
    if (address >= kSystem && address < kSystem + 0x100000) return kSystem;
    return 0;
  }

  mutable int reads_ = 0;

 private:
  std::map<uint32_t, uint32_t> words_;
  std::vector<std::pair<uint32_t, uint32_t>> writable_;
};

TEST(FrameWalk, NoModuleMeansEveryCrashCounts) {
  FakeMemory m;
  EXPECT_TRUE(CrashInvolvesModule(kSystemCode, 0, 0, m));
}

TEST(FrameWalk, InstructionPointerInTheModuleIsEnoughWithoutAnyFrame) {
  FakeMemory m;
  EXPECT_TRUE(CrashInvolvesModule(kOurCode, 0, kOurs, m));
  EXPECT_TRUE(CrashInvolvesModule(kOurCode, 0x0012F003, kOurs, m));
}

TEST(FrameWalk, ReturnAddressDeeperInTheChainCounts) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0x0012F300, kSystemCode + 8);
  m.Frame(0x0012F300, 0, kOurCode);
  EXPECT_TRUE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, m));
  // The same chain does not involve an unrelated module.
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F100, 0x10000000, m));
}

TEST(FrameWalk, ChainEntirelyInASystemLibraryDoesNotCount) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0, 0);
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, m));
}

TEST(FrameWalk, StopsAtAFrameThatIsNotWritableForEightBytes) {
  FakeMemory m;
  m.Writable(0x00500000, 0x00500004);  // only the saved frame pointer's four bytes
  m.Frame(0x0012F100, 0x00500000, kSystemCode);
  m.Frame(0x00500000, 0x00600000, kOurCode);
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, m));
  // Read-only memory (no range at all) stops it just the same.
  FakeMemory n;
  n.Frame(0x0012F100, 0x00700000, kSystemCode);
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, n));
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x00700000, kOurs, n));
}

TEST(FrameWalk, StopsAtAMisalignedFrame) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F202, kSystemCode);
  m.Frame(0x0012F202, 0, kOurCode);  // readable, but not where a frame can be
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, m));
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F202, kOurs, m));
}

TEST(FrameWalk, StopsWhenTheNextFrameIsNotAboveTheCurrentOne) {
  FakeMemory m;
  m.Frame(0x0012F200, 0x0012F100, kSystemCode);  // points back down
  m.Frame(0x0012F100, 0x0012F300, kOurCode);
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F200, kOurs, m));

  FakeMemory loop;
  loop.Frame(0x0012F200, 0x0012F200, kSystemCode);  // points at itself
  EXPECT_FALSE(CrashInvolvesModule(kSystemCode, 0x0012F200, kOurs, loop));
  EXPECT_LE(loop.reads_, 2);
}

TEST(FrameWalk, FindsTheModuleInTheLastFrameBeforeTheChainEnds) {
  FakeMemory m;
  m.Frame(0x0012F100, 0x0012F200, kSystemCode);
  m.Frame(0x0012F200, 0x0012F100, kOurCode);  // its return address is still read
  EXPECT_TRUE(CrashInvolvesModule(kSystemCode, 0x0012F100, kOurs, m));
}

}  // namespace
