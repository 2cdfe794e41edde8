// A block buffer that the readers of many files use one after another, so that reading a
// whole tree allocates once. It grows only to hold the longest line read through it.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace ondrel {

class ReadBuffer {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // Throws std::bad_alloc when memory is short.
  explicit ReadBuffer(std::size_t size = kBlockSize);

  char* Data() { return data_.get(); }
  std::size_t Capacity() const { return capacity_; }

  // Doubles the capacity, keeping the bytes held. A large buffer is moved by the system
  // rather than copied, so a line of gigabytes is held once, not twice, while it grows.
  // Throws std::bad_alloc when memory is short; the buffer is then as it was.
  void Grow();

 private:
  struct Release {
    void operator()(char* data) const { std::free(data); }
  };

  std::unique_ptr<char, Release> data_;
  std::size_t capacity_;
};

}  // namespace ondrel
