// CHgauge: a horizontal progress bar drawn into a picture box that its user owns.
#pragma once

#include <cstdint>

#include "common/window_system.h"

namespace ondrel {

// Set the bounds with Min and Max, bind a picture box with Setup, then Paint each new value;
// every Paint draws one rectangle, the stretch between the previous value and the new one.
class CHgauge {
 public:
  // `windows` shows the message of the fatal check and ends the program.
  explicit CHgauge(WindowSystem& windows) : windows_(windows) {}

  // Grows the bar from the last value to `val` in `vColor`, or clears the stretch from `val`
  // to the last value to the background read at Setup. Before a successful Setup: the fatal
  // check (a message, then the program ends).
  void Paint(std::int16_t val, PictureBox& pic, Colour vColor);
  void Min(std::int32_t minimum) { minimum_ = minimum; }
  void Max(std::int32_t maximum) { maximum_ = maximum; }
  // Prepares `pic`: scale 0 to (maximum - minimum) wide and 1 high, the background kept for
  // clearing. Throws Failure (overflow) when the difference does not fit 16 bits, keeping the
  // earlier range; equal bounds run the fatal check.
  void Setup(PictureBox& pic);

 private:
  [[noreturn]] void FatalCheck();

  WindowSystem& windows_;
  std::int32_t maximum_ = 0;
  std::int32_t minimum_ = 0;
  std::int16_t range_ = 0;  // 0: not set up
  std::int16_t height_ = 0;
  Colour background_ = 0;
  std::int16_t lastValue_ = 0;
};

}  // namespace ondrel
