// FDlgDoppi: the progress dialog of one duplicate elimination, with the gauge's picture
// box and "Annulla". Destroying it unloads it.
#pragma once

#include <QWidget>

#include "common/window_system.h"

class QLabel;
class QPushButton;

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
  bool Ferma() const override { return StopRequested; }
  // What "Annulla" does.
  void RequestStop() { StopRequested = true; }

 private:
  void cmdCanc_Click() { RequestStop(); }

  bool StopRequested = false;
  PictureBoxWidget* pic0_;
};

}  // namespace ondrel::ui
