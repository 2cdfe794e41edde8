// 16- and 32-bit counter arithmetic where going past the range is a failure.
#pragma once

#include <cstdint>
#include <limits>

#include "common/failure.h"

namespace ondrel {

[[noreturn]] inline void ThrowOverflow() {
  throw Failure(kFailureOverflow, "Valore fuori dai limiti");
}

template <typename T>
T CheckedAdd(T a, T b) {
  T result;
  if (__builtin_add_overflow(a, b, &result)) ThrowOverflow();
  return result;
}

template <typename T>
T CheckedSub(T a, T b) {
  T result;
  if (__builtin_sub_overflow(a, b, &result)) ThrowOverflow();
  return result;
}

// Narrows a wider value to T; a value outside T's range is an overflow.
template <typename T, typename Wide>
T CheckedNarrow(Wide value) {
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
    ThrowOverflow();
  return static_cast<T>(value);
}

}  // namespace ondrel
