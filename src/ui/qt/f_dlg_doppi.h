// FDlgDoppi drawn by Qt: the progress dialog of one duplicate elimination, built from its
// table. Destroying it unloads it.
#pragma once

#include <QWidget>

#include "common/window_system.h"
#include "ui/qt/qt_view.h"
#include "ui/shared/f_dlg_doppi_state.h"

namespace ondrel::ui {

class PictureBoxWidget;

class FDlgDoppi : public QWidget, public ProgressDialog {
  Q_OBJECT

 public:
  // Created without an owner; shown without being modal by its creator.
  FDlgDoppi();
  ~FDlgDoppi() override;

  PictureBox& Picture() override;
  PictureBoxWidget& PictureWidget() { return *pic0_; }
  bool Ferma() const override { return state_.Ferma(); }

 protected:
  // The close box does what "Annulla" does; the dialog stays until the elimination ends.
  void closeEvent(QCloseEvent* event) override;

 private:
  QtView view_;
  FDlgDoppiState state_;
  PictureBoxWidget* pic0_;
};

}  // namespace ondrel::ui
