#include <csignal>
#include <iterator>

#include "cli/interrupt_as_stop.h"

namespace ondrel::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t interrupted = 0;
int depth = 0;  // how many live; only the outermost starts and ends with a clear flag
struct sigaction previous[std::size(kSignals)]{};  // the handling before the outermost

void NoteInterrupt(int) {
  interrupted = 1;
}

}  // namespace

// Only the outermost installs the handler and puts the earlier handling back; a stop
// requested while an outer one lives (a command waiting for its dialog) stays.
InterruptAsStop::InterruptAsStop() {
  if (depth++ > 0) return;
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  // Reads and writes in progress resume: the stop is noticed at the next progress step.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &action, &previous[i]);
}

InterruptAsStop::~InterruptAsStop() {
  if (--depth > 0) return;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &previous[i], nullptr);
  interrupted = 0;
}

bool InterruptAsStop::Requested() const {
  return interrupted != 0;
}

}  // namespace ondrel::cli
