// Ctrl-C as a stop request: while an InterruptAsStop lives, SIGINT, and SIGTERM and SIGHUP
// alike, only raise a flag, so that the work in progress ends the way it chooses.
#pragma once

#include <csignal>
#include <iterator>

namespace ondrel::cli {

class InterruptAsStop {
 public:
  // Installs the handler. The flag is process-wide: the outermost of nested ones starts it
  // clear, inner ones see what arrived before them.
  InterruptAsStop();
  // Restores the handling the signals had before.
  ~InterruptAsStop();
  InterruptAsStop(const InterruptAsStop&) = delete;
  InterruptAsStop& operator=(const InterruptAsStop&) = delete;

  // Whether one of the signals arrived since the handler was installed.
  bool Requested() const;

 private:
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[std::size(kSignals)]{};
};

}  // namespace ondrel::cli
