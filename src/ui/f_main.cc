#include "ui/f_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "lists/remove_duplicates.h"
#include "ondrel/version.h"
#include "ui/clickable_image.h"
#include "ui/f_sottrai.h"
#include "ui/failure_report.h"
#include "ui/form_style.h"
#include "ui/pictures.h"
#include "ui/place_form.h"
#include "ui/qt_window_system.h"
#include "ui/shell.h"
#include "ui/text_codec.h"
#include "ui/twips.h"

namespace ondrel::ui {

namespace {

constexpr Colour kWindowColour = Rgb(255, 255, 192);
constexpr Colour kStatusColour = Rgb(0, 0, 255);

QLabel* AddStatusLabel(QWidget* client, const char* name, const QString& text, int top) {
  QLabel* label = AddLabel(client, name, text, 255, top, 4950, 210);
  label->setAlignment(Qt::AlignCenter);
  SetBackground(*label, kStatusColour);
  SetTextColour(*label, Rgb(255, 255, 255));
  return label;
}

// The check box value of the append option: 0 unticked, 1 ticked, 2 grey.
int CheckValue(const QCheckBox& box) {
  switch (box.checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

// Marks the window as working for the life of one run or elimination. The controls are
// greyed only when the work begins, after the checks that may refuse it; on every way out
// the last captions show, the controls come back and the focus returns where it was.
class FMain::WorkScope {
 public:
  explicit WorkScope(FMain& window) : window_(window), focus_(window.focusWidget()) {
    window_.working_ = true;
    window_.windows_->BeforeWork([this] {
      greyed_ = true;
      window_.SetWorking(true);
    });
  }
  ~WorkScope() {
    window_.windows_->BeforeWork({});
    window_.windows_->ApplyCaptions();
    window_.working_ = false;
    window_.windows_->ClearStop();
    if (greyed_) window_.SetWorking(false);
    if (focus_ != nullptr) focus_->setFocus();
    if (window_.closeRequested_) QTimer::singleShot(0, &window_, &QWidget::close);
  }
  WorkScope(const WorkScope&) = delete;
  WorkScope& operator=(const WorkScope&) = delete;

 private:
  FMain& window_;
  QPointer<QWidget> focus_;
  bool greyed_ = false;
};

FMain::FMain(Desktop& desktop) : desktop_(desktop) {
  setObjectName(QStringLiteral("FMain"));
  SetFixedBorder(*this);
  setFont(SansSerifFont(kDefaultPoints));

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(5460), TwipsToPixels(6255));
  SetBackground(*client, kWindowColour);
  setCentralWidget(client);

  BuildControls(client);
  windows_ = std::make_unique<QtWindowSystem>(desktop_,
                                              std::array<QLabel*, 3>{lblProc_, lblRes_, lblMail_});
  BuildMenus();
  SetTabOrder();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();  // the final size, so that Form_Load centres the window it will show
  Form_Load();
}

FMain::~FMain() = default;

QtWindowSystem& FMain::Windows() {
  return *windows_;
}

void FMain::BuildControls(QWidget* client) {
  QLabel* title0 = AddLabel(client, "lblTit(0)", QStringLiteral("Ondrel"), 1125, 60, 3210, 405);
  title0->setFont(SansSerifFont(18, /*bold=*/true));
  title0->setAlignment(Qt::AlignCenter);
  QLabel* title1 = AddLabel(
      client, "lblTit(1)",
      QStringLiteral("Estrazione indirizzi e-mail da pagine web, newsgroup e file di testo."), 135,
      465, 5085, 585);
  title1->setFont(SansSerifFont(9.75, /*bold=*/true));
  title1->setAlignment(Qt::AlignCenter);
  title1->setWordWrap(true);

  QLabel* heading0 = AddLabel(client, "lblGen(0)",
                              QStringLiteral("Percorso da controllare (include sotto cartelle)"),
                              135, 1320, 3600, 210);
  FitCaption(*heading0, 0, client->width() - 9);
  txtPath_[0] = AddTextBox(client, "txtPath(0)", 135, 1530, 4440, 285);
  cmdSfoglia_[0] =
      AddGraphicalButton(client, "cmdSfoglia(0)", QStringLiteral("Sfoglia"), 4620, 1515, 705, 300);
  AddLabel(client, "lblGen(1)", QStringLiteral("Percorso di output"), 150, 1920, 3600, 210);
  txtPath_[1] = AddTextBox(client, "txtPath(1)", 135, 2130, 4425, 285);
  cmdSfoglia_[1] =
      AddGraphicalButton(client, "cmdSfoglia(1)", QStringLiteral("Sfoglia"), 4620, 2115, 705, 300);
  for (int index = 0; index < 2; ++index) {
    connect(cmdSfoglia_[index], &QPushButton::clicked, this,
            [this, index] { cmdSfoglia_Click(index); });
  }

  // The pictures and the line sit between the path block and the status block.
  const QCursor hand = HandPointer();
  const QString site = QString::fromUtf8(kWebSiteUrl);
  auto* logo = new ClickableImage(client, "Image1(0)", LogoPicture(), hand, site);
  logo->move(20, 178);
  auto* wordmark = new ClickableImage(client, "Image1(1)", WordmarkPicture(), hand, site);
  wordmark->move(80, 182);
  connect(logo, &ClickableImage::clicked, this, [this] { Image1_Click(0); });
  connect(wordmark, &ClickableImage::clicked, this, [this] { Image1_Click(1); });
  auto* imgHelp = new ClickableImage(client, "imgHelp", QuestionMarkPicture(), hand,
                                     QStringLiteral("Informazioni"));
  imgHelp->move(318, 186);
  connect(imgHelp, &ClickableImage::clicked, this, [this] { imgHelp_Click(); });
  auto* line1 = new QFrame(client);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);
  line1->setGeometry(9, 239, 346, 3);

  lblProc_ = AddStatusLabel(client, "lblProc", QString(), 3840);
  lblRes_ = AddStatusLabel(client, "lblRes", QString(), 4095);
  lblMail_ = AddStatusLabel(client, "lblMail", QStringLiteral("Indirizzo email"), 4350);
  AddLabel(client, "lblGen(2)", QStringLiteral("Il file di output ha nome Mailout.txt"), 1035, 4590,
           3600, 210)
      ->setAlignment(Qt::AlignCenter);

  const QString kinds[] = {QStringLiteral("File html (htm, html, asp)"),
                           QStringLiteral("File di testo (txt)"),
                           QStringLiteral("File News di Outlook Express (dbx)")};
  const int kindWidths[] = {2460, 2460, 2910};
  for (int index = 0; index < 3; ++index) {
    auto* option = new QRadioButton(kinds[index], client);
    option->setObjectName(QStringLiteral("optKindF(%1)").arg(index));
    option->setGeometry(TwipsRect(255, 4980 + 270 * index, kindWidths[index], 225));
    connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
      if (checked) optKindF_Click(index);
    });
    optKindF_[index] = option;
  }
  optKindF_[kKindWebPages]->setChecked(true);
  // The options and the check box may reach up to "Estrazione".
  const int besideExtract = TwipsToPixels(3855) - 4;

  chkApp_ = new QCheckBox(QStringLiteral("Aggiungi al file Mailout esistente"), client);
  chkApp_->setObjectName(QStringLiteral("chkApp"));
  chkApp_->setGeometry(TwipsRect(270, 5925, 2715, 195));
  const std::initializer_list<QWidget*> besideExtractControls = {optKindF_[0], optKindF_[1],
                                                                 optKindF_[2], chkApp_};
  for (QWidget* control : besideExtractControls) {
    FitCaption(*control, 0, besideExtract);
  }

  cmdExtract_ =
      AddGraphicalButton(client, "cmdExtract", QStringLiteral("Estrazione"), 3855, 5445, 1470, 690);
  connect(cmdExtract_, &QPushButton::clicked, this, [this] { cmdExtract_Click(); });
}

void FMain::BuildMenus() {
  mnuFile_ = menuBar()->addMenu(QStringLiteral("File"));
  mnuFile_->setObjectName(QStringLiteral("mnuFile"));
  QAction* exit =
      mnuFile_->addAction(QStringLiteral("Esci"), this, [this] { mnuFileExit_Click(); });
  exit->setObjectName(QStringLiteral("mnuFileExit"));

  mnuStru_ = menuBar()->addMenu(QStringLiteral("Strumenti"));
  mnuStru_->setObjectName(QStringLiteral("mnuStru"));
  QAction* sub = mnuStru_->addAction(QStringLiteral("Sottrai indirizzi..."), this,
                                     [this] { mnuStruSub_Click(); });
  sub->setObjectName(QStringLiteral("mnuStruSub"));
  QAction* dbl =
      mnuStru_->addAction(QStringLiteral("Elimina doppi..."), this, [this] { mnuStruDbl_Click(); });
  dbl->setObjectName(QStringLiteral("mnuStruDbl"));
}

void FMain::SetTabOrder() {
  // Labels take no focus, so the order runs from the paths straight to the options.
  QWidget* order[] = {cmdExtract_, txtPath_[0],  cmdSfoglia_[0], txtPath_[1], cmdSfoglia_[1],
                      chkApp_,     optKindF_[0], optKindF_[1],   optKindF_[2]};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  cmdExtract_->setFocus();
}

void FMain::Form_Load() {
  PlaceForm(*this);
  setWindowTitle(QStringLiteral("%1 %2.%3.%4")
                     .arg(QString::fromUtf8(kProgramTitle))
                     .arg(kVersionMajor)
                     .arg(kVersionMinor)
                     .arg(kVersionRevision));
}

void FMain::SetWorking(bool working) {
  const std::initializer_list<QWidget*> controls = {cmdExtract_, txtPath_[0], txtPath_[1],
                                                    cmdSfoglia_[0], cmdSfoglia_[1]};
  for (QWidget* control : controls) {
    control->setEnabled(!working);
  }
  for (QMenu* menu : {mnuFile_, mnuStru_}) {
    menu->menuAction()->setEnabled(!working);
    for (QAction* action : menu->actions()) action->setEnabled(!working);
  }
  if (sottrai_ != nullptr) sottrai_->SetWorking(working);
}

void FMain::cmdSfoglia_Click(int index) {
  const std::string path =
      BrowseForFolder(this, "Scelta percorso", kBrowseOnlyFileSystemFolders, desktop_);
  if (!path.empty()) txtPath_[index]->setText(ToQString(path));
}

void FMain::cmdExtract_Click() {
  if (working_) return;
  WorkScope work(*this);
  const RunResult result = RunExtraction(ToBytes(txtPath_[0]->text()), ToBytes(txtPath_[1]->text()),
                                         FileKind, CheckValue(*chkApp_), Counters, *windows_);
  windows_->ApplyCaptions();
  if (result.outcome == RunOutcome::kFailed) {
    ReportFailure(*windows_,
                  "Estrazione interrotta: il file di output contiene solo gli "
                  "indirizzi scritti fino all'errore.",
                  result.failureNumber, result.failureDescription);
  } else if (result.elimination.outcome == EliminationOutcome::kFailed) {
    ReportFailure(*windows_,
                  "Eliminazione doppi non riuscita: il file di output è rimasto com'era.",
                  result.elimination.failureNumber, result.elimination.failureDescription);
  }
  ReportSkippedFiles(result.skippedFiles);
}

void FMain::ReportSkippedFiles(const std::vector<SkippedFile>& skipped) {
  if (skipped.empty()) return;
  constexpr std::size_t kNamesShown = 5;
  std::string text = "File non letti: " + std::to_string(skipped.size()) +
                     ". I loro indirizzi mancano in MailOut.txt.\n";
  for (std::size_t i = 0; i < skipped.size() && i < kNamesShown; ++i)
    text += "\n" + skipped[i].path + " (" + skipped[i].reason + ")";
  if (skipped.size() > kNamesShown) text += "\n...";
  windows_->ShowMessage(text, kMessageInformation);
}

void FMain::optKindF_Click(int index) {
  FileKind = static_cast<std::int16_t>(index);
}

void FMain::imgHelp_Click() {
  OpenDocument(HelpPagePath(windows_->Facts().folder, "help.htm"), desktop_);
}

void FMain::Image1_Click(int) {
  OpenWebSite(desktop_);
}

void FMain::mnuFileExit_Click() {
  close();
}

void FMain::mnuStruSub_Click() {
  if (sottrai_ == nullptr) {
    sottrai_ = new FSottrai(this, desktop_, *windows_);
    sottrai_->show();
  } else {
    sottrai_->show();
    sottrai_->raise();
    sottrai_->activateWindow();
  }
}

void FMain::mnuStruDbl_Click() {
  if (working_) return;
  dlg_.DialogTitle = QStringLiteral("Eliminazione doppi");
  if (!dlg_.ShowOpen(this, desktop_)) return;
  const std::string path = dlg_.TrimmedFileName();
  if (path.empty()) return;
  WorkScope work(*this);
  const EliminationResult result =
      RemoveDuplicates(path, Counters.TotalLines, Counters.DuplicatesRemoved, *windows_);
  if (result.outcome == EliminationOutcome::kFailed) {
    ReportFailure(*windows_, "Eliminazione doppi non riuscita: il file è rimasto com'era.",
                  result.failureNumber, result.failureDescription);
  }
}

void FMain::closeEvent(QCloseEvent* event) {
  // A run or an elimination cannot be abandoned half-way without losing its work: the close
  // is taken as "stop, then close". An elimination stops at its next step, as with
  // "Annulla", leaving its list as it was; a run first finishes reading its files.
  if (working_) {
    event->ignore();
    if (!closeRequested_) {
      closeRequested_ = true;
      windows_->RequestStop();
      windows_->SetCaption(StatusLabel::kRes, "Chiusura al termine dell'elaborazione...");
    }
    return;
  }
  if (sottrai_ != nullptr) sottrai_->close();
  event->accept();
}

}  // namespace ondrel::ui
