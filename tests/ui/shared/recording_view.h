// Toolkit-free doubles of a window's controls, the desktop's dialogs and the main window's
// host, so that the shared handlers run without any toolkit.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/shared/desktop.h"
#include "ui/shared/f_main_handlers.h"
#include "ui/shared/view.h"
#include "ui/shared/work_hooks.h"

namespace ondrel::ui::testing {

class RecordingView : public View {
 public:
  std::string Text(std::string_view control) const override {
    const auto found = texts.find(control);
    return found == texts.end() ? std::string() : found->second;
  }
  void SetText(std::string_view control, std::string_view text) override {
    texts[std::string(control)] = text;
  }
  // A label holds `captionRoom` bytes.
  bool CaptionFits(std::string_view, std::string_view text) const override {
    return text.size() <= captionRoom;
  }
  void SetToolTip(std::string_view control, std::string_view text) override {
    toolTips[std::string(control)] = text;
  }
  int Value(std::string_view control) const override {
    const auto found = values.find(control);
    return found == values.end() ? 0 : found->second;
  }
  void SetEnabled(std::string_view control, bool enabled) override {
    ++enableCalls;
    if (enabled)
      disabled.erase(std::string(control));
    else
      disabled.insert(std::string(control));
  }
  std::string FocusedControl() const override { return focus; }
  void SetFocus(std::string_view control) override { focus = control; }
  void SetWindowCaption(std::string_view text) override { caption = text; }
  OwnerHandle Owner() const override { return const_cast<RecordingView*>(this); }

  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, std::string, std::less<>> toolTips;
  std::size_t captionRoom = 1000;
  std::map<std::string, int, std::less<>> values;
  std::set<std::string> disabled;
  int enableCalls = 0;
  std::string focus;
  std::string caption;
};

class RecordingDesktop : public Desktop {
 public:
  struct Request {
    OwnerHandle owner;
    std::string title;
    std::string preset;  // the file dialog's preset name; the folder browser's options
  };
  void ShowMessage(OwnerHandle, const std::string& text, int, const std::string&) override {
    messages.push_back(text);
  }
  std::optional<std::string> ChooseFile(OwnerHandle owner, const std::string& title,
                                        const std::string& presetName) override {
    fileRequests.push_back({owner, title, presetName});
    return Next(fileAnswers);
  }
  std::string ChooseFolder(OwnerHandle owner, const std::string& title,
                           std::int32_t options) override {
    folderRequests.push_back({owner, title, std::to_string(options)});
    return Next(folderAnswers).value_or("");
  }
  void OpenDocument(const std::string& path) override { opened.push_back("document " + path); }
  void OpenWebAddress(const std::string& address) override { opened.push_back("web " + address); }

  // An empty optional answers with a cancel; no answer left is a cancel too.
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::vector<std::string> messages;
  std::vector<Request> fileRequests;
  std::vector<Request> folderRequests;
  std::vector<std::string> opened;

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// The main window's toolkit side and the work hooks, recording what they were asked.
class RecordingHost : public FMainHost, public WorkHooks {
 public:
  void PlaceForm() override { calls.push_back("PlaceForm"); }
  void CloseMainWindow() override { calls.push_back("CloseMainWindow"); }
  void CloseMainWindowLater() override { calls.push_back("CloseMainWindowLater"); }
  void ShowSubtraction() override { calls.push_back("ShowSubtraction"); }
  FSottraiHandlers* Subtraction() override { return subtraction; }
  void CloseSubtraction() override { calls.push_back("CloseSubtraction"); }

  void BeforeWork(std::function<void()> start) override { beforeWork = std::move(start); }
  // What a front end does at the work's first yield.
  void StartWork() {
    if (beforeWork) std::exchange(beforeWork, {})();
  }
  void ApplyCaptions() override {}
  void RequestStop() override { calls.push_back("RequestStop"); }
  void ClearStop() override {}

  std::function<void()> beforeWork;
  FSottraiHandlers* subtraction = nullptr;
  std::vector<std::string> calls;
};

}  // namespace ondrel::ui::testing
