// Whether a crash involves a given module: its instruction pointer or a return address on the
// crashing thread's stack lies in that module.
#pragma once

#include <cstdint>

// The return addresses come from the i686 frame-pointer chain or from a table-driven unwinder
// (x86_64), both bounded against corrupted stacks.
namespace diag {

// The view of the crashed process's memory the walks need. Addresses are 64-bit so that one
// interface serves both architectures; a 32-bit process simply never has the upper half set.
class FrameMemory {
 public:
  virtual ~FrameMemory() = default;
  // Whether all of [address, address + size) is committed, writable memory.
  virtual bool IsWritable(uint64_t address, uint64_t size) const = 0;
  // The 32-bit word at `address`; only called after IsWritable said yes for it.
  virtual uint32_t ReadWord(uint64_t address) const = 0;
  // The allocation base of the region holding `address` (a module's handle for its image), 0 when
  // unknown.
  virtual uint64_t AllocationBase(uint64_t address) const = 0;
};

// The return addresses on the crashing thread's stack, innermost first.
class ReturnAddresses {
 public:
  virtual ~ReturnAddresses() = default;
  // Stores the next return address and answers true, or answers false once the walk has ended;
  // after that it keeps answering false.
  virtual bool Next(uint64_t* return_address) = 0;
};

// The i686 chain of saved frame pointers from `frame_pointer`, each frame holding the caller's
// frame pointer and then the return address (32 bits each). The walk stops at a frame that is not
// writable for 8 bytes or not 4-byte aligned; a frame whose saved frame pointer is not above it
// still gives its return address, and is the last.
class FramePointerChain final : public ReturnAddresses {
 public:
  FramePointerChain(uint32_t frame_pointer, const FrameMemory& memory)
      : frame_(frame_pointer), memory_(memory) {}
  bool Next(uint64_t* return_address) override;

 private:
  uint32_t frame_;
  bool ended_ = false;
  const FrameMemory& memory_;
};

// One step of a table-driven unwinder (x86_64: the unwind data every function has), standing at
// one frame of the crashing thread.
class FrameUnwinder {
 public:
  virtual ~FrameUnwinder() = default;
  // The stack pointer of the frame the unwinder stands at.
  virtual uint64_t StackPointer() const = 0;
  // Moves to the caller of that frame and stores the caller's instruction pointer (the return
  // address); false when no step can be made. Only called while the stack pointer is writable
  // for 8 bytes.
  virtual bool StepToCaller(uint64_t* return_address) = 0;
};

// The return addresses an unwinder finds. Every step has to start from writable memory, move the
// stack pointer up (towards the stack's base) and end at a nonzero instruction pointer; the first
// step that does not ends the walk, and so does the kMaxFrames-th. The crashing frame's own
// instruction pointer may be anything (a call through a null pointer crashes at 0).
class UnwoundStack final : public ReturnAddresses {
 public:
  static constexpr int kMaxFrames = 256;

  UnwoundStack(FrameUnwinder& unwinder, const FrameMemory& memory)
      : unwinder_(unwinder), memory_(memory) {}
  bool Next(uint64_t* return_address) override;

 private:
  FrameUnwinder& unwinder_;
  const FrameMemory& memory_;
  int frames_ = 0;
  bool ended_ = false;
};

// Answers whether `instruction_pointer` or any return address from `stack` belongs to
// `module_base` (the module of an address is its allocation base). A `module_base` of 0 means
// every crash counts, and the stack is not walked at all.
bool CrashInvolvesModule(uint64_t instruction_pointer, ReturnAddresses& stack, uint64_t module_base,
                         const FrameMemory& memory);

}  // namespace diag
