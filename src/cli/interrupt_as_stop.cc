#include "cli/interrupt_as_stop.h"

namespace ondrel::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
int depth = 0;  // how many live; only the outermost starts and ends with a clear flag

void NoteInterrupt(int) {
  interrupted = 1;
}

}  // namespace

InterruptAsStop::InterruptAsStop() {
  // A stop requested while an outer one lives (a command waiting for its dialog) stays.
  if (depth++ == 0) interrupted = 0;
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  // Reads and writes in progress resume: the stop is noticed at the next progress step.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &action, &previous_[i]);
}

InterruptAsStop::~InterruptAsStop() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &previous_[i], nullptr);
  if (--depth == 0) interrupted = 0;
}

bool InterruptAsStop::Requested() const {
  return interrupted != 0;
}

}  // namespace ondrel::cli
