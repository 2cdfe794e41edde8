#include <windows.h>

#include <atomic>

#include "cli/interrupt_as_stop.h"

namespace ondrel::cli {
namespace {

// The console runs the handler on a thread of its own.
std::atomic<bool> interrupted{false};

BOOL WINAPI NoteInterrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

InterruptAsStop::InterruptAsStop() {
  interrupted = false;
  ::SetConsoleCtrlHandler(NoteInterrupt, TRUE);
}

InterruptAsStop::~InterruptAsStop() {
  ::SetConsoleCtrlHandler(NoteInterrupt, FALSE);
  interrupted = false;
}

bool InterruptAsStop::Requested() const {
  return interrupted;
}

}  // namespace ondrel::cli
