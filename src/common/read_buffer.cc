#include "common/read_buffer.h"

#include <cstring>

namespace ondrel {

void ReadBuffer::Grow(std::size_t used) {
  const std::size_t grown = capacity_ * 2;
  std::unique_ptr<char[]> larger(new char[grown]);
  std::memcpy(larger.get(), data_.get(), used);
  data_ = std::move(larger);
  capacity_ = grown;
}

}  // namespace ondrel
