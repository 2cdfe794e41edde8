#include "common/temp_names.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>
#include <random>

#include "common/paths.h"
#include "common/platform.h"

namespace ondrel {

std::string TempFolder() {
  auto value = EnvironmentValueIgnoringCase("Temp");
  if (!value || value->empty()) value = EnvironmentValueIgnoringCase("Tmp");
  if (!value || value->empty()) return FallbackTempFolder();
  return AddBackslash(*value);
}

std::string TempFileNameFrom(int month, int day, double secondsSinceMidnight,
                             double randomFraction) {
  // Hundredths of seconds as a single-precision value, at most seven significant digits.
  const float hundredths = static_cast<float>(secondsSinceMidnight * 100.0);
  char time_text[32];
  std::snprintf(time_text, sizeof time_text, "%.7g", static_cast<double>(hundredths));
  const int random_part = static_cast<int>(randomFraction * 999.0);
  char name[64];
  std::snprintf(name, sizeof name, "~Qz%02d%02d%s%03d", month, day, time_text, random_part);
  return name;
}

std::string TempFileName() {
  // Drawn from the system's random source: a sequence that started alike in every run would
  // let another user of a shared temporary folder take the names before the run does.
  static std::random_device source;
  std::uniform_real_distribution<double> fraction(0.0, 1.0);

  timeval now{};
  ::gettimeofday(&now, nullptr);
  std::tm local{};
  const std::time_t seconds = now.tv_sec;
  ::localtime_r(&seconds, &local);
  const double since_midnight =
      local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_usec / 1e6;
  return TempFileNameFrom(local.tm_mon + 1, local.tm_mday, since_midnight, fraction(source));
}

}  // namespace ondrel
