// A window's standard file-open dialog `dlg`: it keeps its title and the last chosen name
// between uses, as the dialog control of a window does.
#pragma once

#include <string>

#include "ui/shared/view.h"

namespace ondrel::ui {

class Desktop;

class FileOpenDialog {
 public:
  std::string DialogTitle;
  // The last chosen full path; the dialog opens with it preset.
  std::string FileName;

  // Shows the dialog; true when the user picked a file (FileName then holds it).
  bool ShowOpen(OwnerHandle owner, Desktop& desktop);
  // The chosen name with the spaces at both ends removed.
  std::string TrimmedFileName() const;
};

}  // namespace ondrel::ui
