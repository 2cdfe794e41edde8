// A block buffer that the readers of many files use one after another, so that reading a
// whole tree allocates once. It grows only to hold the longest line read through it.
#pragma once

#include <cstddef>
#include <memory>

namespace ondrel {

class ReadBuffer {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  explicit ReadBuffer(std::size_t size = kBlockSize)
      : data_(new char[size == 0 ? 1 : size]), capacity_(size == 0 ? 1 : size) {}

  char* Data() { return data_.get(); }
  std::size_t Capacity() const { return capacity_; }

  // Doubles the capacity, keeping the first `used` bytes.
  void Grow(std::size_t used);

 private:
  std::unique_ptr<char[]> data_;
  std::size_t capacity_;
};

}  // namespace ondrel
