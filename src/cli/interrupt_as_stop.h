// Ctrl-C as a stop request: while an InterruptAsStop lives, Ctrl-C only raises a flag, so that
// the work in progress ends the way it chooses. POSIX: SIGINT, and SIGTERM and SIGHUP alike;
// Windows: the console control handler (Ctrl-C and Ctrl-Break).
#pragma once

namespace ondrel::cli {

class InterruptAsStop {
 public:
  // Installs the handler. The flag is process-wide: the outermost of nested ones starts it
  // clear, inner ones see what arrived before them.
  InterruptAsStop();
  // Restores the handling there was before.
  ~InterruptAsStop();
  InterruptAsStop(const InterruptAsStop&) = delete;
  InterruptAsStop& operator=(const InterruptAsStop&) = delete;

  // Whether a stop arrived since the handler was installed.
  bool Requested() const;
};

}  // namespace ondrel::cli
