// Ctrl-C as a stop request: while an InterruptAsStop lives, Ctrl-C only raises a flag (SIGINT
// on POSIX, the console control handler on Windows).
#pragma once

namespace ondrel::cli {

class InterruptAsStop {
 public:
  // Installs the handler with a clear flag. One at a time: the flag is process-wide.
  InterruptAsStop();
  // Restores the handling Ctrl-C had before.
  ~InterruptAsStop();
  InterruptAsStop(const InterruptAsStop&) = delete;
  InterruptAsStop& operator=(const InterruptAsStop&) = delete;

  // Whether Ctrl-C arrived since the handler was installed.
  bool Requested() const;
};

}  // namespace ondrel::cli
