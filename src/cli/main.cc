// ondrel-cli: the console program.
#include <unistd.h>

#include <span>
#include <variant>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/console_window_system.h"

int main(int argc, char** argv) {
  using namespace ondrel::cli;
  const auto parsed = ParseArguments(std::span<const char* const>(argv + 1, argc - 1));
  if (const auto* error = std::get_if<UsageError>(&parsed))
    return ReportUsageError(*error, STDERR_FILENO);
  ConsoleWindowSystem console(STDOUT_FILENO, STDERR_FILENO, DetectTerminal(STDERR_FILENO));
  return RunCommand(std::get<Arguments>(parsed), console);
}
