#include <windows.h>

#include <atomic>

#include "cli/interrupt_as_stop.h"

namespace ondrel::cli {
namespace {

// The console runs the handler on a thread of its own.
std::atomic<bool> interrupted{false};
int depth = 0;  // how many live; only the outermost starts and ends with a clear flag

BOOL WINAPI NoteInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

InterruptAsStop::InterruptAsStop() {
  // A stop requested while an outer one lives (a command waiting for its dialog) stays.
  if (depth++ == 0) {
    interrupted = false;
    ::SetConsoleCtrlHandler(NoteInterrupt, TRUE);
  }
}

InterruptAsStop::~InterruptAsStop() {
  if (--depth == 0) {
    ::SetConsoleCtrlHandler(NoteInterrupt, FALSE);
    interrupted = false;
  }
}

bool InterruptAsStop::Requested() const {
  return interrupted;
}

}  // namespace ondrel::cli
