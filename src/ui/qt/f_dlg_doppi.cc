#include "ui/qt/f_dlg_doppi.h"

#include <QCloseEvent>

#include "ui/qt/form_style.h"
#include "ui/qt/picture_box_widget.h"
#include "ui/qt/place_form.h"
#include "ui/shared/layouts.h"

namespace ondrel::ui {

FDlgDoppi::FDlgDoppi() : view_(*this) {
  setObjectName(QString::fromLatin1(kFDlgDoppi.name.data()));
  setWindowTitle(QString::fromUtf8(kFDlgDoppi.caption.data(), kFDlgDoppi.caption.size()));
  MakeFixedWindow(*this, kFDlgDoppi);
  SetBackground(*this, kFDlgDoppi.back);
  view_.BuildControls(this, kFDlgDoppi);
  pic0_ = qobject_cast<PictureBoxWidget*>(view_.Control("pic(0)"));
  view_.WireClicks([this](std::string_view name) { state_.Click(name); });
  view_.SetTabOrder(kFDlgDoppi);
  PlaceForm(*this);
}

FDlgDoppi::~FDlgDoppi() {
  state_.Form_Unload();
}

void FDlgDoppi::closeEvent(QCloseEvent* event) {
  if (!state_.Form_QueryUnload()) event->ignore();
}

PictureBox& FDlgDoppi::Picture() {
  return *pic0_;
}

}  // namespace ondrel::ui
