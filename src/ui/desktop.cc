#include "ui/desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "common/window_system.h"

namespace ondrel::ui {

namespace {

QMessageBox::Icon IconOfStyle(int style) {
  switch (style) {
    case kMessageCritical:
      return QMessageBox::Critical;
    case kMessageInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

void QtDesktop::ShowMessage(QWidget* parent, const QString& text, int style, const QString& title) {
  QMessageBox box(IconOfStyle(style), title, text, QMessageBox::Ok, parent);
  box.exec();
}

std::optional<QString> QtDesktop::ChooseFile(QWidget* parent, const QString& title,
                                             const QString& presetName) {
  // No filter, no initial folder beyond the preset name, no options.
  QFileDialog dialog(parent, title);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!presetName.isEmpty()) dialog.selectFile(presetName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

QString QtDesktop::ChooseFolder(QWidget* owner, const QString& title, bool foldersOnly) {
  QFileDialog dialog(owner, title);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, foldersOnly);
  // At the user's home folder: set after construction, which restores the last folder that
  // any Qt program visited, or else takes the folder the program was started in.
  dialog.setDirectory(QDir::homePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

void QtDesktop::OpenUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

}  // namespace ondrel::ui
