// An image control: a picture that answers a click, with a tool tip and its own pointer.
#pragma once

#include <QLabel>

namespace ondrel::ui {

class ClickableImage : public QLabel {
  Q_OBJECT

 public:
  ClickableImage(QWidget* parent, const char* name, const QPixmap& picture, const QCursor& pointer,
                 const QString& toolTip);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace ondrel::ui
