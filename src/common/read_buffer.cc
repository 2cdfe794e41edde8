#include "common/read_buffer.h"

#include <new>

namespace ondrel {

ReadBuffer::ReadBuffer(std::size_t size)
    : data_(static_cast<char*>(std::malloc(size == 0 ? 1 : size))),
      capacity_(size == 0 ? 1 : size) {
  if (!data_) throw std::bad_alloc();
}

void ReadBuffer::Grow() {
  const std::size_t grown = capacity_ * 2;
  char* const larger = static_cast<char*>(std::realloc(data_.get(), grown));
  if (larger == nullptr) throw std::bad_alloc();
  static_cast<void>(data_.release());
  data_.reset(larger);
  capacity_ = grown;
}

}  // namespace ondrel
