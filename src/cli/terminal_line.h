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

// The program's standard streams, as descriptors of the C library on every platform.
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// The traits of the terminal on `fd`: on POSIX from isatty, TERM, NO_COLOR and its window
// size; on Windows a console that has (or can be given) virtual-terminal processing, so that a
// console without it shows no progress at all.
TerminalTraits DetectTerminal(int fd);

// The width of the terminal on `fd` now; 0 when it does not tell.
int TerminalColumns(int fd);

// Writes all of `text` (the program's UTF-8) to `fd`, resuming after interruptions; false when
// that fails. A Windows console is given the text as UTF-16, so that accented letters show
// whatever its code page.
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
