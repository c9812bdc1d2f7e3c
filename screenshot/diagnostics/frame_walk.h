// Whether a crash involves a given module: its instruction pointer or a return address on the
// frame-pointer chain of the crashing thread lies in that module.
#pragma once

#include <cstdint>

namespace diag {

// The view of the crashed process's memory the walk needs; addresses are 32-bit as on i686.
class FrameMemory {
 public:
  virtual ~FrameMemory() = default;
  // Whether all of [address, address + size) is committed, writable memory.
  virtual bool IsWritable(uint32_t address, uint32_t size) const = 0;
  // The 32-bit word at `address`; only called after IsWritable said yes for it.
  virtual uint32_t ReadWord(uint32_t address) const = 0;
  // The allocation base of the region holding `address` (a module's handle for its image), 0 when
  // unknown.
  virtual uint32_t AllocationBase(uint32_t address) const = 0;
};

// Follows the chain from `frame_pointer` (each frame: saved frame pointer, then return address)
// and answers whether `instruction_pointer` or any return address belongs to `module_base`. The
// walk stops at a frame that is not writable for 8 bytes, not 4-byte aligned, or not above the
// previous one. A `module_base` of 0 means every crash counts.
bool CrashInvolvesModule(uint32_t instruction_pointer, uint32_t frame_pointer,
                         uint32_t module_base, const FrameMemory& memory);

}  // namespace diag
