// ondrel-cli: the console program.
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/console_window_system.h"
#include "common/environment.h"

int main(int argc, char** argv) {
  using namespace ondrel::cli;
  const std::vector<std::string> arguments = ondrel::ProgramArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  const auto parsed = ParseArguments(std::span<const char* const>(pointers));
  if (const auto* error = std::get_if<UsageError>(&parsed))
    return ReportUsageError(*error, kStandardError);
  ConsoleWindowSystem console(kStandardOutput, kStandardError, DetectTerminal(kStandardError));
  return RunCommand(std::get<Arguments>(parsed), console);
}
