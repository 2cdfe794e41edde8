#include "common/temp_names.h"

#include <cstdio>
#include <random>

#include "common/clock.h"
#include "common/environment.h"
#include "common/path_rules.h"
#include "common/paths.h"

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

  const LocalTime now = LocalTimeNow();
  return TempFileNameFrom(now.month, now.day, now.secondsSinceMidnight, fraction(source));
}

}  // namespace ondrel
