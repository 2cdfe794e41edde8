#include "ui/shared/place_form.h"

#include <cmath>
#include <limits>

#include "common/failure.h"

namespace ondrel::ui {

std::int32_t CentredOffset(float screen, float window) {
  const float difference = screen - window;
  // nearbyint rounds in the default mode: to nearest, halves to even.
  const double rounded = std::nearbyint(static_cast<double>(difference));
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw Failure(kFailureOverflow, "Valore fuori dai limiti");
  }
  return static_cast<std::int32_t>(rounded) / 2;
}

}  // namespace ondrel::ui
