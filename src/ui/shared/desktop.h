// The dialogs and shell services that wait for the user or leave the program: modal
// messages, the file-open dialog, the folder browser and opening documents and addresses.
// Tests replace them with a double that answers at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/shared/view.h"

namespace ondrel::ui {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A modal message with one OK button; `style` 0 no icon, 16 critical, 64 information.
  virtual void ShowMessage(OwnerHandle owner, const std::string& text, int style,
                           const std::string& title) = 0;
  // The file-open dialog with `presetName` filled in: the chosen full path, or none when
  // the user cancelled.
  virtual std::optional<std::string> ChooseFile(OwnerHandle owner, const std::string& title,
                                                const std::string& presetName) = 0;
  // The modal folder browser with the browser's `options`: the chosen folder's path, or
  // empty when cancelled.
  virtual std::string ChooseFolder(OwnerHandle owner, const std::string& title,
                                   std::int32_t options) = 0;
  // Opens a local document with the program the desktop associates with it.
  virtual void OpenDocument(const std::string& path) = 0;
  // Opens a web address in the user's browser.
  virtual void OpenWebAddress(const std::string& address) = 0;
};

}  // namespace ondrel::ui
