#include "ui/f_sottrai.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lists/subtraction.h"
#include "ui/clickable_image.h"
#include "ui/failure_report.h"
#include "ui/form_style.h"
#include "ui/pictures.h"
#include "ui/place_form.h"
#include "ui/shell.h"
#include "ui/text_codec.h"
#include "ui/twips.h"

namespace ondrel::ui {

FSottrai::FSottrai(QWidget* owner, Desktop& desktop, WindowSystem& windows)
    : QWidget(owner, Qt::Dialog), desktop_(desktop), windows_(windows) {
  setObjectName(QStringLiteral("FSottrai"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Sottrai indirizzi"));
  // A dialog-type window is the kind that window managers keep above its owner (on X11 it
  // carries the transient-for hint); it stays modeless.
  MakeFixedWindow(*this, 5265, 3825, /*closeBox=*/true, Qt::Dialog);
  SetBackground(*this, Rgb(192, 192, 255));

  QLabel* lbl = AddLabel(this, "lbl",
                         QStringLiteral("Permette di creare un nuovo file contenente gli "
                                        "indirizzi del primo meno quelli del secondo."),
                         135, 165, 4920, 450);
  lbl->setWordWrap(true);
  AddLabel(this, "lblGen(0)", QStringLiteral("File da cui sottrarre (file Base)"), 120, 870, 3600,
           240);
  txtFile_[0] = AddTextBox(this, "txtFile(0)", 120, 1125, 4170, 285);
  QPushButton* browse0 =
      AddGraphicalButton(this, "cmdSfoglia(0)", QStringLiteral("Sfoglia"), 4365, 1110, 705, 300);
  AddLabel(this, "lblGen(1)", QStringLiteral("File con indirizzi da escludere dal file Base"), 120,
           1515, 3600, 210);
  txtFile_[1] = AddTextBox(this, "txtFile(1)", 120, 1725, 4170, 285);
  QPushButton* browse1 =
      AddGraphicalButton(this, "cmdSfoglia(1)", QStringLiteral("Sfoglia"), 4365, 1710, 705, 300);
  QLabel* note = AddLabel(this, "lblGen(2)",
                          QStringLiteral("Il nuovo file si chiamerà MailNew.txt e sarà creato "
                                         "nella cartella del file base."),
                          135, 2175, 4170, 570);
  note->setWordWrap(true);
  cmdSub_ =
      AddGraphicalButton(this, "cmdSub", QStringLiteral("Crea nuovo file"), 1890, 2910, 1470, 690);
  auto* imgHelp = new ClickableImage(this, "imgHelp", QuestionMarkPicture(), HandPointer(),
                                     QStringLiteral("Informazioni"));
  imgHelp->setGeometry(TwipsRect(165, 3150, 480, 480));

  connect(browse0, &QPushButton::clicked, this, [this] { cmdSfoglia_Click(0); });
  connect(browse1, &QPushButton::clicked, this, [this] { cmdSfoglia_Click(1); });
  connect(cmdSub_, &QPushButton::clicked, this, [this] { cmdSub_Click(); });
  connect(imgHelp, &ClickableImage::clicked, this, [this] { imgHelp_Click(); });

  dlg_.DialogTitle = QStringLiteral("Indica file");
  // Labels take no focus; the second "Sfoglia" leads and "Crea nuovo file" closes the order.
  QWidget* order[] = {browse1, txtFile_[1], browse0, txtFile_[0], cmdSub_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  browse1->setFocus();

  PlaceForm(*this);
}

void FSottrai::SetWorking(bool working) {
  cmdSub_->setEnabled(!working);
}

void FSottrai::cmdSfoglia_Click(int index) {
  if (!dlg_.ShowOpen(this, desktop_)) return;
  const std::string chosen = dlg_.TrimmedFileName();
  if (!chosen.empty()) txtFile_[index]->setText(ToQString(chosen));
}

void FSottrai::cmdSub_Click() {
  const CreateNewFileResult result = CreateNewFile(
      ToBytes(txtFile_[0]->text()), ToBytes(txtFile_[1]->text()), NewFilePath, windows_);
  if (result.outcome == CreateNewFileOutcome::kFailed) {
    ReportFailure(windows_,
                  "Sottrazione interrotta: MailNew.txt contiene solo le righe scritte fino "
                  "all'errore.",
                  result.subtraction.failureNumber, result.subtraction.failureDescription);
  }
}

void FSottrai::imgHelp_Click() {
  OpenDocument(HelpPagePath(windows_.Facts().folder, "sottrai.htm"), desktop_);
}

}  // namespace ondrel::ui
