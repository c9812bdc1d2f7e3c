// CCrashStack: the return addresses on a crashed thread's stack, walked as its architecture allows.
#include "screenshot/diagnostics/CCrashStack.h"

#if defined(__x86_64__)

namespace {

// The general registers in the order unwind data numbers them.
constexpr DWORD64 CONTEXT::*kRegisters[16] = {
    &CONTEXT::Rax, &CONTEXT::Rcx, &CONTEXT::Rdx, &CONTEXT::Rbx, &CONTEXT::Rsp, &CONTEXT::Rbp,
    &CONTEXT::Rsi, &CONTEXT::Rdi, &CONTEXT::R8,  &CONTEXT::R9,  &CONTEXT::R10, &CONTEXT::R11,
    &CONTEXT::R12, &CONTEXT::R13, &CONTEXT::R14, &CONTEXT::R15};

// UNWIND_INFO keeps its flags in the upper five bits of its first byte; a chain of entries that
// goes on longer than any compiler makes is taken for corruption.
constexpr uint8_t kChainInfoFlag = 0x04;
constexpr int kMaxChainLinks = 32;

}  // namespace

CCrashStack::CCrashStack(const CONTEXT& context, const diag::FrameMemory& memory)
    : instruction_pointer_(context.Rip), unwinder_(context, memory), stack_(unwinder_, memory) {}

bool CCrashStack::Next(uint64_t* return_address) { return stack_.Next(return_address); }

bool CCrashStack::CUnwinder::StepToCaller(uint64_t* return_address) {
  DWORD64 image_base = 0;
  PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context_.Rip, &image_base, nullptr);
  if (!function) {
    // A leaf function neither moves the stack pointer nor saves anything, so the return address
    // is the top of the stack; this is also where a call through a bad pointer left it. The walk
    // checked that [Rsp] is writable for 8 bytes.
    const uint64_t low = memory_.ReadWord(context_.Rsp);
    const uint64_t high = memory_.ReadWord(context_.Rsp + 4);
    context_.Rip = low | high << 32;
    context_.Rsp += 8;
  } else {
    if (!FrameRegisterIsSafe(image_base, *function)) return false;
    void* handler_data = nullptr;
    DWORD64 establisher_frame = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, image_base, context_.Rip, function, &context_,
                     &handler_data, &establisher_frame, nullptr);
  }
  *return_address = context_.Rip;
  return true;
}

// RtlVirtualUnwind trusts the frame register of a function that has one: with a corrupted stack
// it may hold anything, and reading through it inside the crash filter would fault a second time.
// So a frame whose frame register (less its offset) is not writable memory is not unwound. Inside
// its own prolog a function has either not set that register yet (and the unwinder does not use
// it) or just set it from Rsp, so the crashing frame's prolog is not held against it.
bool CCrashStack::CUnwinder::FrameRegisterIsSafe(uint64_t image_base,
                                                 const RUNTIME_FUNCTION& function) const {
  const uint64_t offset = context_.Rip - image_base - function.BeginAddress;
  const RUNTIME_FUNCTION* entry = &function;
  for (int link = 0; link < kMaxChainLinks; ++link) {
    const uint8_t* info = reinterpret_cast<const uint8_t*>(image_base + entry->UnwindData);
    const uint8_t prolog_size = info[1], code_count = info[2];
    const uint8_t frame_register = info[3] & 0x0F, frame_offset = info[3] >> 4;
    const bool in_prolog = link == 0 && offset < prolog_size;
    if (frame_register != 0 && !in_prolog) {
      const uint64_t frame = context_.*kRegisters[frame_register] - 16u * frame_offset;
      if (!memory_.IsWritable(frame, 8)) return false;
    }
    if (!((info[0] >> 3) & kChainInfoFlag)) return true;
    // The chained entry follows the unwind codes, whose count is rounded up to an even number.
    entry = reinterpret_cast<const RUNTIME_FUNCTION*>(info + 4 + 2 * ((code_count + 1u) & ~1u));
  }
  return false;
}

#else

CCrashStack::CCrashStack(const CONTEXT& context, const diag::FrameMemory& memory)
    : instruction_pointer_(context.Eip), chain_(context.Ebp, memory) {}

bool CCrashStack::Next(uint64_t* return_address) { return chain_.Next(return_address); }

#endif
