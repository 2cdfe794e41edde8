// Memory for buffers of up to hundreds of megabytes that are filled whole: taken straight
// from the system, which hands it out zeroed (no second zero-fill), backed by large pages
// where the system offers them (touching memory the first time costs a page fault per page),
// and returned whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

namespace ondrel {

class LargeMemory {
 public:
  LargeMemory() = default;
  // Throws std::bad_alloc when the system has no room.
  explicit LargeMemory(std::size_t bytes);
  LargeMemory(LargeMemory&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  LargeMemory& operator=(LargeMemory&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  LargeMemory(const LargeMemory&) = delete;
  LargeMemory& operator=(const LargeMemory&) = delete;
  ~LargeMemory() { Release(); }

  void* Data() const { return data_; }

  // `count` items of `each` bytes, plus `extra` bytes; throws std::bad_alloc when that is more
  // than the address space holds (a 32-bit program's, above all).
  static std::size_t BytesFor(std::uint64_t count, std::size_t each, std::uint64_t extra = 0) {
    if (each != 0 && count > (SIZE_MAX - extra) / each) throw std::bad_alloc();
    return static_cast<std::size_t>(count * each + extra);
  }

 private:
  void Release();

  void* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace ondrel
