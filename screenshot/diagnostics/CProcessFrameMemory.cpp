// CProcessFrameMemory: the frame walk's view of this process's own memory, through VirtualQuery.
#include "screenshot/diagnostics/CProcessFrameMemory.h"

#include <windows.h>

namespace {

bool IsWritableRegion(const MEMORY_BASIC_INFORMATION& region) {
  if (region.State != MEM_COMMIT) return false;
  if (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
  return (region.Protect &
          (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

}  // namespace

bool CProcessFrameMemory::IsWritable(uint32_t address, uint32_t size) const {
  if (size == 0) return true;
  const uint64_t end = static_cast<uint64_t>(address) + size;
  if (end > 0x100000000ull) return false;
  // The range may cross into the next region, which then has to be writable as well.
  uint64_t at = address;
  while (at < end) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(reinterpret_cast<const void*>(static_cast<uintptr_t>(at)), &region,
                     sizeof(region)) == 0) {
      return false;
    }
    if (!IsWritableRegion(region)) return false;
    at = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return true;
}

uint32_t CProcessFrameMemory::ReadWord(uint32_t address) const {
  return *reinterpret_cast<const volatile uint32_t*>(static_cast<uintptr_t>(address));
}

uint32_t CProcessFrameMemory::AllocationBase(uint32_t address) const {
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQuery(reinterpret_cast<const void*>(static_cast<uintptr_t>(address)), &region,
                   sizeof(region)) == 0 ||
      region.State == MEM_FREE) {
    return 0;
  }
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(region.AllocationBase));
}
