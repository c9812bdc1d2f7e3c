// CProcessFrameMemory: the frame walk's view of this process's own memory, through VirtualQuery.
#pragma once

#include "screenshot/diagnostics/frame_walk.h"

class CProcessFrameMemory : public diag::FrameMemory {
 public:
  // Ranges that do not fit in this process's address space (or wrap around it) are not writable.
  bool IsWritable(uint64_t address, uint64_t size) const override;
  uint32_t ReadWord(uint64_t address) const override;
  uint64_t AllocationBase(uint64_t address) const override;
};
