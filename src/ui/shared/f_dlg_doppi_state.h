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
  // The close box does what "Annulla" does; the elimination unloads the dialog, so the close
  // is refused.
  bool Form_QueryUnload() {
    cmdCanc_Click();
    return false;
  }
  void Form_Unload() { StopRequested = false; }

 private:
  bool StopRequested = false;
};

}  // namespace ondrel::ui
