#include "ui/file_open_dialog.h"

#include "common/paths.h"
#include "ui/desktop.h"
#include "ui/text_codec.h"

namespace ondrel::ui {

bool FileOpenDialog::ShowOpen(QWidget* parent, Desktop& desktop) {
  const std::optional<QString> chosen = desktop.ChooseFile(parent, DialogTitle, FileName);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

std::string FileOpenDialog::TrimmedFileName() const {
  return std::string(TrimSpaces(ToBytes(FileName)));
}

}  // namespace ondrel::ui
