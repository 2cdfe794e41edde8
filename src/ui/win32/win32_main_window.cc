#include "ui/win32/win32_main_window.h"

#include "ui/shared/f_sottrai_handlers.h"
#include "ui/shared/layouts.h"

namespace ondrel::ui {

// FSottrai on Win32: owned by the main window, so it stays above it.
struct SubtractionWindow {
  SubtractionWindow(HWND owner, Desktop& desktop, WindowSystem& windows)
      : form(kFSottrai, owner, [this](std::string_view name) { handlers.Click(name); }),
        handlers(form, desktop, windows) {}
  Win32Form form;
  FSottraiHandlers handlers;
};

Win32MainWindow::Win32MainWindow(Desktop& desktop)
    : desktop_(desktop),
      form_(kFMain, nullptr, [this](std::string_view name) { handlers_.Click(name); }),
      windows_(form_, desktop_),
      handlers_(form_, static_cast<FMainHost&>(*this), desktop_, windows_, windows_) {
  form_.onClose = [this] { return handlers_.Form_QueryUnload(); };
  form_.onDestroy = [] { PostQuitMessage(0); };
  handlers_.Form_Load();
  ShowWindow(form_.Window(), SW_SHOWNORMAL);
}

Win32MainWindow::~Win32MainWindow() = default;

void Win32MainWindow::ShowSubtraction() {
  if (Subtraction() == nullptr) {
    sottrai_ = std::make_unique<SubtractionWindow>(form_.Window(), desktop_, windows_);
    sottrai_->form.PlaceForm();
  }
  ShowWindow(sottrai_->form.Window(), SW_SHOWNORMAL);
  SetForegroundWindow(sottrai_->form.Window());
}

// A closed window is dropped at the next use of the menu item, outside its own messages.
FSottraiHandlers* Win32MainWindow::Subtraction() {
  if (sottrai_ != nullptr && !IsWindow(sottrai_->form.Window())) sottrai_.reset();
  return sottrai_ != nullptr ? &sottrai_->handlers : nullptr;
}

void Win32MainWindow::CloseSubtraction() {
  if (Subtraction() != nullptr) DestroyWindow(sottrai_->form.Window());
}

}  // namespace ondrel::ui
