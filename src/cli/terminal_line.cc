#include "cli/terminal_line.h"

#include <string_view>

namespace ondrel::cli {
namespace {

constexpr std::string_view kClearToEnd = "\x1b[K";

}  // namespace

int TerminalLine::Width() const {
  const int columns = TerminalColumns(fd_);
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
