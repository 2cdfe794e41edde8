#include <windows.h>

#include "common/memory_budget.h"

namespace ondrel {

// The address space left to the process is what a 32-bit program runs out of first; on a
// 64-bit one it is vast and the physical memory decides.
MemoryFacts SystemMemoryFacts() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  MemoryFacts facts;
  if (!::GlobalMemoryStatusEx(&status)) return facts;
  facts.addressSpaceLeft = status.ullAvailVirtual;
  facts.physicalAvailable = status.ullAvailPhys;
  return facts;
}

}  // namespace ondrel
