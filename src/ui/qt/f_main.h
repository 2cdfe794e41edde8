// FMain drawn by Qt: the widgets built from the main window's table, their events sent to
// the shared handlers.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "ui/qt/qt_view.h"
#include "ui/shared/f_main_handlers.h"

namespace ondrel::ui {

class Desktop;
class FSottrai;
class QtWindowSystem;

class FMain : public QMainWindow, private FMainHost {
  Q_OBJECT

 public:
  explicit FMain(Desktop& desktop);
  ~FMain() override;

  FMainHandlers& Handlers() { return *handlers_; }
  QtWindowSystem& Windows();
  QtView& MainView() { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceForm() override;
  void CloseMainWindow() override;
  void CloseMainWindowLater() override;
  void ShowSubtraction() override;
  FSottraiHandlers* Subtraction() override;
  void CloseSubtraction() override;

  Desktop& desktop_;
  QtView view_;
  std::unique_ptr<QtWindowSystem> windows_;
  std::unique_ptr<FMainHandlers> handlers_;
  QPointer<FSottrai> sottrai_;
};

}  // namespace ondrel::ui
