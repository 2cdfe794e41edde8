// The desktop benchmark's scenario, the same for both toolkits: a harvest and a duplicate
// elimination through the real main window, timed, while another thread measures how long
// the window takes to answer an event (what a click on "Annulla" waits for).
#pragma once

#include <functional>
#include <string>

#include "ui/shared/desktop.h"

namespace ondrel::ui {
class DesktopWindowSystem;
class FMainHandlers;
}  // namespace ondrel::ui

namespace ondrel::bench {

// Dialogs answered at once: the file dialog with the list to clean, messages printed.
class BenchDesktop : public ui::Desktop {
 public:
  std::string listToClean;
  void ShowMessage(ui::OwnerHandle, const std::string& text, int, const std::string&) override;
  std::optional<std::string> ChooseFile(ui::OwnerHandle, const std::string&,
                                        const std::string&) override {
    return listToClean;
  }
  std::string ChooseFolder(ui::OwnerHandle, const std::string&, std::int32_t) override {
    return {};
  }
  void OpenDocument(const std::string&) override {}
  void OpenWebAddress(const std::string&) override {}
};

struct Toolkit {
  const char* name;
  // Fills the main window's two path boxes.
  std::function<void(const std::string& scan, const std::string& output)> setPaths;
  // Called from another thread: returns once the user-interface thread has handled an event.
  std::function<void()> roundTrip;
  // The text of the main window's label `name`.
  std::function<std::string(const char* name)> label;
};

// Usage: PROGRAM SCAN_FOLDER OUTPUT_FOLDER LIST. Harvests the text files of SCAN_FOLDER into
// OUTPUT_FOLDER, then cleans LIST with "Elimina doppi...", and prints one line per step with
// its time and the longest and the median answer of the window. Exit status 0 when
// both steps ended. ONDREL_DESKTOP_YIELD_MS sets the interval between yields that draw (0:
// every yield draws, as the Win32 program did before the windows shared one throttle).
int RunScenario(int argc, char** argv, ui::FMainHandlers& handlers,
                ui::DesktopWindowSystem& windows, BenchDesktop& desktop, const Toolkit& toolkit);

}  // namespace ondrel::bench
