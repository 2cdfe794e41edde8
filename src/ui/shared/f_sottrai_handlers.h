// FSottrai's events, whatever toolkit draws the window: the file dialog of both "Sfoglia"
// buttons, "Crea nuovo file" and the help page.
#pragma once

#include <string>
#include <string_view>

#include "common/window_system.h"
#include "ui/shared/file_open_dialog.h"
#include "ui/shared/view.h"

namespace ondrel::ui {

class Desktop;

class FSottraiHandlers {
 public:
  FSottraiHandlers(View& view, Desktop& desktop, WindowSystem& windows);

  // The output path of the last press of "Crea nuovo file".
  std::string NewFilePath;

  // A click on the control `name`; controls without a click event ignore it.
  void Click(std::string_view name);
  void cmdSfoglia_Click(int index);
  void cmdSub_Click();
  void imgHelp_Click();

  // While the main window works, "Crea nuovo file" waits: it would run inside the work's
  // yields and switch the busy pointer off under it.
  void SetWorking(bool working);

 private:
  View& view_;
  Desktop& desktop_;
  WindowSystem& windows_;
  FileOpenDialog dlg_;
};

}  // namespace ondrel::ui
