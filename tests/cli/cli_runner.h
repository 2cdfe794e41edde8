// Runs the built ondrel-cli as a child process and collects what it did.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"

namespace ondrel::testing {

struct CliRun {
  int status = -1;       // the exit status, or 128 + the signal that ended it
  std::string out;       // standard output
  std::string err;       // standard error (empty when it went to a terminal)
  std::string terminal;  // what reached the pseudo-terminal, when standard error was one
};

struct CliOptions {
  std::vector<std::string> prefix;        // a command that runs ondrel-cli, e.g. setpriv ...
  std::vector<std::string> environment;   // NAME=VALUE settings added to the test's own
  bool errToTerminal = false;             // standard error on a pseudo-terminal
  std::string workingFolder;              // where it runs; the test's own when empty
  std::string program = ONDREL_CLI_PATH;  // the ondrel-cli to run, e.g. a copy
};

// Options for a program whose standard error is a pseudo-terminal, with these settings.
CliOptions OnTerminal(std::vector<std::string> environment);

// Runs ondrel-cli with `arguments`; standard input is /dev/null.
CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options = {});

// Runs the command of `arguments` in this process as ondrel-cli would, reading and writing
// through `files`; both outputs are collected from files, never a terminal.
CliRun RunCommandInProcess(const std::vector<std::string>& arguments, FileSystem& files);

// A pseudo-terminal whose far end a child process writes to.
class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int Child() const { return child_; }  // the terminal end for the child
  // Stops output to the terminal end as Ctrl-S does: a child writing to it then blocks.
  // Returns once the stop has taken effect.
  void StopOutput();
  // Lets output flow again (Ctrl-Q).
  void ResumeOutput();
  // Reads what arrived until no writer is left.
  std::string ReadAll();
  // Closes the child's end in this process, so that ReadAll ends with the child.
  void CloseChildEnd();

 private:
  int master_ = -1;
  int child_ = -1;
};

// Starts ondrel-cli without waiting: standard input /dev/null, standard output to `outFd`,
// standard error to `errFd`. Returns the process id.
int StartCli(const std::vector<std::string>& arguments, const CliOptions& options, int outFd,
             int errFd);
// Waits for a child process; returns its exit status, or 128 + the signal that ended it.
int WaitForExit(int pid);

// Sends child process `pid` the interrupt that Ctrl-C sends; false when it cannot be sent.
bool SendInterrupt(int pid);

// Waits until child process `pid` blocks in a write to its file descriptor `fd`; false when
// it ends first.
bool WaitUntilBlockedWriting(int pid, int fd);

}  // namespace ondrel::testing
