// FSottrai drawn by Qt: the widgets built from the subtraction window's table, their events
// sent to the shared handlers.
#pragma once

#include <QWidget>
#include <memory>

#include "common/window_system.h"
#include "ui/qt/qt_view.h"
#include "ui/shared/f_sottrai_handlers.h"

namespace ondrel::ui {

class Desktop;

class FSottrai : public QWidget {
  Q_OBJECT

 public:
  // Shown without being modal, above `owner`; closing it destroys it.
  FSottrai(QWidget* owner, Desktop& desktop, WindowSystem& windows);

  FSottraiHandlers& Handlers() { return handlers_; }

 private:
  QtView view_;
  FSottraiHandlers handlers_;
};

}  // namespace ondrel::ui
