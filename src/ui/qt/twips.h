// Places given in twips, the unit of the layout tables, at 15 twips a logical pixel.
#pragma once

#include <QRect>

#include "ui/shared/controls.h"

namespace ondrel::ui {

constexpr int TwipsToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

}  // namespace ondrel::ui
