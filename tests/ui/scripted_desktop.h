// A Desktop that answers every dialog at once from a script and records what was asked,
// so tests drive the windows without a person.
#pragma once

#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/desktop.h"

namespace ondrel::ui::testing {

class ScriptedDesktop : public Desktop {
 public:
  struct Message {
    QString text;
    int style;
    QString title;
  };
  struct FileRequest {
    QString title;
    QString presetName;
  };

  void ShowMessage(QWidget*, const QString& text, int style, const QString& title) override {
    messages.push_back({text, style, title});
    if (onMessage) onMessage();
  }
  // Answers with the next scripted file, or cancels when the script has none left.
  std::optional<QString> ChooseFile(QWidget*, const QString& title,
                                    const QString& presetName) override {
    fileRequests.push_back({title, presetName});
    if (fileAnswers.empty()) return std::nullopt;
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
  }
  QString ChooseFolder(QWidget*, const QString& title, bool foldersOnly) override {
    folderTitles.push_back(title);
    folderOnlyFlags.push_back(foldersOnly);
    if (folderAnswers.empty()) return QString();
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
  void OpenUrl(const QUrl& url) override { openedUrls.push_back(url); }

  // A null QString answers a file dialog with a cancel; an empty folder answer is a cancel.
  std::deque<QString> fileAnswers;
  std::deque<QString> folderAnswers;
  std::function<void()> onMessage;  // runs while a message is on show

  std::vector<Message> messages;
  std::vector<FileRequest> fileRequests;
  std::vector<QString> folderTitles;
  std::vector<bool> folderOnlyFlags;
  std::vector<QUrl> openedUrls;
};

}  // namespace ondrel::ui::testing
