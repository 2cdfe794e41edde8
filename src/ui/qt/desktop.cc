#include "ui/qt/desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "common/window_system.h"
#include "ui/qt/italian_file_details.h"
#include "ui/qt/text_codec.h"
#include "ui/shared/shell.h"

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

// Qt's own dialog, which speaks the program's Italian (a desktop's native one speaks the
// desktop's language), with its file details in Italian too.
class ItalianFileDialog : public QFileDialog {
 public:
  ItalianFileDialog(OwnerHandle owner, const std::string& title)
      : QFileDialog(static_cast<QWidget*>(owner), ToQString(title)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setProxyModel(new ItalianFileDetails(this));
  }
};

}  // namespace

void QtDesktop::ShowMessage(OwnerHandle owner, const std::string& text, int style,
                            const std::string& title) {
  QMessageBox box(IconOfStyle(style), ToQString(title), ToQString(text), QMessageBox::Ok,
                  static_cast<QWidget*>(owner));
  box.exec();
}

std::optional<std::string> QtDesktop::ChooseFile(OwnerHandle owner, const std::string& title,
                                                 const std::string& presetName) {
  // No filter, no initial folder beyond the preset name, no options.
  ItalianFileDialog dialog(owner, title);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!presetName.empty()) dialog.selectFile(ToQString(presetName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToBytes(dialog.selectedFiles().constFirst());
}

std::string QtDesktop::ChooseFolder(OwnerHandle owner, const std::string& title,
                                    std::int32_t options) {
  ItalianFileDialog dialog(owner, title);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, (options & kBrowseOnlyFileSystemFolders) != 0);
  // At the user's home folder: set after construction, which restores the last folder that
  // any Qt program visited, or else takes the folder the program was started in.
  dialog.setDirectory(QDir::homePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ToBytes(dialog.selectedFiles().constFirst());
}

void QtDesktop::OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

void QtDesktop::OpenWebAddress(const std::string& address) {
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(address)));
}

}  // namespace ondrel::ui
