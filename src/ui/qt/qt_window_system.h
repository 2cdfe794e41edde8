// The window operations of the core carried out by the Qt windows: the shared window system,
// with Qt's event loop, busy pointer, progress dialog and program facts.
#pragma once

#include "ui/shared/desktop_window_system.h"

namespace ondrel::ui {

class QtView;

class QtWindowSystem : public DesktopWindowSystem {
 public:
  // `main` is the view of the main window.
  QtWindowSystem(QtView& main, Desktop& desktop);

  [[noreturn]] void EndProgram() override;
  ProgramFacts Facts() const override;

 protected:
  void HandlePendingEvents() override;
  void ShowBusyPointer(bool busy) override;
  std::unique_ptr<ProgressDialog> OpenProgressDialog() override;
  OwnerHandle MessageOwner() const override;
};

}  // namespace ondrel::ui
