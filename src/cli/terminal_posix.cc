#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cli/terminal_line.h"

namespace ondrel::cli {
namespace {

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int TerminalColumns(int fd) {
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 0;
}

TerminalTraits DetectTerminal(int fd) {
  TerminalTraits traits;
  traits.isTerminal = ::isatty(fd) == 1;
  const char* term = std::getenv("TERM");
  const bool dumb = term == nullptr || *term == '\0' || std::string_view(term) == "dumb";
  traits.clearToEnd = !dumb;
  traits.colours = traits.isTerminal && !dumb && !EnvironmentSet("NO_COLOR");
  if (const int columns = TerminalColumns(fd); columns > 0) traits.columns = columns;
  return traits;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace ondrel::cli
