#include "ui/qt/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QObject>
#include <QVariant>

namespace ondrel::ui {

void SetBusyCursor(std::int16_t busy, QObject* target) {
  if (target != nullptr) {
    target->setProperty("cursor", QCursor(busy != 0 ? Qt::WaitCursor : Qt::ArrowCursor));
    return;
  }
  // Qt keeps a stack of override pointers; the pointer here is a setting, not a stack, so
  // "on" twice needs one "off".
  if (busy != 0) {
    if (QGuiApplication::overrideCursor() == nullptr)
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
      QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
  } else {
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace ondrel::ui
