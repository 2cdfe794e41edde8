// FDlgDoppi's one window variable and its events, whatever toolkit draws the dialog.
#pragma once

#include <string_view>

namespace ondrel::ui {

class FDlgDoppiState {
 public:
  bool Ferma() const { return StopRequested; }
  // A click on the control `name`.
  void Click(std::string_view name) {
    if (name == "cmdCanc") cmdCanc_Click();
  }
  // "Annulla": the elimination stops at its next step and unloads the dialog.
  void cmdCanc_Click() { StopRequested = true; }
  void Form_Unload() { StopRequested = false; }

 private:
  bool StopRequested = false;
};

}  // namespace ondrel::ui
