#include "ui/f_dlg_doppi.h"

#include <QLabel>
#include <QPushButton>

#include "ui/form_style.h"
#include "ui/picture_box_widget.h"
#include "ui/place_form.h"
#include "ui/twips.h"

namespace ondrel::ui {

namespace {

// Room added on either side of the layout, so that the bold title keeps clear of the
// window's edges and the window manager can show the whole window title.
constexpr int kSideRoom = 750;

}  // namespace

FDlgDoppi::FDlgDoppi() {
  setObjectName(QStringLiteral("FDlgDoppi"));
  setWindowTitle(QStringLiteral("Eliminazione doppi ed ordinamento"));
  // No close box: the elimination owns the dialog until it unloads it.
  MakeFixedWindow(*this, 4635 + 2 * kSideRoom, 2205, /*closeBox=*/false);
  SetBackground(*this, Rgb(192, 255, 192));

  QLabel* lblTit = AddLabel(this, "lblTit", QStringLiteral("Eliminazione doppi ed ordinamento"),
                            kSideRoom + 90, 240, 4365, 330);
  lblTit->setAlignment(Qt::AlignCenter);
  lblTit->setFont(SansSerifFont(12, /*bold=*/true));
  SetTextColour(*lblTit, Rgb(0, 0, 255));
  FitCaption(*lblTit, TwipsToPixels(kSideRoom), width() - TwipsToPixels(kSideRoom));

  const QRect picPlace = TwipsRect(kSideRoom + 135, 900, 4320, 240);
  pic0_ = new PictureBoxWidget(this, picPlace.size());
  pic0_->setObjectName(QStringLiteral("pic0"));
  pic0_->move(picPlace.topLeft());

  QPushButton* cmdCanc = AddGraphicalButton(this, "cmdCanc", QStringLiteral("Annulla"),
                                            kSideRoom + 1755, 1635, 1170, 345);
  connect(cmdCanc, &QPushButton::clicked, this, [this] { cmdCanc_Click(); });
  cmdCanc->setFocus();

  PlaceForm(*this);
}

FDlgDoppi::~FDlgDoppi() {
  StopRequested = false;
}

PictureBox& FDlgDoppi::Picture() {
  return *pic0_;
}

}  // namespace ondrel::ui
