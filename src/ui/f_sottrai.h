// FSottrai: the subtraction window. It gathers the base and the exclusion list and has
// "Crea nuovo file" write MailNew.txt beside the base list.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "common/window_system.h"
#include "ui/file_open_dialog.h"

class QLineEdit;
class QPushButton;

namespace ondrel::ui {

class Desktop;

class FSottrai : public QWidget {
  Q_OBJECT

 public:
  // Shown without being modal, above `owner`; closing it destroys it.
  FSottrai(QWidget* owner, Desktop& desktop, WindowSystem& windows);

  // The output path of the last press of "Crea nuovo file".
  std::string NewFilePath;

  // While the main window works, "Crea nuovo file" waits: it would run inside the work's
  // yields and switch the busy pointer off under it.
  void SetWorking(bool working);

 private:
  void cmdSfoglia_Click(int index);
  void cmdSub_Click();
  void imgHelp_Click();

  Desktop& desktop_;
  WindowSystem& windows_;
  FileOpenDialog dlg_;
  std::array<QLineEdit*, 2> txtFile_{};
  QPushButton* cmdSub_ = nullptr;
};

}  // namespace ondrel::ui
