#include "ui/qt/form_style.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <algorithm>

#include "ui/qt/twips.h"

namespace ondrel::ui {

QColor ToQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void SetBackground(QWidget& widget, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  widget.setPalette(palette);
}

QFont SansSerifFont(double points, bool bold) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void SetFixedBorder(QWidget& window, bool closeBox, Qt::WindowType kind) {
  Qt::WindowFlags flags =
      kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
  if (closeBox) flags |= Qt::WindowCloseButtonHint;
  window.setWindowFlags(flags);
}

void MakeFixedWindow(QWidget& window, int width, int height, bool closeBox, Qt::WindowType kind) {
  SetFixedBorder(window, closeBox, kind);
  window.setFixedSize(TwipsToPixels(width), TwipsToPixels(height));
  window.setFont(SansSerifFont(kDefaultPoints));
}

namespace {

template <typename Control>
Control* PlaceControl(Control* control, const char* name, int left, int top, int width,
                      int height) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(TwipsRect(left, top, width, height));
  return control;
}

}  // namespace

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                 int width, int height) {
  return PlaceControl(new QLabel(text, parent), name, left, top, width, height);
}

QLineEdit* AddTextBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* box = PlaceControl(new QLineEdit(parent), name, left, top, width, height);
  box->setStyleSheet(
      QStringLiteral("QLineEdit { background: white; color: black; "
                     "border: 1px solid #7f7f7f; padding: 0 2px; }"));
  return box;
}

QPushButton* AddGraphicalButton(QWidget* parent, const char* name, const QString& caption,
                                Colour colour, int left, int top, int width, int height) {
  auto* button = PlaceControl(new QPushButton(caption, parent), name, left, top, width, height);
  // A flat colour fill needs a style sheet: the native styles ignore the palette's button
  // colour. The borders give the raised look back.
  const QString fill = ToQColor(colour).name();
  button->setStyleSheet(
      QStringLiteral("QPushButton { background-color: %1; color: black; "
                     "border-style: solid; border-width: 1px; "
                     "border-color: #fff6c0 #6b5a00 #6b5a00 #fff6c0; }"
                     "QPushButton:pressed { border-color: #6b5a00 #fff6c0 #fff6c0 #6b5a00; }"
                     "QPushButton:focus { border-width: 2px; }"
                     "QPushButton:disabled { color: #8a7a30; }")
          .arg(fill));
  return button;
}

void FitCaption(QWidget& control, int minLeft, int maxRight) {
  const int room = maxRight - minLeft;
  const auto* label = qobject_cast<const QLabel*>(&control);
  const bool centred = label != nullptr && (label->alignment() & Qt::AlignHCenter);
  QFont font = control.font();
  while (control.sizeHint().width() > room && font.pointSizeF() > 6) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
    control.setFont(font);
  }
  const QSize needed = control.sizeHint();
  QRect place = control.geometry();
  // A caption lower than its face is cut at the bottom: grow it about its middle line.
  if (needed.height() > place.height()) {
    place.setTop(place.center().y() - needed.height() / 2);
    place.setHeight(needed.height());
  }
  if (needed.width() > place.width()) {
    const int left = centred ? place.center().x() - needed.width() / 2 : place.left();
    place.setLeft(std::clamp(left, minLeft, maxRight - needed.width()));
    place.setWidth(needed.width());
  }
  control.setGeometry(place);
}

}  // namespace ondrel::ui
