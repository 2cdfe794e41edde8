#include "common/temp_names.h"

#include <charconv>
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

std::string TempFileNameFrom(int month, int day, double secondsSinceMidnight, double randomFraction,
                             std::string_view decimalSeparator) {
  // Hundredths of seconds as a single-precision value, at most seven significant digits,
  // written whatever the C library's locale and given the separator afterwards.
  const float hundredths = static_cast<float>(secondsSinceMidnight * 100.0);
  char digits[32];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, static_cast<double>(hundredths),
                    std::chars_format::general, 7);
  std::string time_text(digits, written.ptr);
  if (const auto point = time_text.find('.'); point != std::string::npos)
    time_text.replace(point, 1, decimalSeparator);
  const int random_part = static_cast<int>(randomFraction * 999.0);
  char date_text[8], random_text[8];
  std::snprintf(date_text, sizeof date_text, "%02d%02d", month, day);
  std::snprintf(random_text, sizeof random_text, "%03d", random_part);
  return "~Qz" + std::string(date_text) + time_text + random_text;
}

std::string TempFileName() {
  // Drawn from the system's random source: a sequence that started alike in every run would
  // let another user of a shared temporary folder take the names before the run does.
  static std::random_device source;
  std::uniform_real_distribution<double> fraction(0.0, 1.0);

  const LocalTime now = LocalTimeNow();
  return TempFileNameFrom(now.month, now.day, now.secondsSinceMidnight, fraction(source),
                          DecimalSeparator());
}

}  // namespace ondrel
