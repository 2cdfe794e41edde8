// The window operations of the core, carried out by the Qt windows: status labels of the
// main window, a yield that keeps drawing cheap, modal messages, the busy pointer, the
// progress dialog and the program facts.
#pragma once

#include <QPointer>
#include <array>
#include <chrono>
#include <functional>
#include <string>

#include "common/window_system.h"
#include "ui/shared/work_hooks.h"

class QLabel;
class QWidget;

namespace ondrel::ui {

class Desktop;
class FDlgDoppi;

class QtWindowSystem : public WindowSystem, public WorkHooks {
 public:
  // `labels` are lblProc, lblRes and lblMail, in the order of StatusLabel.
  QtWindowSystem(Desktop& desktop, std::array<QLabel*, 3> labels);

  // Stores the text; the label shows it at the next yield that draws, or at ApplyCaptions.
  void SetCaption(StatusLabel label, std::string_view text) override;
  // Draws and handles pending events only when the yield interval has passed since it last did,
  // so a run that finds many addresses is not slowed by drawing them all, while a click
  // still gets an answer within a few hundredths of a second. A yield after a change the
  // user must see (a new dialog, a phase colour of the gauge) always draws.
  void Yield() override;
  // Runs `work` on a thread of its own and handles events here until it ends.
  void RunWhileYielding(const std::function<void()>& work) override;
  void ShowMessage(std::string_view text, int style, std::string_view title = {}) override;
  void SetBusyPointer(bool busy) override;
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override;
  ProgramFacts Facts() const override;

  // Shows every stored caption now; front ends call it when an operation ends.
  void ApplyCaptions() override;
  // The next yield draws, however soon it comes.
  void DrawAtNextYield() { drawNext_ = true; }

  // Runs `start` once, just before the work of an operation begins: at its first yield, busy
  // pointer or progress dialog, so after the checks that may refuse it. Cleared by passing
  // an empty function.
  void BeforeWork(std::function<void()> start) override { beforeWork_ = std::move(start); }
  // Presses "Annulla" of the progress dialog on show and of every one shown until
  // ClearStop.
  void RequestStop() override;
  void ClearStop() override { stopRequested_ = false; }

  static constexpr std::chrono::milliseconds kYieldInterval{20};
  // Tests draw at every yield, so that events they post are handled at a known point.
  void SetYieldInterval(std::chrono::milliseconds interval) { yieldInterval_ = interval; }

 private:
  struct PendingCaption {
    std::string text;
    bool changed = false;
  };

  void StartWork();
  void Draw();

  Desktop& desktop_;
  std::array<QLabel*, 3> labels_;
  std::array<PendingCaption, 3> pending_;
  std::chrono::milliseconds yieldInterval_ = kYieldInterval;
  std::chrono::steady_clock::time_point lastDrawn_;
  bool drawNext_ = false;
  std::function<void()> beforeWork_;
  bool stopRequested_ = false;
  QPointer<FDlgDoppi> dialog_;
};

}  // namespace ondrel::ui
