#include <span>

#include "cli/arguments.h"
#include "cli/cli_runner.h"
#include "cli/commands.h"
#include "cli/console_window_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel::testing {

CliRun RunCommandInProcess(const std::vector<std::string>& arguments, FileSystem& files) {
  ScratchFolder outputs;
  const std::string out = outputs / "out", err = outputs / "err";
  const int outFd = CreateDescriptorFile(out), errFd = CreateDescriptorFile(err);
  CliRun run;
  if (outFd >= 0 && errFd >= 0) {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    const auto parsed = cli::ParseArguments(std::span<const char* const>(pointers));
    if (const auto* error = std::get_if<cli::UsageError>(&parsed)) {
      run.status = cli::ReportUsageError(*error, errFd);
    } else {
      cli::ConsoleWindowSystem console(outFd, errFd, cli::TerminalTraits{});
      run.status = cli::RunCommand(std::get<cli::Arguments>(parsed), console, files);
    }
  }
  if (outFd >= 0) CloseDescriptor(outFd);
  if (errFd >= 0) CloseDescriptor(errFd);
  run.out = ScratchFolder::Read(out);
  run.err = ScratchFolder::Read(err);
  return run;
}

}  // namespace ondrel::testing
