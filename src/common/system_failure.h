// Inside the platform files only: the system's error numbers (errno on POSIX, GetLastError on
// Windows) turned into the program's failures. Each platform only chooses the program's number
// for a system number; the Italian text is the one of that number.
#pragma once

#include <string_view>

#include "common/failure.h"

namespace ondrel {

// The program's number for the system's error number `system_error`, one map per platform;
// 0, a failure the system gave no number, counts as a failure of the device.
FailureNumber SystemFailureNumber(int system_error);

// The failure that `system_error` stands for, described by the text of its number (with the
// system's own number, for one the program does not know).
Failure SystemFailure(int system_error);

// Throws the failure for `system_error`: the action (in Italian, such as "Impossibile aprire"),
// the path in quotes and the description of its number.
[[noreturn]] void ThrowSystemFailure(int system_error, std::string_view action,
                                     std::string_view path);

}  // namespace ondrel
