#include <sys/mman.h>

#include <cstdint>
#include <new>

#include "common/large_memory.h"

namespace ondrel {
namespace {

// The large page of x86-64 and most arm64 systems. The system backs with large pages only
// whole, aligned ones; anywhere else the advice is simply not followed.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

void* MapAnonymous(std::size_t bytes) {
  void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (data == MAP_FAILED) throw std::bad_alloc();
  return data;
}

}  // namespace

// From an eighth of a large page on, the size is rounded up to whole large pages and the range
// aligned to one: touching a page the first time is costly (on virtual machines most of
// all), and one large page spares 512 such first touches.
LargeMemory::LargeMemory(std::size_t bytes) : size_(bytes) {
  if (bytes == 0) return;
  if (bytes < kLargePage / 8 || bytes > SIZE_MAX - 2 * kLargePage) {
    data_ = MapAnonymous(bytes);
    return;
  }
  size_ = (bytes + kLargePage - 1) / kLargePage * kLargePage;
  // One large page more than needed, then the unaligned ends are given back.
  char* const mapped = static_cast<char*>(MapAnonymous(size_ + kLargePage));
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(mapped);
  char* const aligned = mapped + ((kLargePage - address % kLargePage) % kLargePage);
  if (aligned > mapped) ::munmap(mapped, static_cast<std::size_t>(aligned - mapped));
  char* const tail = aligned + size_;
  const std::size_t tailBytes = static_cast<std::size_t>(mapped + size_ + kLargePage - tail);
  if (tailBytes > 0) ::munmap(tail, tailBytes);
  data_ = aligned;
#ifdef MADV_HUGEPAGE
  ::madvise(data_, size_, MADV_HUGEPAGE);  // only advice: without large pages all still works
#endif
}

void LargeMemory::Release() {
  if (data_ != nullptr) ::munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace ondrel
