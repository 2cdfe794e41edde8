#include <sys/mman.h>

#include <new>

#include "common/large_memory.h"

namespace ondrel {

LargeMemory::LargeMemory(std::size_t bytes) : size_(bytes) {
  if (bytes == 0) return;
  void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (data == MAP_FAILED) throw std::bad_alloc();
  data_ = data;
#ifdef MADV_HUGEPAGE
  ::madvise(data_, bytes, MADV_HUGEPAGE);  // only advice: without large pages all still works
#endif
}

LargeMemory& LargeMemory::operator=(LargeMemory&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

LargeMemory::~LargeMemory() {
  Release();
}

void LargeMemory::Release() {
  if (data_ != nullptr) ::munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace ondrel
