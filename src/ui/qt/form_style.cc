#include "ui/qt/form_style.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "ui/qt/pictures.h"
#include "ui/qt/twips.h"
#include "ui/shared/caption_fit.h"

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

void SetFixedBorder(QWidget& window, const FormSpec& form, Qt::WindowType kind) {
  Qt::WindowFlags flags =
      kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
  if (form.closeBox) flags |= Qt::WindowCloseButtonHint;
  if (form.staysOnTop) flags |= Qt::WindowStaysOnTopHint;
  window.setWindowFlags(flags);
  window.setWindowIcon(ProgramIcon());
}

void MakeFixedWindow(QWidget& window, const FormSpec& form, Qt::WindowType kind) {
  SetFixedBorder(window, form, kind);
  window.setFixedSize(TwipsToPixels(form.width + 2 * form.sideRoom), TwipsToPixels(form.height));
  window.setFont(SansSerifFont(kDefaultPoints));
}

namespace {

// The focused graphical button's border, with a pixel to spare.
constexpr int kButtonBorder = 3;

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
  // Enter presses the button that has the focus, as Space does; outside a dialog class Qt
  // leaves that to this property.
  button->setAutoDefault(true);
  return button;
}

void FitCaption(QWidget& control, const ControlSpec& spec, int sideRoom) {
  auto* label = qobject_cast<QLabel*>(&control);
  auto* button = qobject_cast<QPushButton*>(&control);
  const auto measure = [&](double points) {
    control.setFont(SansSerifFont(points, spec.bold));
    QSize needed = control.sizeHint();
    if (button != nullptr) {
      // The style's smallest button is wider than any caption needs: the text and the border.
      const QFontMetrics metrics = control.fontMetrics();
      needed = QSize(metrics.horizontalAdvance(button->text()), metrics.height()) +
               2 * QSize(kButtonBorder, kButtonBorder);
    } else if (spec.wordWrap && label != nullptr) {
      needed.setHeight(label->heightForWidth(TwipsToPixels(spec.place.width)));
    }
    return TextSize{needed.width() * kTwipsPerPixel, needed.height() * kTwipsPerPixel};
  };
  const FittedCaption fitted = ui::FitCaption(spec, measure);
  control.setFont(SansSerifFont(fitted.points, spec.bold));
  const Place& at = fitted.place;
  control.setGeometry(TwipsRect(sideRoom + at.left, at.top, at.width, at.height));
}

}  // namespace ondrel::ui
