#include "ui/qt/pictures.h"

namespace ondrel::ui {

QPixmap LogoPicture() {
  return QPixmap(QStringLiteral(":/pictures/logo-48.png"));
}

QPixmap WordmarkPicture() {
  return QPixmap(QStringLiteral(":/pictures/wordmark.png"));
}

QPixmap QuestionMarkPicture() {
  return QPixmap(QStringLiteral(":/pictures/question-mark.png"));
}

QIcon ProgramIcon() {
  QIcon icon(QStringLiteral(":/pictures/ondrel-256.png"));
  icon.addFile(QStringLiteral(":/pictures/logo-48.png"));
  return icon;
}

QCursor HandPointer() {
  // The finger tip stands at this point of the 32 by 32 picture.
  return QCursor(QPixmap(QStringLiteral(":/pictures/hand-pointer.png")), 12, 1);
}

}  // namespace ondrel::ui
