// The dialogs and shell services that wait for the user or leave the program: modal
// messages, the file-open dialog, the folder browser and opening addresses. Tests replace
// them with a double that answers at once.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace ondrel::ui {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A modal message with one OK button; `style` 0 no icon, 16 critical, 64 information.
  virtual void ShowMessage(QWidget* parent, const QString& text, int style,
                           const QString& title) = 0;
  // The file-open dialog with `presetName` filled in: the chosen full path, or none when
  // the user cancelled.
  virtual std::optional<QString> ChooseFile(QWidget* parent, const QString& title,
                                            const QString& presetName) = 0;
  // The modal folder browser: the chosen folder's path, or empty when cancelled.
  virtual QString ChooseFolder(QWidget* owner, const QString& title, bool foldersOnly) = 0;
  // Opens a document or a web address with the program the desktop associates with it.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// The real dialogs of Qt and the desktop's URL handler.
class QtDesktop : public Desktop {
 public:
  void ShowMessage(QWidget* parent, const QString& text, int style, const QString& title) override;
  std::optional<QString> ChooseFile(QWidget* parent, const QString& title,
                                    const QString& presetName) override;
  QString ChooseFolder(QWidget* owner, const QString& title, bool foldersOnly) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace ondrel::ui
