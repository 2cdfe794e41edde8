// A window's standard file-open dialog `dlg`: it keeps its title and the last chosen name
// between uses, as the dialog control of a window does.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace ondrel::ui {

class Desktop;

class FileOpenDialog {
 public:
  QString DialogTitle;
  // The last chosen full path; the dialog opens with it preset.
  QString FileName;

  // Shows the dialog; true when the user picked a file (FileName then holds it).
  bool ShowOpen(QWidget* parent, Desktop& desktop);
  // The chosen name as bytes with the spaces at both ends removed.
  std::string TrimmedFileName() const;
};

}  // namespace ondrel::ui
