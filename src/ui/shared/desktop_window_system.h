// The window operations of the core as both desktop toolkits carry them out, and the hooks
// around the main window's work: status captions kept and shown (shortened to fit) at the
// yields that draw, a yield that draws at most every kYieldIntervalMilliseconds or at once
// after a change the user must see, work run aside while the windows answer, and the stop
// that closing the main window asks for. A toolkit supplies only what it alone can do.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/repaint_throttle.h"
#include "common/window_system.h"
#include "ui/shared/view.h"
#include "ui/shared/work_hooks.h"

namespace ondrel::ui {

class Desktop;

// The main window's label that shows `label`.
std::string_view StatusLabelControl(StatusLabel label);

class DesktopWindowSystem : public WindowSystem, public WorkHooks {
 public:
  // Drawing costs more than finding an address; every 20 ms still answers a click within the
  // 50 ms a user notices. bench/desktop.sh, a harvest of 600,000 addresses and an elimination
  // of 2,000,000 lines: Win32 under Wine 0.50 s and 0.80 s (drawing at every yield 327 s and
  // 227 s), Qt 0.28 s and 0.72 s (93 s and 6.1 s).
  static constexpr std::int64_t kYieldIntervalMilliseconds = 20;

  // `main` is the main window, whose status labels show the captions.
  DesktopWindowSystem(View& main, Desktop& desktop,
                      RepaintThrottle::Clock clock = SteadyMilliseconds);

  // Keeps the text; the label shows it at the next yield that draws, or at ApplyCaptions.
  void SetCaption(StatusLabel label, std::string_view text) override;
  // Handles the pending events only when the yield interval has passed since it last did,
  // or when a change must show at once (a new dialog, a new colour of the gauge).
  void Yield() override;
  // Runs `work` on a thread of its own and handles events here until it ends.
  void RunWhileYielding(const std::function<void()>& work) override;
  // A message box owned by the active window; the captions show first.
  void ShowMessage(std::string_view text, int style, std::string_view title = {}) override;
  void SetBusyPointer(bool busy) override;
  // The toolkit's dialog, whose stop request also holds when the main window's close asked
  // for one, and whose gauge shows a new colour at the next yield.
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override;

  void BeforeWork(std::function<void()> start) override { beforeWork_ = std::move(start); }
  void ApplyCaptions() override;
  void RequestStop() override { stopRequested_ = true; }
  void ClearStop() override { stopRequested_ = false; }

  // Tests: how long yields go without drawing.
  void SetYieldInterval(std::int64_t milliseconds);

 protected:
  // Handles every pending event of the program's windows, then returns.
  virtual void HandlePendingEvents() = 0;
  virtual void ShowBusyPointer(bool busy) = 0;
  // Creates FDlgDoppi and shows it without making it modal, without an owner.
  virtual std::unique_ptr<ProgressDialog> OpenProgressDialog() = 0;
  // The window that owns a message box: the active one.
  virtual OwnerHandle MessageOwner() const = 0;

 private:
  class ShownDialog;
  struct PendingCaption {
    std::string text;
    bool changed = false;
  };

  void StartWork();
  void Draw();

  View& main_;
  Desktop& desktop_;
  RepaintThrottle::Clock clock_;
  RepaintThrottle throttle_;
  std::array<PendingCaption, 3> pending_;
  std::function<void()> beforeWork_;
  bool stopRequested_ = false;
};

}  // namespace ondrel::ui
