// The Win32 desktop program: the main window and the message loop.
#include "ui/win32/windows_api.h"
// windows.h first: the common controls and COM need its types.
#include <commctrl.h>
#include <objbase.h>

#include "ui/win32/win32_desktop.h"
#include "ui/win32/win32_main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The folder browser is a COM object of the shell.
  OleInitialize(nullptr);
  int status = 0;
  {
    ondrel::ui::Win32Desktop desktop;
    ondrel::ui::Win32MainWindow window(desktop);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
      ondrel::ui::Win32WindowSystem::Dispatch(message);
    status = static_cast<int>(message.wParam);
  }
  OleUninitialize();
  return status;
}
