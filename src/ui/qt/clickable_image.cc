#include "ui/qt/clickable_image.h"

#include <QMouseEvent>

namespace ondrel::ui {

ClickableImage::ClickableImage(QWidget* parent, const char* name, const QPixmap& picture,
                               const QCursor& pointer, const QString& toolTip)
    : QLabel(parent) {
  setObjectName(QString::fromLatin1(name));
  setPixmap(picture);
  setFixedSize(picture.deviceIndependentSize().toSize());
  setCursor(pointer);
  setToolTip(toolTip);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace ondrel::ui
