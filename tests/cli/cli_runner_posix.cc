#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/cli_runner.h"

extern char** environ;

namespace ondrel::testing {
namespace {

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

std::string NameOf(const std::string& setting) {
  return setting.substr(0, setting.find('='));
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& additions) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string setting = *entry;
    bool replaced = false;
    for (const auto& addition : additions) replaced |= NameOf(addition) == NameOf(setting);
    if (!replaced) environment.push_back(setting);
  }
  environment.insert(environment.end(), additions.begin(), additions.end());
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string ReadFromStart(int fd) {
  std::string text;
  char buffer[65536];
  ::lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

// The command that runs ondrel-cli on this machine, if it needs one; words split at spaces.
std::vector<std::string> Emulator() {
  std::istringstream words(ONDREL_CLI_EMULATOR);
  std::vector<std::string> command;
  for (std::string word; words >> word;) command.push_back(word);
  return command;
}

}  // namespace

int StartCli(const std::vector<std::string>& arguments, const CliOptions& options, int outFd,
             int errFd) {
  std::vector<std::string> command = options.prefix;
  const std::vector<std::string> emulator = Emulator();
  command.insert(command.end(), emulator.begin(), emulator.end());
  command.push_back(options.program);
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = ChildEnvironment(options.environment);
  std::vector<char*> argv = Pointers(command);
  std::vector<char*> envp = Pointers(environment);

  const pid_t pid = ::fork();
  Check(pid >= 0, "fork");
  if (pid == 0) {
    const int input = ::open("/dev/null", O_RDONLY);
    if (input < 0 || ::dup2(input, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0)
      ::_exit(126);
    if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) ::_exit(126);
    ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  return pid;
}

int WaitForExit(int pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) Check(errno == EINTR, "waitpid");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

CliOptions OnTerminal(std::vector<std::string> environment) {
  CliOptions options;
  options.environment = std::move(environment);
  options.errToTerminal = true;
  return options;
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Check(out != nullptr && err != nullptr, "tmpfile");
  CliRun run;
  if (options.errToTerminal) {
    PseudoTerminal terminal;
    const int pid = StartCli(arguments, options, ::fileno(out), terminal.Child());
    terminal.CloseChildEnd();
    run.terminal = terminal.ReadAll();
    run.status = WaitForExit(pid);
  } else {
    run.status = WaitForExit(StartCli(arguments, options, ::fileno(out), ::fileno(err)));
  }
  run.out = ReadFromStart(::fileno(out));
  run.err = ReadFromStart(::fileno(err));
  std::fclose(out);
  std::fclose(err);
  return run;
}

PseudoTerminal::PseudoTerminal() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  Check(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0, "posix_openpt");
  child_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
  Check(child_ >= 0, "open pts");
  termios settings{};
  Check(::tcgetattr(child_, &settings) == 0, "tcgetattr");
  settings.c_oflag &= ~OPOST;  // bytes arrive as written; IXON stays for StopOutput
  Check(::tcsetattr(child_, TCSANOW, &settings) == 0, "tcsetattr");
  winsize size{};
  size.ws_col = 80;
  size.ws_row = 24;
  Check(::ioctl(child_, TIOCSWINSZ, &size) == 0, "TIOCSWINSZ");
}

PseudoTerminal::~PseudoTerminal() {
  CloseChildEnd();
  ::close(master_);
}

void PseudoTerminal::CloseChildEnd() {
  if (child_ >= 0) ::close(child_);
  child_ = -1;
}

void PseudoTerminal::StopOutput() {
  Check(::write(master_, "\x13", 1) == 1, "write XOFF");
  // The stop is applied asynchronously; a probe write that would block shows it is.
  const int probe = ::open(::ptsname(master_), O_WRONLY | O_NONBLOCK | O_NOCTTY);
  Check(probe >= 0, "open probe");
  while (::write(probe, "?", 1) == 1) {
    pollfd ready{master_, POLLIN, 0};
    char discard[64];
    if (::poll(&ready, 1, 1000) == 1) Check(::read(master_, discard, sizeof discard) >= 0, "read");
  }
  Check(errno == EAGAIN, "probe write");
  ::close(probe);
}

void PseudoTerminal::ResumeOutput() {
  Check(::write(master_, "\x11", 1) == 1, "write XON");
}

std::string PseudoTerminal::ReadAll() {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return text;  // EIO: every terminal end is closed
    }
  }
}

bool SendInterrupt(int pid) {
  return ::kill(pid, SIGINT) == 0;
}

bool WaitUntilBlockedWriting(int pid, int fd) {
  const std::string process = "/proc/" + std::to_string(pid);
  // An emulated child makes the host's calls, whose numbers are not this build's: there only
  // the descriptor is compared.
  const bool emulated = !Emulator().empty();
  for (;;) {
    std::ifstream call(process + "/syscall");
    long number = -1;
    std::string first;
    if (call >> number >> first && (number == SYS_write || emulated) &&
        std::strtol(first.c_str(), nullptr, 16) == fd)
      return true;
    std::ifstream stat(process + "/stat");
    std::string pidText, name, state;
    if (!(stat >> pidText >> name >> state) || state == "Z") return false;
    ::usleep(1000);
  }
}

}  // namespace ondrel::testing
