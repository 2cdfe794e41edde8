// FMain drawn by Win32: the window built from the main window's table, its events sent to the
// shared handlers, and the subtraction window it owns.
#pragma once

#include <memory>

#include "ui/shared/f_main_handlers.h"
#include "ui/win32/win32_form.h"
#include "ui/win32/win32_window_system.h"

namespace ondrel::ui {

class Desktop;
struct SubtractionWindow;

class Win32MainWindow : private FMainHost {
 public:
  // Created and shown; its close ends the message loop.
  explicit Win32MainWindow(Desktop& desktop);
  ~Win32MainWindow() override;

  Win32Form& Form() { return form_; }
  Win32WindowSystem& Windows() { return windows_; }
  FMainHandlers& Handlers() { return handlers_; }

 private:
  void PlaceForm() override { form_.PlaceForm(); }
  void CloseMainWindow() override { SendMessageW(form_.Window(), WM_CLOSE, 0, 0); }
  void CloseMainWindowLater() override { PostMessageW(form_.Window(), WM_CLOSE, 0, 0); }
  void ShowSubtraction() override;
  FSottraiHandlers* Subtraction() override;
  void CloseSubtraction() override;

  Desktop& desktop_;
  Win32Form form_;
  Win32WindowSystem windows_;
  FMainHandlers handlers_;
  std::unique_ptr<SubtractionWindow> sottrai_;
};

}  // namespace ondrel::ui
