// The console program's commands over the core operations, with their exit statuses.
#pragma once

#include "cli/arguments.h"
#include "cli/console_window_system.h"

namespace ondrel::cli {

// kExitIncomplete: the run ended, but some files could not be read and their addresses
// are missing.
enum ExitStatus : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitIncomplete = 3 };

// Runs one parsed command line; results go to standard output, everything else to
// standard error through `console`.
int RunCommand(const Arguments& arguments, ConsoleWindowSystem& console);

// Writes the reason and the short usage text to `errFd`; returns kExitUsage.
int ReportUsageError(const UsageError& error, int errFd);

}  // namespace ondrel::cli
