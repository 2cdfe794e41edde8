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

// Room added on either side of the progress dialog's layout, so that the bold title keeps
// clear of the window's edges and the window manager can show the whole window title.
inline constexpr int kDialogSideRoom = 750;

// A fixed border without minimise or maximise button; the close box is optional. `kind`
// Qt::Dialog makes a window with a parent one that stays above it (a transient window).
void SetFixedBorder(QWidget& window, bool closeBox = true, Qt::WindowType kind = Qt::Window);
// A fixed-border window with a client area of `width` by `height` twips and the default
// face of labels.
void MakeFixedWindow(QWidget& window, int width, int height, bool closeBox = true,
                     Qt::WindowType kind = Qt::Window);

// Controls at a place in twips (left, top, width, height), named for tests and tab order.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                 int width, int height);
QLineEdit* AddTextBox(QWidget* parent, const char* name, int left, int top, int width, int height);
// A button drawn in the graphical style with the background `colour`.
QPushButton* AddGraphicalButton(QWidget* parent, const char* name, const QString& caption,
                                Colour colour, int left, int top, int width, int height);

// The layout's widths were made for a narrower face than the desktop's sans-serif. Lets
// the one-line caption of `control` show whole: makes its face smaller if even the pixels
// `minLeft` to `maxRight` of its parent cannot hold it, then widens it within them (about
// its centre when its text is centred) and makes it taller about its middle line.
void FitCaption(QWidget& control, int minLeft, int maxRight);

}  // namespace ondrel::ui
