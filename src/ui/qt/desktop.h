// The real dialogs of Qt and the desktop's URL handler behind the shared Desktop.
#pragma once

#include "ui/shared/desktop.h"

namespace ondrel::ui {

class QtDesktop : public Desktop {
 public:
  void ShowMessage(OwnerHandle owner, const std::string& text, int style,
                   const std::string& title) override;
  std::optional<std::string> ChooseFile(OwnerHandle owner, const std::string& title,
                                        const std::string& presetName) override;
  std::string ChooseFolder(OwnerHandle owner, const std::string& title,
                           std::int32_t options) override;
  void OpenDocument(const std::string& path) override;
  void OpenWebAddress(const std::string& address) override;
};

}  // namespace ondrel::ui
