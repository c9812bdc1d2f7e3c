// CProcessFrameMemory: the frame walk's view of this process's own memory, through VirtualQuery.
#pragma once

#include "screenshot/diagnostics/frame_walk.h"

class CProcessFrameMemory : public diag::FrameMemory {
 public:
  bool IsWritable(uint32_t address, uint32_t size) const override;
  uint32_t ReadWord(uint32_t address) const override;
  uint32_t AllocationBase(uint32_t address) const override;
};
