// The progress of one phase of duplicate elimination on its gauge: the bar is drawn, and
// "Annulla" read, only when the rounded percentage of the work done rises.
#pragma once

#include <algorithm>
#include <cstdint>

#include "common/checked_int.h"
#include "common/window_system.h"
#include "lists/hgauge.h"
#include "lists/round_half_even.h"

namespace ondrel {

inline constexpr Colour kLoadingColour = Rgb(0, 0, 255);
inline constexpr Colour kSortingColour = Rgb(255, 255, 0);
inline constexpr Colour kMarkingColour = Rgb(255, 0, 0);
inline constexpr Colour kWritingColour = Rgb(0, 255, 0);

// A phase of `total` steps (lines, or bytes), done one position after another. The position
// at which the percentage next rises is worked out once per rise, so that the step per line
// is one comparison.
class PhaseProgress {
 public:
  PhaseProgress(CHgauge& gauge, ProgressDialog& dialog, Colour colour, std::int64_t total)
      : gauge_(gauge),
        dialog_(dialog),
        colour_(colour),
        total_(std::max<std::int64_t>(total, 1)),
        share_(100.0 / static_cast<double>(total_)) {
    nextRise_ = FirstPositionAbove(0);
  }

  // The step for position `position` (1 to total, rising; a position past the total counts
  // as the total); false when the user asked to stop.
  bool Step(std::int64_t position) {
    if (position < nextRise_) return true;
    const std::int64_t percentage = PercentageAt(std::min(position, total_));
    gauge_.Paint(CheckedNarrow<std::int16_t>(percentage), dialog_.Picture(), colour_);
    nextRise_ = percentage >= 100 ? INT64_MAX : FirstPositionAbove(percentage);
    return !dialog_.Ferma();
  }

 private:
  std::int64_t PercentageAt(std::int64_t position) const {
    return RoundHalfEven(share_ * static_cast<double>(position));
  }

  // The first position whose percentage exceeds `shown`. Percentages never fall as the
  // position rises, so a guess a little below the division's answer is walked up exactly.
  std::int64_t FirstPositionAbove(std::int64_t shown) const {
    std::int64_t position = std::max<std::int64_t>(
        1, static_cast<std::int64_t>((static_cast<double>(shown) + 0.5) / share_) - 2);
    while (PercentageAt(position) <= shown) ++position;
    return position;
  }

  CHgauge& gauge_;
  ProgressDialog& dialog_;
  Colour colour_;
  std::int64_t total_;
  double share_;
  std::int64_t nextRise_;
};

}  // namespace ondrel
