// The main window's controls on a plain widget: what a window system needs to show its
// captions, without the rest of the main window.
#pragma once

#include <QLabel>
#include <QWidget>

#include "ui/qt/qt_view.h"
#include "ui/shared/layouts.h"

namespace ondrel::ui::testing {

struct MainControls {
  MainControls() { view.BuildControls(&window, kFMain); }
  QLabel& Label(const char* name) { return *window.findChild<QLabel*>(QString::fromLatin1(name)); }

  QWidget window;
  QtView view{window};
};

}  // namespace ondrel::ui::testing
