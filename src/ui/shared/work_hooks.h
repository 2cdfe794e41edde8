// What a front end's window system does around one run or elimination of the main window,
// beyond the core's window operations.
#pragma once

#include <functional>

namespace ondrel::ui {

class WorkHooks {
 public:
  virtual ~WorkHooks() = default;
  // Runs `start` once, just before the work begins: at its first yield, busy pointer or
  // progress dialog, so after the checks that may refuse it. An empty function clears it.
  virtual void BeforeWork(std::function<void()> start) = 0;
  // Shows every stored status caption now.
  virtual void ApplyCaptions() = 0;
  // Presses "Annulla" of the progress dialog on show and of every one shown until ClearStop.
  virtual void RequestStop() = 0;
  virtual void ClearStop() = 0;
};

}  // namespace ondrel::ui
