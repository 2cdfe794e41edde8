// The Win32 desktop program: the main window built from its table, its events sent to the
// shared handlers, and the message loop.
#include "ui/win32/windows_api.h"
// windows.h first: the common controls and COM need its types.
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "ui/shared/f_main_handlers.h"
#include "ui/shared/f_sottrai_handlers.h"
#include "ui/shared/layouts.h"
#include "ui/win32/win32_desktop.h"
#include "ui/win32/win32_form.h"
#include "ui/win32/win32_window_system.h"

namespace ondrel::ui {
namespace {

// FSottrai on Win32: owned by the main window, so it stays above it.
struct SubtractionWindow {
  SubtractionWindow(HWND owner, Desktop& desktop, WindowSystem& windows)
      : form(kFSottrai, owner, [this](std::string_view name) { handlers.Click(name); }),
        handlers(form, desktop, windows) {}
  Win32Form form;
  FSottraiHandlers handlers;
};

class MainWindow : private FMainHost {
 public:
  MainWindow()
      : form_(kFMain, nullptr, [this](std::string_view name) { handlers_.Click(name); }),
        windows_(desktop_, form_),
        handlers_(form_, static_cast<FMainHost&>(*this), desktop_, windows_, windows_) {
    form_.onClose = [this] { return handlers_.Form_QueryUnload(); };
    form_.onDestroy = [] { PostQuitMessage(0); };
    handlers_.Form_Load();
    ShowWindow(form_.Window(), SW_SHOWNORMAL);
  }

 private:
  void PlaceForm() override { form_.PlaceForm(); }
  void CloseMainWindow() override { SendMessageW(form_.Window(), WM_CLOSE, 0, 0); }
  void CloseMainWindowLater() override { PostMessageW(form_.Window(), WM_CLOSE, 0, 0); }
  void ShowSubtraction() override {
    if (Subtraction() == nullptr) {
      sottrai_ = std::make_unique<SubtractionWindow>(form_.Window(), desktop_, windows_);
      sottrai_->form.PlaceForm();
    }
    ShowWindow(sottrai_->form.Window(), SW_SHOWNORMAL);
    SetForegroundWindow(sottrai_->form.Window());
  }
  // A closed window is dropped at the next use of the menu item, outside its own messages.
  FSottraiHandlers* Subtraction() override {
    if (sottrai_ != nullptr && !IsWindow(sottrai_->form.Window())) sottrai_.reset();
    return sottrai_ != nullptr ? &sottrai_->handlers : nullptr;
  }
  void CloseSubtraction() override {
    if (Subtraction() != nullptr) DestroyWindow(sottrai_->form.Window());
  }

  Win32Desktop desktop_;
  Win32Form form_;
  Win32WindowSystem windows_;
  FMainHandlers handlers_;
  std::unique_ptr<SubtractionWindow> sottrai_;
};

}  // namespace
}  // namespace ondrel::ui

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The folder browser is a COM object of the shell.
  OleInitialize(nullptr);
  int status = 0;
  {
    ondrel::ui::MainWindow window;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
      ondrel::ui::Win32WindowSystem::Dispatch(message);
    status = static_cast<int>(message.wParam);
  }
  OleUninitialize();
  return status;
}
