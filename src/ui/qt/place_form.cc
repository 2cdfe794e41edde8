#include "ui/qt/place_form.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "common/failure.h"
#include "ui/qt/twips.h"

namespace ondrel::ui {

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
