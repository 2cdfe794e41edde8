// The WindowSystem of the console program: status captions become one progress line on a
// terminal's standard error, messages go to standard error, results to standard output.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "cli/interrupt_as_stop.h"
#include "cli/terminal_line.h"
#include "common/clock.h"
#include "common/repaint_throttle.h"
#include "common/window_system.h"

namespace ondrel::cli {

class ConsoleProgressDialog;

class ConsoleWindowSystem : public WindowSystem {
 public:
  // Writes results to `outFd` and everything else to `errFd`, whose terminal traits say
  // whether and how progress is drawn.
  ConsoleWindowSystem(int outFd, int errFd, TerminalTraits errTraits,
                      RepaintThrottle::Clock clock = SteadyMilliseconds);
  ~ConsoleWindowSystem() override;
  ConsoleWindowSystem(const ConsoleWindowSystem&) = delete;
  ConsoleWindowSystem& operator=(const ConsoleWindowSystem&) = delete;

  // Only stores the text: the line shows it at the next repaint.
  void SetCaption(StatusLabel label, std::string_view text) override;
  // Repaints the progress line when something changed and the last repaint is old enough.
  void Yield() override;
  // Writes "title: text" to standard error; a console box needs no answer.
  void ShowMessage(std::string_view text, int style, std::string_view title = {}) override;
  // A console has no pointer.
  void SetBusyPointer(bool) override {}
  // Exits at once with status 1.
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override;
  ProgramFacts Facts() const override { return facts_; }

  const std::string& Caption(StatusLabel label) const;
  // Writes `line` and a line end to standard output, after clearing the progress line.
  // False when it could not be written.
  bool PrintResult(std::string_view line);

  // While `interrupt` is given (and no progress dialog is shown), a yield after one of its
  // signals throws StopRequest; nullptr ends that.
  void StopOnInterrupt(const InterruptAsStop* interrupt) { stopOn_ = interrupt; }

 private:
  friend class ConsoleProgressDialog;
  void AttachDialog(ConsoleProgressDialog& dialog);
  void DetachDialog();
  void Repaint();

  int outFd_;
  int errFd_;
  TerminalLine line_;
  RepaintThrottle throttle_;
  ProgramFacts facts_;
  std::array<std::string, 3> captions_;
  const InterruptAsStop* stopOn_ = nullptr;
  bool lineStale_ = false;  // the line does not show the latest captions
  ConsoleProgressDialog* dialog_ = nullptr;
  std::string repaintText_;
};

}  // namespace ondrel::cli
