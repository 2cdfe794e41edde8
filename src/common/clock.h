// The two clocks the program reads: the local date and time of day, and a steady count of
// milliseconds for throttling repaints.
#pragma once

#include <cstdint>

namespace ondrel {

struct LocalTime {
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  double secondsSinceMidnight = 0;
};

LocalTime LocalTimeNow();

// Milliseconds from an arbitrary start; never goes back. Coarse (a few milliseconds) and cheap.
std::int64_t SteadyMilliseconds();

}  // namespace ondrel
