// A WindowSystem that records every call, for tests of the window-free logic.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/window_system.h"

namespace ondrel::testing {

// Thrown by EndProgram so that a test can see the program would have ended.
struct ProgramEnded {};

struct RecordedMessage {
  std::string text;
  int style;
  std::string title;
};

struct RecordedRectangle {
  double x1, y1, x2, y2;
  Colour colour;
};

class RecordingPictureBox : public PictureBox {
 public:
  void SetScaleMode(int mode) override { scaleMode = mode; }
  void SetPersistentDrawing(bool on) override { persistent = on; }
  void SetScaleHeight(double height) override { scaleHeight = height; }
  void SetScaleWidth(double width) override { scaleWidth = width; }
  Colour BackColour() const override { return backColour; }
  void SetBackColour(Colour colour) override {
    backColour = colour;
    clears.push_back(colour);
  }
  void SetDrawStyle(int style) override { drawStyle = style; }
  void SetDrawWidth(int width) override { drawWidth = width; }
  void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) override {
    rectangles.push_back({x1, y1, x2, y2, colour});
  }

  int scaleMode = -1;
  bool persistent = false;
  double scaleHeight = 0, scaleWidth = 0;
  Colour backColour = Rgb(192, 192, 192);
  int drawStyle = -1, drawWidth = -1;
  std::vector<Colour> clears;
  std::vector<RecordedRectangle> rectangles;
};

class RecordingWindowSystem;

class RecordingProgressDialog : public ProgressDialog {
 public:
  explicit RecordingProgressDialog(RecordingWindowSystem& owner) : owner_(owner) {}
  ~RecordingProgressDialog() override;
  PictureBox& Picture() override;
  bool Ferma() const override;

 private:
  RecordingWindowSystem& owner_;
};

class RecordingWindowSystem : public WindowSystem {
 public:
  void SetCaption(StatusLabel label, std::string_view text) override {
    captions.push_back({label, std::string(text)});
    current[static_cast<int>(label)] = std::string(text);
  }
  void Yield() override {
    ++yields;
    if (onYield) onYield();
  }
  void ShowMessage(std::string_view text, int style, std::string_view title) override {
    messages.push_back({std::string(text), style, std::string(title)});
  }
  void SetBusyPointer(bool busy) override { busyCalls.push_back(busy); }
  [[noreturn]] void EndProgram() override { throw ProgramEnded{}; }
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override {
    ++dialogsShown;
    dialogOpen = true;
    stopRequested = false;
    picture = RecordingPictureBox{};
    return std::make_unique<RecordingProgressDialog>(*this);
  }
  ProgramFacts Facts() const override { return facts; }

  const std::string& Caption(StatusLabel label) const { return current[static_cast<int>(label)]; }

  struct RecordedCaption {
    StatusLabel label;
    std::string text;
  };
  std::vector<RecordedCaption> captions;
  std::string current[3];
  std::vector<RecordedMessage> messages;
  std::vector<bool> busyCalls;
  long yields = 0;
  std::function<void()> onYield;  // runs at every yield: a test's stand-in for the user

  int dialogsShown = 0;
  bool dialogOpen = false;
  bool stopRequested = false;  // what the dialog's "Annulla" sets
  RecordingPictureBox picture;
  ProgramFacts facts{"/opt/ondrel", "ondrel", "Ondrel", 1, 0, 0};
};

inline RecordingProgressDialog::~RecordingProgressDialog() {
  owner_.dialogOpen = false;
  owner_.stopRequested = false;
}
inline PictureBox& RecordingProgressDialog::Picture() {
  return owner_.picture;
}
inline bool RecordingProgressDialog::Ferma() const {
  return owner_.stopRequested;
}

}  // namespace ondrel::testing
