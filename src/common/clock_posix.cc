#include <sys/time.h>

#include <ctime>

#include "common/clock.h"

namespace ondrel {

LocalTime LocalTimeNow() {
  timeval now{};
  ::gettimeofday(&now, nullptr);
  std::tm local{};
  const std::time_t seconds = now.tv_sec;
  ::localtime_r(&seconds, &local);
  return LocalTime{local.tm_mon + 1, local.tm_mday,
                   local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                       static_cast<double>(now.tv_usec) / 1e6};
}

std::int64_t SteadyMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace ondrel
