// Conversion of a double to an integer the way every rounded figure of the program is made:
// to the nearest integer, halves to the even neighbour (12.5 gives 12, 37.5 gives 38).
#pragma once

#include <cstdint>

namespace ondrel {

// `value` must lie within the range of std::int64_t. Independent of the floating-point
// rounding mode, and cheap enough for a call per line.
inline std::int64_t RoundHalfEven(double value) {
  std::int64_t whole = static_cast<std::int64_t>(value);       // towards zero
  const double fraction = value - static_cast<double>(whole);  // exact, in (-1, 1)
  const bool odd = (whole & 1) != 0;
  if (fraction > 0.5 || (fraction == 0.5 && odd)) {
    ++whole;
  } else if (fraction < -0.5 || (fraction == -0.5 && odd)) {
    --whole;
  }
  return whole;
}

}  // namespace ondrel
