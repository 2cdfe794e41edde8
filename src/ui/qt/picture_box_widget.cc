#include "ui/qt/picture_box_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/qt/form_style.h"

namespace ondrel::ui {

PictureBoxWidget::PictureBoxWidget(QWidget* parent, QSize size)
    : QWidget(parent), image_(size - QSize(2 * kBorder, 2 * kBorder), QImage::Format_RGB32) {
  setFixedSize(size);
  image_.fill(ToQColor(backColour_));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxWidget::SetBackColour(Colour colour) {
  backColour_ = colour;
  image_.fill(ToQColor(colour));
  update();
}

int PictureBoxWidget::PixelX(double x) const {
  if (scaleMode_ != 0 || scaleWidth_ == 0) return static_cast<int>(std::floor(x));
  return static_cast<int>(std::floor(x * image_.width() / scaleWidth_));
}

int PictureBoxWidget::PixelY(double y) const {
  if (scaleMode_ != 0 || scaleHeight_ == 0) return static_cast<int>(std::floor(y));
  return static_cast<int>(std::floor(y * image_.height() / scaleHeight_));
}

void PictureBoxWidget::FillRectangle(double x1, double y1, double x2, double y2, Colour colour) {
  // Both corners are inside the rectangle, so a zero-width one is a line one pixel wide.
  const int left = std::clamp(PixelX(std::min(x1, x2)), 0, image_.width() - 1);
  const int right = std::clamp(PixelX(std::max(x1, x2)), 0, image_.width() - 1);
  const int top = std::clamp(PixelY(std::min(y1, y2)), 0, image_.height() - 1);
  const int bottom = std::clamp(PixelY(std::max(y1, y2)), 0, image_.height() - 1);
  const QRect area(QPoint(left, top), QPoint(right, bottom));
  QPainter painter(&image_);
  painter.fillRect(area, ToQColor(colour));
  update(area.translated(kBorder, kBorder));
}

void PictureBoxWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect inner =
      event->rect().intersected(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
  painter.drawImage(inner, image_, inner.translated(-kBorder, -kBorder));
}

}  // namespace ondrel::ui
