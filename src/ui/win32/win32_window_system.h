// The window operations of the core, carried out by the Win32 windows: the main window's
// status labels, a PeekMessage loop as the yield, MessageBox, the busy pointer, the
// progress dialog with its picture box, and the program facts.
#pragma once

#include "common/window_system.h"
#include "ui/shared/work_hooks.h"
#include "ui/win32/win32_form.h"

namespace ondrel::ui {

class Desktop;

class Win32WindowSystem : public WindowSystem, public WorkHooks {
 public:
  Win32WindowSystem(Desktop& desktop, Win32Form& main) : desktop_(desktop), main_(main) {}

  void SetCaption(StatusLabel label, std::string_view text) override;
  // Handles every pending message, then returns.
  void Yield() override;
  void ShowMessage(std::string_view text, int style, std::string_view title = {}) override;
  void SetBusyPointer(bool busy) override;
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override;
  ProgramFacts Facts() const override;

  void BeforeWork(std::function<void()> start) override { beforeWork_ = std::move(start); }
  // Captions show as they are set.
  void ApplyCaptions() override {}
  void RequestStop() override { stopRequested_ = true; }
  void ClearStop() override { stopRequested_ = false; }

  // Hands one message to its window, through the dialog keys (Tab) of its top-level form.
  static void Dispatch(MSG& message);

 private:
  void StartWork();

  Desktop& desktop_;
  Win32Form& main_;
  std::function<void()> beforeWork_;
  bool stopRequested_ = false;
};

}  // namespace ondrel::ui
