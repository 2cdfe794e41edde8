#include "ui/shared/caption_fit.h"

#include <algorithm>

namespace ondrel::ui {

namespace {

constexpr double kPointsStep = 0.25;

bool InsideSequence(std::string_view text, std::size_t at) {
  return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

// `text` without its middle, `kept` bytes of it left (about half before the mark, half after).
std::string WithoutMiddle(std::string_view head, std::string_view text, std::size_t kept) {
  std::size_t front = kept - kept / 2;
  std::size_t back = text.size() - kept / 2;
  while (InsideSequence(text, front)) --front;
  while (InsideSequence(text, back)) ++back;
  std::string shown(head);
  shown.append(text.substr(0, front)).append(kShortenedMark).append(text.substr(back));
  return shown;
}

}  // namespace

FittedCaption FitCaption(const ControlSpec& control, const CaptionMeasure& measure) {
  const Place& at = control.place;
  const bool grows = control.captionRoomRight != 0 && !control.wordWrap;
  const int roomLeft = grows ? 0 : at.left;
  const int roomRight = grows ? control.captionRoomRight : at.left + at.width;
  const auto fits = [&](TextSize needed) {
    return control.wordWrap ? needed.height <= at.height : needed.width <= roomRight - roomLeft;
  };
  FittedCaption fitted{at, control.points};
  TextSize needed = measure(fitted.points);
  while (!fits(needed) && fitted.points - kPointsStep >= kSmallestPoints) {
    fitted.points -= kPointsStep;
    needed = measure(fitted.points);
  }
  if (control.wordWrap) return fitted;
  Place& place = fitted.place;
  if (needed.height > place.height) {
    place.top += place.height / 2 - needed.height / 2;
    place.height = needed.height;
  }
  if (needed.width > place.width) {
    const int left = control.centred ? at.left + at.width / 2 - needed.width / 2 : at.left;
    place.left = std::max(roomLeft, std::min(left, roomRight - needed.width));
    place.width = needed.width;
  }
  return fitted;
}

std::string ShortenedToFit(std::string_view text,
                           const std::function<bool(std::string_view)>& fits) {
  if (fits(text)) return std::string(text);
  const std::size_t afterHead = text.find(": ");
  std::string_view head =
      afterHead == std::string_view::npos ? std::string_view() : text.substr(0, afterHead + 2);
  if (!fits(std::string(head) + std::string(kShortenedMark))) head = {};
  const std::string_view rest = text.substr(head.size());
  // The most bytes of `rest` that still fit, found by halving.
  std::size_t low = 0, high = rest.size();
  while (low < high) {
    const std::size_t kept = (low + high + 1) / 2;
    if (fits(WithoutMiddle(head, rest, kept)))
      low = kept;
    else
      high = kept - 1;
  }
  return WithoutMiddle(head, rest, low);
}

}  // namespace ondrel::ui
