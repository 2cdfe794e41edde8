// A Desktop that answers every dialog at once from a script and records what was asked,
// so tests drive the windows without a person.
#pragma once

#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/qt/text_codec.h"
#include "ui/shared/desktop.h"

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

  void ShowMessage(OwnerHandle, const std::string& text, int style,
                   const std::string& title) override {
    messages.push_back({ToQString(text), style, ToQString(title)});
    if (onMessage) onMessage();
  }
  // Answers with the next scripted file, or cancels when the script has none left.
  std::optional<std::string> ChooseFile(OwnerHandle, const std::string& title,
                                        const std::string& presetName) override {
    fileRequests.push_back({ToQString(title), ToQString(presetName)});
    if (fileAnswers.empty()) return std::nullopt;
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return ToBytes(answer);
  }
  std::string ChooseFolder(OwnerHandle, const std::string& title, std::int32_t options) override {
    folderTitles.push_back(ToQString(title));
    folderOnlyFlags.push_back((options & 1) != 0);
    if (folderAnswers.empty()) return {};
    const QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return ToBytes(answer);
  }
  void OpenDocument(const std::string& path) override {
    openedUrls.push_back(QUrl::fromLocalFile(ToQString(path)));
  }
  void OpenWebAddress(const std::string& address) override {
    openedUrls.push_back(QUrl(ToQString(address)));
  }

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
