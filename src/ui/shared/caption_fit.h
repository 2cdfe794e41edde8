// How a caption that does not fit its control is shown, the same in every toolkit; the
// toolkit only measures.
//
// A caption of the tables shows whole: a one-line caption grows to the right within its
// control's caption room (about its centre when centred) and taller about its middle line;
// when even the room cannot hold it, or a wrapped caption needs more lines than its control
// has, its face gets smaller, down to kSmallestPoints.
// A caption set while the program runs (a status label) keeps its control: a text too wide
// loses its middle to "...", keeping what stands up to ": " whole ("Analisi di: " and the
// start and the end of the name), and the whole text becomes the control's tool tip.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/shared/controls.h"

namespace ondrel::ui {

inline constexpr double kSmallestPoints = 6.0;
inline constexpr std::string_view kShortenedMark = "...";

struct TextSize {
  int width = 0, height = 0;  // twips
};

// The size the whole control needs to show its caption with the face at `points`: its text
// on one line, or, for a wrapped caption, within the control's width.
using CaptionMeasure = std::function<TextSize(double points)>;

struct FittedCaption {
  Place place;  // in the layout's twips
  double points = kDefaultPoints;
};

FittedCaption FitCaption(const ControlSpec& control, const CaptionMeasure& measure);

// `text`, or its shortened form when `fits` says it is too wide. Never cuts a UTF-8 sequence.
std::string ShortenedToFit(std::string_view text,
                           const std::function<bool(std::string_view)>& fits);

}  // namespace ondrel::ui
