// The desktop benchmark through the Win32 main window (see desktop_bench.h).
#include "ui/win32/windows_api.h"
// windows.h first: the common controls need its types.
#include <commctrl.h>

#include "desktop_bench.h"
#include "ui/win32/win32_main_window.h"

int main(int argc, char** argv) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  ondrel::bench::BenchDesktop desktop;
  ondrel::ui::Win32MainWindow window(desktop);
  ondrel::ui::Win32Form& form = window.Form();
  const ondrel::bench::Toolkit win32{"Win32",
                                     [&](const std::string& scan, const std::string& output) {
                                       form.SetText("txtPath(0)", scan);
                                       form.SetText("txtPath(1)", output);
                                     },
                                     [&] {
                                       DWORD_PTR ignored = 0;
                                       SendMessageTimeoutW(form.Window(), WM_NULL, 0, 0,
                                                           SMTO_NORMAL, 600000, &ignored);
                                     },
                                     [&](const char* name) { return form.Text(name); }};
  return ondrel::bench::RunScenario(argc, argv, window.Handlers(), window.Windows(), desktop,
                                    win32);
}
