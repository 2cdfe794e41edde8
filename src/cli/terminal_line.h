// The one line of a terminal that progress is drawn on, replaced in place each time.
#pragma once

#include <string>
#include <string_view>

namespace ondrel::cli {

// What the standard error stream can show.
struct TerminalTraits {
  bool isTerminal = false;  // no progress at all otherwise
  bool colours = false;     // ANSI colours: a terminal that has them, and NO_COLOR not set
  bool clearToEnd = false;  // understands "clear to end of line"
  int columns = 80;         // the width when the terminal does not tell it
};

// The traits of the terminal on `fd`, from isatty, TERM, NO_COLOR and its window size.
TerminalTraits DetectTerminal(int fd);

// Writes all of `text` to `fd`, resuming after interruptions; false when that fails.
bool WriteAll(int fd, std::string_view text);

class TerminalLine {
 public:
  TerminalLine(int fd, TerminalTraits traits) : fd_(fd), traits_(traits) {}

  bool Enabled() const { return traits_.isTerminal; }
  bool Colours() const { return traits_.colours; }
  // The columns a line may fill without wrapping (the last one stays free).
  int Width() const;

  // Replaces the line with `text`, which takes `columns` columns. Nothing when not enabled.
  void Show(std::string_view text, int columns);
  // Blanks the line and returns the cursor to its start, if anything was shown.
  void Clear();

 private:
  int fd_;
  TerminalTraits traits_;
  int shownColumns_ = 0;
  bool shown_ = false;
  std::string buffer_;
};

}  // namespace ondrel::cli
