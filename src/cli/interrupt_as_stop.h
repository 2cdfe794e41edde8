// Ctrl-C as a stop request: while an InterruptAsStop lives, SIGINT only raises a flag.
#pragma once

#include <csignal>

namespace ondrel::cli {

class InterruptAsStop {
 public:
  // Installs the handler with a clear flag. One at a time: the flag is process-wide.
  InterruptAsStop();
  // Restores the handling SIGINT had before.
  ~InterruptAsStop();
  InterruptAsStop(const InterruptAsStop&) = delete;
  InterruptAsStop& operator=(const InterruptAsStop&) = delete;

  // Whether SIGINT arrived since the handler was installed.
  bool Requested() const;

 private:
  struct sigaction previous_ {};
};

}  // namespace ondrel::cli
