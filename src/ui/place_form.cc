#include "ui/place_form.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <limits>

#include "common/failure.h"
#include "ui/twips.h"

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

std::int32_t PlaceForm(QWidget& window) {
  if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
    return kFailureWindowNotMovable;
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return kFailureWindowNotMovable;
  const QRect area = screen->geometry();
  const QRect frame = window.frameGeometry();
  try {
    const std::int32_t left =
        CentredOffset(float(area.width() * kTwipsPerPixel), float(frame.width() * kTwipsPerPixel));
    const std::int32_t top = CentredOffset(float(area.height() * kTwipsPerPixel),
                                           float(frame.height() * kTwipsPerPixel));
    window.move(area.x() + left / kTwipsPerPixel, area.y() + top / kTwipsPerPixel);
  } catch (const Failure& failure) {
    return failure.Number();
  }
  return 0;
}

}  // namespace ondrel::ui
