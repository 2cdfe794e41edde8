#include "cli/terminal_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace ondrel::cli {
namespace {

constexpr std::string_view kClearToEnd = "\x1b[K";

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

int WindowColumns(int fd) {
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 0;
}

}  // namespace

TerminalTraits DetectTerminal(int fd) {
  TerminalTraits traits;
  traits.isTerminal = ::isatty(fd) == 1;
  const char* term = std::getenv("TERM");
  const bool dumb = term == nullptr || *term == '\0' || std::string_view(term) == "dumb";
  traits.clearToEnd = !dumb;
  traits.colours = traits.isTerminal && !dumb && !EnvironmentSet("NO_COLOR");
  if (const int columns = WindowColumns(fd); columns > 0) traits.columns = columns;
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

int TerminalLine::Width() const {
  const int columns = WindowColumns(fd_);
  return (columns > 0 ? columns : traits_.columns) - 1;
}

void TerminalLine::Show(std::string_view text, int columns) {
  if (!Enabled()) return;
  buffer_.clear();
  buffer_ += '\r';
  buffer_.append(text);
  if (traits_.clearToEnd)
    buffer_.append(kClearToEnd);
  else if (shownColumns_ > columns)
    buffer_.append(static_cast<std::size_t>(shownColumns_ - columns), ' ');
  WriteAll(fd_, buffer_);
  shown_ = true;
  shownColumns_ = columns;
}

void TerminalLine::Clear() {
  if (!shown_) return;
  buffer_.clear();
  buffer_ += '\r';
  if (traits_.clearToEnd) {
    buffer_.append(kClearToEnd);
  } else {
    buffer_.append(static_cast<std::size_t>(shownColumns_), ' ');
    buffer_.append("\r");
  }
  WriteAll(fd_, buffer_);
  shown_ = false;
  shownColumns_ = 0;
}

}  // namespace ondrel::cli
