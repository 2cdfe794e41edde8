#include <windows.h>

#include "common/clock.h"

namespace ondrel {

LocalTime LocalTimeNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return LocalTime{
      now.wMonth, now.wDay,
      now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0};
}

std::int64_t SteadyMilliseconds() {
  return static_cast<std::int64_t>(::GetTickCount64());
}

}  // namespace ondrel
