// The console program's commands over the core operations, with their exit statuses.
#pragma once

#include "cli/arguments.h"
#include "cli/console_window_system.h"
#include "common/file_system.h"

namespace ondrel::cli {

// kExitIncomplete: the run ended, but some files could not be read and their addresses
// are missing.
enum ExitStatus : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitIncomplete = 3 };

// Runs one parsed command line; results go to standard output, everything else to
// standard error through `console`. The lists are read and written through `files`.
int RunCommand(const Arguments& arguments, ConsoleWindowSystem& console,
               FileSystem& files = SystemFileSystem());

// Writes the reason and the short usage text to `errFd`; returns kExitUsage.
int ReportUsageError(const UsageError& error, int errFd);

}  // namespace ondrel::cli
