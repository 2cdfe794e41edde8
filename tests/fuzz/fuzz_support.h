// What every fuzzer shares: a check that aborts with its condition, and a window system
// that shows nothing.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/window_system.h"

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace ondrel::fuzz {

class SilentPictureBox : public PictureBox {
 public:
  void SetScaleMode(int) override {}
  void SetPersistentDrawing(bool) override {}
  void SetScaleHeight(double) override {}
  void SetScaleWidth(double) override {}
  Colour BackColour() const override { return back_; }
  void SetBackColour(Colour colour) override { back_ = colour; }
  void SetDrawStyle(int) override {}
  void SetDrawWidth(int) override {}
  void FillRectangle(double, double, double, double, Colour) override {}

 private:
  Colour back_ = 0;
};

class SilentProgressDialog : public ProgressDialog {
 public:
  PictureBox& Picture() override { return picture_; }
  bool Ferma() const override { return false; }

 private:
  SilentPictureBox picture_;
};

class SilentWindowSystem : public WindowSystem {
 public:
  void SetCaption(StatusLabel, std::string_view) override {}
  void Yield() override {}
  void ShowMessage(std::string_view, int, std::string_view) override {}
  void SetBusyPointer(bool) override {}
  [[noreturn]] void EndProgram() override { std::abort(); }
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override {
    return std::make_unique<SilentProgressDialog>();
  }
  ProgramFacts Facts() const override { return {"/", "ondrel", "Ondrel", 1, 0, 0}; }
};

}  // namespace ondrel::fuzz
