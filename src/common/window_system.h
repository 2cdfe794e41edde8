// The seam between the core and a front end: every window operation the logic needs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace ondrel {

// Colours as 32-bit values with red in the lowest byte.
using Colour = std::uint32_t;
constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

// The main window's status labels.
enum class StatusLabel { kProc, kRes, kMail };

// Message box styles: the value selects the icon; every box has one OK button.
enum MessageStyle : int { kMessageNoIcon = 0, kMessageCritical = 16, kMessageInformation = 64 };

// A drawing surface with a user-defined scale and a persistent backing image.
class PictureBox {
 public:
  virtual ~PictureBox() = default;
  virtual void SetScaleMode(int mode) = 0;  // 0: user-defined scale
  virtual void SetPersistentDrawing(bool on) = 0;
  virtual void SetScaleHeight(double height) = 0;
  virtual void SetScaleWidth(double width) = 0;
  virtual Colour BackColour() const = 0;
  // Setting the background clears the whole box to that colour.
  virtual void SetBackColour(Colour colour) = 0;
  virtual void SetDrawStyle(int style) = 0;  // 0: solid
  virtual void SetDrawWidth(int width) = 0;
  // A filled rectangle between two corners given in scale units.
  virtual void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) = 0;
};

// The progress dialog shown during one duplicate elimination; destroying it unloads it.
class ProgressDialog {
 public:
  virtual ~ProgressDialog() = default;
  virtual PictureBox& Picture() = 0;  // pic(0)
  virtual bool Ferma() const = 0;     // the user asked to stop
};

struct ProgramFacts {
  std::string folder;          // the program's own folder
  std::string executableName;  // without extension
  std::string title;
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// Thrown by WindowSystem::Yield to end an extraction run early; the run ends as stopped.
struct StopRequest {};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The text shows from the next repaint on.
  virtual void SetCaption(StatusLabel label, std::string_view text) = 0;
  // Lets the window system handle pending events (repaints, clicks), then returns. While an
  // extraction runs with no progress dialog shown, it may throw StopRequest instead: the
  // user asked to end the run (a console's Ctrl-C).
  virtual void Yield() = 0;
  // Runs `work` to its end and returns what it throws. `work` touches no window, so a front
  // end may run it on another thread and keep handling events meanwhile; here it just runs.
  virtual void RunWhileYielding(const std::function<void()>& work) { work(); }
  // Modal message with one OK button; an empty title means the application's title.
  virtual void ShowMessage(std::string_view text, int style, std::string_view title = {}) = 0;
  // The application-wide busy pointer.
  virtual void SetBusyPointer(bool busy) = 0;
  // Ends the whole program at once; no further code of the caller runs.
  [[noreturn]] virtual void EndProgram() = 0;
  // Shows the progress dialog without making it modal and without an owner.
  virtual std::unique_ptr<ProgressDialog> ShowProgressDialog() = 0;
  virtual ProgramFacts Facts() const = 0;
};

}  // namespace ondrel
