// Decides when a progress line may be repainted: at most once per interval, and cheaply
// enough to be asked once per address found (the clock is read only every few calls).
#pragma once

#include <cstdint>
#include <limits>

namespace ondrel::cli {

class RepaintThrottle {
 public:
  using Clock = std::int64_t (*)();  // monotonic milliseconds

  static constexpr std::int64_t kIntervalMilliseconds = 100;
  static constexpr int kCallsPerClockReading = 16;

  explicit RepaintThrottle(Clock clock) : clock_(clock) {}

  // True when a repaint is due; then the interval starts again.
  bool Due() {
    if (--countdown_ > 0) return false;
    countdown_ = kCallsPerClockReading;
    const std::int64_t now = clock_();
    if (now - last_ < kIntervalMilliseconds) return false;
    last_ = now;
    return true;
  }

  // Makes the next call due, for something that must show at once.
  void Expedite() {
    countdown_ = 1;
    last_ = kLongAgo;
  }

 private:
  static constexpr std::int64_t kLongAgo = std::numeric_limits<std::int64_t>::min() / 2;

  Clock clock_;
  int countdown_ = 1;
  std::int64_t last_ = kLongAgo;
};

}  // namespace ondrel::cli
