// CCrashStack: the return addresses on a crashed thread's stack, walked as its architecture allows.
#pragma once

#include <windows.h>

#include "screenshot/diagnostics/frame_walk.h"

// i686 follows the chain of saved frame pointers from Ebp. x86_64 code keeps no such chain, but
// every function there has unwind data: the stack is unwound from a copy of the crash CONTEXT
// with RtlLookupFunctionEntry and RtlVirtualUnwind, a frame without a function entry counting as
// a leaf (its return address is at [Rsp]).
class CCrashStack : public diag::ReturnAddresses {
 public:
  // Copies `context`; `memory` is kept and must outlive the walk.
  CCrashStack(const CONTEXT& context, const diag::FrameMemory& memory);
  CCrashStack(const CCrashStack&) = delete;
  CCrashStack& operator=(const CCrashStack&) = delete;

  // Where the crashing thread was (the crash context's instruction pointer).
  uint64_t InstructionPointer() const { return instruction_pointer_; }
  bool Next(uint64_t* return_address) override;

 private:
  uint64_t instruction_pointer_;
#if defined(__x86_64__)
  class CUnwinder : public diag::FrameUnwinder {
   public:
    CUnwinder(const CONTEXT& context, const diag::FrameMemory& memory)
        : context_(context), memory_(memory) {}
    uint64_t StackPointer() const override { return context_.Rsp; }
    bool StepToCaller(uint64_t* return_address) override;

   private:
    bool FrameRegisterIsSafe(uint64_t image_base, const RUNTIME_FUNCTION& function) const;

    CONTEXT context_;
    const diag::FrameMemory& memory_;
  };
  CUnwinder unwinder_;
  diag::UnwoundStack stack_;
#else
  diag::FramePointerChain chain_;
#endif
};
