// One owner for a system resource (a descriptor, a folder listing, a handle, a mapping): moved,
// never copied, and released on every way out. `Traits` gives the resource's type, its
// invalid value and how to release it.
#pragma once

#include <utility>

namespace ondrel {

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value value) : value_(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Value Get() const { return value_; }
  bool Valid() const { return value_ != Traits::Invalid(); }
  // Gives up ownership without releasing.
  Value Release() { return std::exchange(value_, Traits::Invalid()); }
  // Releases what is held, then holds `value`.
  void Reset(Value value = Traits::Invalid()) {
    const Value old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Value value_ = Traits::Invalid();
};

}  // namespace ondrel
