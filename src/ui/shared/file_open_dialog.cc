#include "ui/shared/file_open_dialog.h"

#include "common/paths.h"
#include "ui/shared/desktop.h"

namespace ondrel::ui {

bool FileOpenDialog::ShowOpen(OwnerHandle owner, Desktop& desktop) {
  std::optional<std::string> chosen = desktop.ChooseFile(owner, DialogTitle, FileName);
  if (!chosen) return false;
  FileName = std::move(*chosen);
  return true;
}

std::string FileOpenDialog::TrimmedFileName() const {
  return std::string(TrimSpaces(FileName));
}

}  // namespace ondrel::ui
