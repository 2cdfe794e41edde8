// The look shared by the program's windows: colours, fonts, the graphical buttons, and
// controls created at their places in twips.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "common/window_system.h"
#include "ui/shared/controls.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ondrel::ui {

QColor ToQColor(Colour colour);

// The window's (or control's) background, painted by the widget itself.
void SetBackground(QWidget& widget, Colour colour);
void SetTextColour(QWidget& widget, Colour colour);

// The desktop's default sans-serif face at `points`; the windows' labels use it.
QFont SansSerifFont(double points, bool bold = false);

// A fixed border without minimise or maximise button, the close box where `form` has one,
// kept on top where it says so, and the program's icon. `kind` Qt::Dialog makes a window with
// a parent one that stays above it (a transient window).
void SetFixedBorder(QWidget& window, const FormSpec& form, Qt::WindowType kind = Qt::Window);
// A fixed-border window with the client area of `form` (its side room included) and the
// default face of labels.
void MakeFixedWindow(QWidget& window, const FormSpec& form, Qt::WindowType kind = Qt::Window);

// Controls at a place in twips (left, top, width, height), named for tests and tab order.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                 int width, int height);
QLineEdit* AddTextBox(QWidget* parent, const char* name, int left, int top, int width, int height);
// A button drawn in the graphical style with the background `colour`.
QPushButton* AddGraphicalButton(QWidget* parent, const char* name, const QString& caption,
                                Colour colour, int left, int top, int width, int height);

// Fits the caption of `control`, built from `spec` with the layout moved right by
// `sideRoom` twips, by the rule of caption_fit.h.
void FitCaption(QWidget& control, const ControlSpec& spec, int sideRoom);

}  // namespace ondrel::ui
