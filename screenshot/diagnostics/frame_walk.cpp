// Whether a crash involves a given module, decided over the return addresses of the crashing stack.
#include "screenshot/diagnostics/frame_walk.h"

namespace diag {

bool FramePointerChain::Next(uint64_t* return_address) {
  // Frames only ever move towards the stack's base, so a strictly rising frame pointer also bounds
  // the walk: a corrupted chain that loops ends at the first step that does not rise.
  if (ended_ || frame_ % 4 != 0 || !memory_.IsWritable(frame_, 8)) {
    ended_ = true;
    return false;
  }
  *return_address = memory_.ReadWord(uint64_t{frame_} + 4);
  const uint32_t next = memory_.ReadWord(frame_);
  if (next <= frame_) {
    ended_ = true;
  } else {
    frame_ = next;
  }
  return true;
}

bool UnwoundStack::Next(uint64_t* return_address) {
  if (ended_ || frames_ >= kMaxFrames) {
    ended_ = true;
    return false;
  }
  const uint64_t stack_pointer = unwinder_.StackPointer();
  uint64_t caller = 0;
  // A frame that is not on writable memory is not a frame of a stack; what an unwinder would read
  // there is not to be trusted, and may not be readable at all.
  if (!memory_.IsWritable(stack_pointer, 8) || !unwinder_.StepToCaller(&caller) || caller == 0 ||
      unwinder_.StackPointer() <= stack_pointer) {
    ended_ = true;
    return false;
  }
  ++frames_;
  *return_address = caller;
  return true;
}

bool CrashInvolvesModule(uint64_t instruction_pointer, ReturnAddresses& stack, uint64_t module_base,
                         const FrameMemory& memory) {
  if (module_base == 0) return true;
  if (memory.AllocationBase(instruction_pointer) == module_base) return true;
  for (uint64_t return_address; stack.Next(&return_address);) {
    if (memory.AllocationBase(return_address) == module_base) return true;
  }
  return false;
}

}  // namespace diag
