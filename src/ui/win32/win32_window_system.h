// The window operations of the core carried out by the Win32 windows: the shared window
// system, with a PeekMessage loop, the busy pointer, MessageBox's owner, the progress dialog
// and the program facts.
#pragma once

#include "ui/shared/desktop_window_system.h"
#include "ui/win32/win32_form.h"

namespace ondrel::ui {

class Win32WindowSystem : public DesktopWindowSystem {
 public:
  Win32WindowSystem(Win32Form& main, Desktop& desktop)
      : DesktopWindowSystem(main, desktop), main_(main) {}

  [[noreturn]] void EndProgram() override;
  ProgramFacts Facts() const override;

  // Hands one message to its window, through the dialog keys (Tab, the arrows, Enter) of its
  // top-level form.
  static void Dispatch(MSG& message);

 protected:
  void HandlePendingEvents() override;
  void ShowBusyPointer(bool busy) override { Win32Form::SetBusy(busy); }
  std::unique_ptr<ProgressDialog> OpenProgressDialog() override;
  OwnerHandle MessageOwner() const override;

 private:
  Win32Form& main_;
};

}  // namespace ondrel::ui
