#include <windows.h>

#include <new>

#include "common/large_memory.h"

namespace ondrel {

// Committed pages come zeroed. Large pages need a privilege that ordinary users lack, so the
// system's ordinary pages back the range.
LargeMemory::LargeMemory(std::size_t bytes) : size_(bytes) {
  if (bytes == 0) return;
  data_ = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (data_ == nullptr) throw std::bad_alloc();
}

void LargeMemory::Release() {
  if (data_ != nullptr) ::VirtualFree(data_, 0, MEM_RELEASE);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace ondrel
