// Whether a crash involves a given module, decided by walking the frame-pointer chain.
#include "screenshot/diagnostics/frame_walk.h"

namespace diag {

bool CrashInvolvesModule(uint32_t instruction_pointer, uint32_t frame_pointer,
                         uint32_t module_base, const FrameMemory& memory) {
  if (module_base == 0) return true;
  if (memory.AllocationBase(instruction_pointer) == module_base) return true;

  uint32_t frame = frame_pointer;
  // Frames only ever move towards the stack's base, so a strictly rising frame pointer also bounds
  // the walk: a corrupted chain that loops ends at the first step that does not rise.
  while (frame % 4 == 0 && memory.IsWritable(frame, 8)) {
    const uint32_t return_address = memory.ReadWord(frame + 4);
    if (memory.AllocationBase(return_address) == module_base) return true;
    const uint32_t next = memory.ReadWord(frame);
    if (next <= frame) break;
    frame = next;
  }
  return false;
}

}  // namespace diag
