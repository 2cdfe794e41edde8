// A picture box for the progress gauge: drawing goes into a backing image that survives
// being covered, on a scale the user sets. The scale spans the area inside its border.
#pragma once

#include <QImage>
#include <QWidget>

#include "common/window_system.h"

namespace ondrel::ui {

class PictureBoxWidget : public QWidget, public PictureBox {
  Q_OBJECT

 public:
  // The background a box has before anyone sets one.
  static constexpr Colour kDefaultBackColour = Rgb(255, 255, 255);

  // `size` includes the border.
  PictureBoxWidget(QWidget* parent, QSize size);
  static constexpr int kBorder = 1;

  void SetScaleMode(int mode) override { scaleMode_ = mode; }
  void SetPersistentDrawing(bool on) override { persistent_ = on; }
  void SetScaleHeight(double height) override { scaleHeight_ = height; }
  void SetScaleWidth(double width) override { scaleWidth_ = width; }
  Colour BackColour() const override { return backColour_; }
  void SetBackColour(Colour colour) override;
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetDrawWidth(int width) override { drawWidth_ = width; }
  void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) override;

  // The drawing area, inside the border.
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Pixel column or row of a scale position; the scale is user-defined only in mode 0.
  int PixelX(double x) const;
  int PixelY(double y) const;

  QImage image_;
  Colour backColour_ = kDefaultBackColour;
  int scaleMode_ = 1;
  bool persistent_ = true;
  double scaleWidth_ = 0, scaleHeight_ = 0;
  int drawStyle_ = 0, drawWidth_ = 1;
};

}  // namespace ondrel::ui
