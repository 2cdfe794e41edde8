// The arithmetic that centres a window on its screen when it opens.
#pragma once

#include <cstdint>

namespace ondrel::ui {

// Returned by PlaceForm when the window is minimised or maximised and cannot be moved.
inline constexpr std::int32_t kFailureWindowNotMovable = 10101;

// The offset that centres a window of `window` twips on a screen of `screen` twips: the
// difference rounded to the nearest whole number (halves to even), then halved with the
// fraction dropped toward zero. Throws Failure when the difference leaves 32 bits.
std::int32_t CentredOffset(float screen, float window);

}  // namespace ondrel::ui
