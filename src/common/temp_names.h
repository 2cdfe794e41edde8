// The folder and the names of temporary files.
#pragma once

#include <string>
#include <string_view>

namespace ondrel {

// The folder from the "Temp" or else the "Tmp" variable (names matched without regard to
// case), else the platform's fallback; ends with the separator.
std::string TempFolder();

// "~Qz", the month and day as mmdd, the hundredths of seconds since midnight in general
// number format with the system's decimal separator, and three random digits from the
// system's random source.
std::string TempFileName();

// The same name from given parts; `randomFraction` is in [0, 1).
std::string TempFileNameFrom(int month, int day, double secondsSinceMidnight, double randomFraction,
                             std::string_view decimalSeparator);

}  // namespace ondrel
