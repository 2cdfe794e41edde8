// The progress dialog of duplicate elimination on a console: its title and the gauge's
// picture box share the terminal's progress line, and Ctrl-C is its "Annulla".
#pragma once

#include <string>
#include <string_view>

#include "cli/interrupt_as_stop.h"
#include "cli/terminal_picture_box.h"
#include "common/window_system.h"

namespace ondrel::cli {

class ConsoleWindowSystem;

class ConsoleProgressDialog : public ProgressDialog {
 public:
  static constexpr std::string_view kTitle = "Eliminazione doppi ed ordinamento";

  // Shows the dialog on `owner`'s progress line, `width` columns wide at most.
  ConsoleProgressDialog(ConsoleWindowSystem& owner, int width, bool colours);
  // Unloads it: the line is cleared and Ctrl-C ends the program again.
  ~ConsoleProgressDialog() override;

  PictureBox& Picture() override { return picture_; }
  bool Ferma() const override { return interrupt_.Requested(); }

  // Whether anything changed since the last call; the title never does.
  bool TakeChanged() { return picture_.TakeChanged(); }
  // Appends the dialog as it looks now and returns the columns it takes.
  int Render(std::string& out) const;

 private:
  ConsoleWindowSystem& owner_;
  bool withTitle_;
  TerminalPictureBox picture_;
  InterruptAsStop interrupt_;
};

}  // namespace ondrel::cli
