#include <csignal>

#include "cli/interrupt_as_stop.h"

namespace ondrel::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
struct sigaction previous {};

void NoteInterrupt(int) {
  interrupted = 1;
}

}  // namespace

InterruptAsStop::InterruptAsStop() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  // Reads and writes in progress resume: the stop is noticed at the next progress step.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &previous);
}

InterruptAsStop::~InterruptAsStop() {
  sigaction(SIGINT, &previous, nullptr);
  interrupted = 0;
}

bool InterruptAsStop::Requested() const {
  return interrupted != 0;
}

}  // namespace ondrel::cli
