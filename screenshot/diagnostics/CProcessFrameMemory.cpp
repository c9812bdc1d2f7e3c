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

const void* Pointer(uint64_t address) {
  return reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
}

// Whether `address` can be a pointer of this process: on i686 the upper half must be clear.
bool Addressable(uint64_t address) { return address <= UINTPTR_MAX; }

}  // namespace

bool CProcessFrameMemory::IsWritable(uint64_t address, uint64_t size) const {
  if (size == 0) return true;
  if (!Addressable(address) || size - 1 > UINTPTR_MAX - address) return false;
  const uint64_t last = address + (size - 1);
  // The range may cross into the next region, which then has to be writable as well.
  uint64_t at = address;
  for (;;) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(Pointer(at), &region, sizeof(region)) == 0) return false;
    if (!IsWritableRegion(region)) return false;
    const uint64_t end =
        uint64_t{reinterpret_cast<uintptr_t>(region.BaseAddress)} + region.RegionSize;
    if (end > last) return true;
    at = end;
  }
}

uint32_t CProcessFrameMemory::ReadWord(uint64_t address) const {
  return *static_cast<const volatile uint32_t*>(Pointer(address));
}

uint64_t CProcessFrameMemory::AllocationBase(uint64_t address) const {
  MEMORY_BASIC_INFORMATION region;
  if (!Addressable(address) || VirtualQuery(Pointer(address), &region, sizeof(region)) == 0 ||
      region.State == MEM_FREE) {
    return 0;
  }
  return reinterpret_cast<uintptr_t>(region.AllocationBase);
}
