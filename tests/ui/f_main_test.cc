// The main window driven as a user would: runs, refusals, kinds, the duplicates tool and
// its "Annulla", the caption, the tab order and the places of controls.
#include "ui/qt/f_main.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>

#include "ondrel/version.h"
#include "ui/qt/qt_window_system.h"
#include "ui/scripted_desktop.h"
#include "ui/shared/layouts.h"
#include "ui/shared/shell.h"
#include "ui/test_folder.h"
#include "ui/ui_test_registry.h"
#include "ui/window_driver.h"

namespace ondrel::ui::testing {

namespace {

// A tree with one address of each kind: a link in a page, a word in a text file, and a
// store file with a valid address among binary bytes.
void WriteMixedTree(const TestFolder& folder) {
  folder.Write(QStringLiteral("scan/pagina.htm"),
               "<a href=\"mailto:carla@esempio.it\">Carla</a> anna@esempio.it\r\n");
  folder.Write(QStringLiteral("scan/sotto/note.txt"),
               "scrivi a anna@esempio.it oppure bruno@esempio.it\r\n");
  folder.Write(QStringLiteral("scan/posta.dbx"),
               QByteArray("\x01\x02 dario@esempio.it") + QByteArray(1, '\0') + " x\r\n");
  QDir().mkpath(folder.Path(QStringLiteral("out")));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScriptedDesktop> desktop_;
  std::unique_ptr<FMain> window_;

  FMain& Window() { return *window_; }
  void Run(const QString& scan, const QString& output) {
    Type(Window(), QStringLiteral("txtPath(0)"), scan);
    Type(Window(), QStringLiteral("txtPath(1)"), output);
    Click(Window(), QStringLiteral("cmdExtract"));
  }
  QStringList Messages() const {
    QStringList texts;
    for (const auto& message : desktop_->messages) texts << message.text;
    return texts;
  }

 private slots:
  void init() {
    desktop_ = std::make_unique<ScriptedDesktop>();
    window_ = std::make_unique<FMain>(*desktop_);
    window_->Windows().SetYieldInterval(0);
    window_->show();
  }
  void cleanup() {
    window_.reset();
    desktop_.reset();
  }

  void CaptionShowsTheVersion() {
    QCOMPARE(Window().windowTitle(), QStringLiteral("Ondrel ") + QString::fromUtf8(kVersionText));
  }

  void WindowHasAFixedBorderWithoutMinimiseOrMaximise() {
    QVERIFY(!(Window().windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(Window().windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(Window().minimumSize(), Window().maximumSize());
    QCOMPARE(Find(Window(), QStringLiteral("client"))->size(), QSize(364, 417));
  }

  void OpensCentredOnTheScreen() {
    // The window is placed before it shows, when its frame is not known yet: the frame
    // may shift it by half its own width.
    const QRect screen = Window().screen()->geometry();
    const QRect frame = Window().frameGeometry();
    const QSize slack = (frame.size() - Window().geometry().size()) / 2 + QSize(1, 1);
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= slack.width());
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= slack.height());
  }

  void ControlsStandAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("txtPath(0)") << "txtPath(0)" << QRect(9, 102, 296, 19);
    QTest::newRow("cmdSfoglia(1)") << "cmdSfoglia(1)" << QRect(308, 141, 47, 20);
    QTest::newRow("lblMail") << "lblMail" << QRect(17, 290, 330, 14);
    QTest::newRow("cmdExtract") << "cmdExtract" << QRect(257, 363, 98, 46);
    QTest::newRow("lblTit(0)") << "lblTit(0)" << QRect(75, 3, 214, 28);  // grown for its face
  }
  void ControlsStandAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QCOMPARE(Find(Window(), name)->geometry(), place);
  }

  void TabOrderStartsAtEstrazione() {
    QCOMPARE(Window().focusWidget(), Find(Window(), QStringLiteral("cmdExtract")));
    QCOMPARE(TabOrder(Find(Window(), QStringLiteral("cmdExtract")), 9),
             QStringList({"cmdExtract", "txtPath(0)", "cmdSfoglia(0)", "txtPath(1)",
                          "cmdSfoglia(1)", "chkApp", "optKindF(0)", "optKindF(1)", "optKindF(2)"}));
  }

  void MenusHoldTheirItemsInOrder() {
    const QList<QAction*> bar = Window().menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), QStringLiteral("File"));
    QCOMPARE(bar[1]->text(), QStringLiteral("Strumenti"));
    QCOMPARE(bar[0]->menu()->actions()[0]->text(), QStringLiteral("Esci"));
    QCOMPARE(bar[1]->menu()->actions()[0]->text(), QStringLiteral("Sottrai indirizzi..."));
    QCOMPARE(bar[1]->menu()->actions()[1]->text(), QStringLiteral("Elimina doppi..."));
  }

  void FreshWindowScansWebPages() {
    QVERIFY(Find<QRadioButton>(Window(), QStringLiteral("optKindF(0)"))->isChecked());
    QCOMPARE(Window().Handlers().FileKind, std::int16_t{0});
    QVERIFY(!Find<QCheckBox>(Window(), QStringLiteral("chkApp"))->isChecked());
    QCOMPARE(TextOf(Window(), QStringLiteral("lblMail")), QStringLiteral("Indirizzo email"));
  }

  void RunFromFilledBoxesWritesMailOutAndShowsTheSummary() {
    TestFolder folder;
    WriteMixedTree(folder);
    QTest::mouseClick(Find(Window(), QStringLiteral("optKindF(1)")), Qt::LeftButton);
    QCOMPARE(Window().Handlers().FileKind, std::int16_t{1});
    Run(folder.Path(QStringLiteral("scan")), folder.Path(QStringLiteral("out")));
    QCOMPARE(Messages(), QStringList());
    QCOMPARE(TestFolder::Read(folder.Path(QStringLiteral("out/MailOut.txt"))),
             QByteArray("anna@esempio.it\r\nbruno@esempio.it\r\n"));
    QCOMPARE(TextOf(Window(), QStringLiteral("lblMail")),
             QStringLiteral("Fine elaborazione. Totale indirizzi:2"));
    QCOMPARE(TextOf(Window(), QStringLiteral("lblRes")),
             QStringLiteral("Trovati: 2   Doppi: 0   Nuovi: 2"));
    QVERIFY(TextOf(Window(), QStringLiteral("lblProc")).startsWith(QStringLiteral("Analisi di: ")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void KindOptionsChooseTheFilesRead_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("mailOut");
    QTest::newRow("web pages") << "optKindF(0)" << QByteArray("carla@esempio.it\r\n");
    QTest::newRow("text files") << "optKindF(1)"
                                << QByteArray("anna@esempio.it\r\nbruno@esempio.it\r\n");
    QTest::newRow("store files") << "optKindF(2)" << QByteArray("dario@esempio.it\r\n");
  }
  void KindOptionsChooseTheFilesRead() {
    QFETCH(QString, option);
    QFETCH(QByteArray, mailOut);
    TestFolder folder;
    WriteMixedTree(folder);
    QTest::mouseClick(Find(Window(), option), Qt::LeftButton);
    Run(folder.Path(QStringLiteral("scan")), folder.Path(QStringLiteral("out")));
    QCOMPARE(TestFolder::Read(folder.Path(QStringLiteral("out/MailOut.txt"))), mailOut);
  }

  void AppendOptionKeepsTheEarlierAddresses() {
    TestFolder folder;
    WriteMixedTree(folder);
    folder.Write(QStringLiteral("out/MailOut.txt"), "anna@esempio.it\r\nzeno@esempio.it\r\n");
    QTest::mouseClick(Find(Window(), QStringLiteral("optKindF(1)")), Qt::LeftButton);
    Find<QCheckBox>(Window(), QStringLiteral("chkApp"))->setChecked(true);
    Run(folder.Path(QStringLiteral("scan")), folder.Path(QStringLiteral("out")));
    QCOMPARE(TestFolder::Read(folder.Path(QStringLiteral("out/MailOut.txt"))),
             QByteArray("anna@esempio.it\r\nbruno@esempio.it\r\nzeno@esempio.it\r\n"));
    QCOMPARE(TextOf(Window(), QStringLiteral("lblRes")),
             QStringLiteral("Trovati: 2   Doppi: 1   Nuovi: 1"));
  }

  void FilesNotReadAreCountedAndNamedAfterTheSummary() {
    TestFolder folder;
    WriteMixedTree(folder);
    const QByteArray saved = qgetenv("TEMP");
    qputenv("TEMP", folder.Path(QStringLiteral("missing")).toUtf8());  // no room for copies
    QTest::mouseClick(Find(Window(), QStringLiteral("optKindF(2)")), Qt::LeftButton);
    Run(folder.Path(QStringLiteral("scan")), folder.Path(QStringLiteral("out")));
    if (saved.isNull()) {
      qunsetenv("TEMP");
    } else {
      qputenv("TEMP", saved);
    }
    QCOMPARE(Messages().size(), 1);
    QVERIFY(Messages()[0].startsWith(QStringLiteral("File non letti: 1.")));
    QVERIFY(Messages()[0].contains(folder.Path(QStringLiteral("scan/posta.dbx"))));
    QCOMPARE(TextOf(Window(), QStringLiteral("lblRes")),
             QStringLiteral("Trovati: 0   Doppi: 0   Nuovi: 0"));
  }

  void RefusedRunsShowTheirMessage_data() {
    QTest::addColumn<QString>("scan");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message");
    QTest::newRow("same folder") << "scan"
                                 << "scan/"
                                 << "Non e` possibile creare il file di output nella stessa "
                                    "cartella contenente i files da cui estrarre le mail";
    QTest::newRow("both boxes empty") << ""
                                      << ""
                                      << "Non e` possibile creare il file di output nella "
                                         "stessa cartella contenente i files da cui estrarre "
                                         "le mail";
    QTest::newRow("scan folder missing") << "manca"
                                         << "altra"
                                         << "Il percorso per la scansione non esiste";
    QTest::newRow("output folder missing")
        << "scan"
        << "manca"
        << "Il percorso dove scrivere il file con le mail estratte non esiste";
  }
  void RefusedRunsShowTheirMessage() {
    QFETCH(QString, scan);
    QFETCH(QString, output);
    QFETCH(QString, message);
    TestFolder folder;
    WriteMixedTree(folder);
    const auto inFolder = [&](const QString& path) {
      return path.isEmpty() ? path : folder.Path(path);
    };
    // The checks come first: the window is not greyed behind the message.
    bool enabledBehindTheMessage = false;
    desktop_->onMessage = [&] {
      enabledBehindTheMessage = Find(Window(), QStringLiteral("cmdExtract"))->isEnabled() &&
                                Find(Window(), QStringLiteral("txtPath(0)"))->isEnabled();
    };
    Run(inFolder(scan), inFolder(output));
    QVERIFY(enabledBehindTheMessage);
    QCOMPARE(desktop_->messages.size(), std::size_t{1});
    QCOMPARE(desktop_->messages[0].text, message);
    QCOMPARE(desktop_->messages[0].style, 64);
    QCOMPARE(desktop_->messages[0].title, QStringLiteral("Ondrel"));
    QCOMPARE(TextOf(Window(), QStringLiteral("lblMail")), QStringLiteral("Indirizzo email"));
    QVERIFY(Find(Window(), QStringLiteral("cmdExtract"))->isEnabled());
  }

  void ControlsAreDisabledWhileARunWorks() {
    TestFolder folder;
    WriteMixedTree(folder);
    Choose(Window(), QStringLiteral("mnuStruSub"));
    QTest::mouseClick(Find(Window(), QStringLiteral("optKindF(1)")), Qt::LeftButton);
    QStringList enabledDuringRun;
    // The progress dialog of the run's duplicate elimination is on show mid-run.
    WhenShown(QStringLiteral("FDlgDoppi"), [&](QWidget&) {
      for (const char* name :
           {"cmdExtract", "txtPath(0)", "txtPath(1)", "cmdSfoglia(0)", "cmdSfoglia(1)"}) {
        if (Find(Window(), QString::fromLatin1(name))->isEnabled()) enabledDuringRun << name;
      }
      if (Find(*Find(Window(), QStringLiteral("FSottrai")), QStringLiteral("cmdSub"))->isEnabled())
        enabledDuringRun << "cmdSub";
      for (const char* name : {"mnuFileExit", "mnuStruSub", "mnuStruDbl"}) {
        if (Find<QAction>(Window(), QString::fromLatin1(name))->isEnabled())
          enabledDuringRun << name;
      }
      enabledDuringRun << "checked";
    });
    Run(folder.Path(QStringLiteral("scan")), folder.Path(QStringLiteral("out")));
    QCOMPARE(enabledDuringRun, QStringList{"checked"});
    QVERIFY(Find(Window(), QStringLiteral("cmdExtract"))->isEnabled());
    QVERIFY(Find(Window(), QStringLiteral("txtPath(0)"))->isEnabled());
    QVERIFY(Find<QAction>(Window(), QStringLiteral("mnuStruDbl"))->isEnabled());
    QVERIFY(
        Find(*Find(Window(), QStringLiteral("FSottrai")), QStringLiteral("cmdSub"))->isEnabled());
  }

  // Space on "Estrazione" starts a run; the next Space must start another one, not tick
  // the append option that the greyed controls pushed the focus onto.
  void FocusReturnsToEstrazioneAfterARun() {
    TestFolder folder;
    WriteMixedTree(folder);
    Type(Window(), QStringLiteral("txtPath(0)"), folder.Path(QStringLiteral("scan")));
    Type(Window(), QStringLiteral("txtPath(1)"), folder.Path(QStringLiteral("out")));
    QWidget* extract = Find(Window(), QStringLiteral("cmdExtract"));
    extract->setFocus();
    QWidget* focusDuringRun = nullptr;
    WhenShown(QStringLiteral("FDlgDoppi"),
              [&](QWidget&) { focusDuringRun = Window().focusWidget(); });
    QTest::keyClick(extract, Qt::Key_Space);
    QVERIFY(focusDuringRun != extract);  // greyed, it could not keep the focus
    QVERIFY(QFileInfo::exists(folder.Path(QStringLiteral("out/MailOut.txt"))));
    QCOMPARE(Window().focusWidget(), extract);
    QVERIFY(!Find<QCheckBox>(Window(), QStringLiteral("chkApp"))->isChecked());
  }

  // The close box during an elimination stops it as "Annulla" does, then closes the window.
  void CloseBoxDuringAnEliminationStopsItThenCloses() {
    TestFolder folder;
    QByteArray lines;
    for (int i = 5000; i > 0; --i) lines += "indirizzo" + QByteArray::number(i) + "@esempio.it\r\n";
    const QString list = folder.Write(QStringLiteral("grande.txt"), lines);
    bool openAfterClose = false;
    QString resAfterClose;
    WhenShown(QStringLiteral("FDlgDoppi"), [&](QWidget&) {
      Window().close();
      openAfterClose = Window().isVisible();
      Window().Windows().ApplyCaptions();
      resAfterClose = TextOf(Window(), QStringLiteral("lblRes"));
    });
    desktop_->fileAnswers = {list};
    Choose(Window(), QStringLiteral("mnuStruDbl"));
    QVERIFY(openAfterClose);
    QCOMPARE(resAfterClose, QStringLiteral("Chiusura al termine dell'elaborazione..."));
    QCOMPARE(TestFolder::Read(list), lines);
    QTRY_VERIFY(!Window().isVisible());
    QCOMPARE(Messages(), QStringList());
  }

  void BrowseFillsTheBoxAndCancelLeavesIt() {
    Find<QLineEdit>(Window(), QStringLiteral("txtPath(1)"))->setText(QStringLiteral("/prima"));
    desktop_->folderAnswers = {QStringLiteral("/dati/pagine"), QString()};
    Click(Window(), QStringLiteral("cmdSfoglia(0)"));
    Click(Window(), QStringLiteral("cmdSfoglia(1)"));
    QCOMPARE(Find<QLineEdit>(Window(), QStringLiteral("txtPath(0)"))->text(),
             QStringLiteral("/dati/pagine"));
    QCOMPARE(Find<QLineEdit>(Window(), QStringLiteral("txtPath(1)"))->text(),
             QStringLiteral("/prima"));
    QCOMPARE(desktop_->folderTitles, std::vector<QString>({QStringLiteral("Scelta percorso"),
                                                           QStringLiteral("Scelta percorso")}));
    QCOMPARE(desktop_->folderOnlyFlags, std::vector<bool>({true, true}));
  }

  // The logo pictures show and open the product's page, where the build names one.
  void PicturesOpenTheHelpPageAndTheWebSite() {
    QTest::mouseClick(Find(Window(), QStringLiteral("imgHelp")), Qt::LeftButton);
    QTest::mouseClick(Find(Window(), QStringLiteral("Image1(1)")), Qt::LeftButton);
    QCOMPARE(desktop_->openedUrls.size(), std::size_t{layout::kHasWebSite ? 2 : 1});
    QVERIFY(desktop_->openedUrls[0].isLocalFile());
    QCOMPARE(QFileInfo(desktop_->openedUrls[0].toLocalFile()).fileName(),
             QStringLiteral("help.htm"));
    if (layout::kHasWebSite)
      QCOMPARE(desktop_->openedUrls[1], QUrl(QString::fromUtf8(kWebSiteUrl)));
    QCOMPARE(Find(Window(), QStringLiteral("Image1(0)"))->toolTip(),
             QString::fromUtf8(kWebSiteUrl));
    QCOMPARE(Find(Window(), QStringLiteral("imgHelp"))->toolTip(), QStringLiteral("Informazioni"));
  }

  void HelpPagesAreBesideTheProgramInTheBuildTree() {
    const std::string folder = ONDREL_PROGRAM_FOLDER;
    QCOMPARE(HelpPagePath(folder, "help.htm"), folder + "/help.htm");
    QVERIFY(QFileInfo::exists(QStringLiteral(ONDREL_PROGRAM_FOLDER "/help.htm")));
    QVERIFY(QFileInfo::exists(QStringLiteral(ONDREL_PROGRAM_FOLDER "/sottrai.htm")));
  }

  void DuplicatesToolSortsTheChosenFile() {
    TestFolder folder;
    const QString list = folder.Write(QStringLiteral("lista.txt"), "b\r\na\r\nb\r\nC\r\na\r\n");
    desktop_->fileAnswers = {QStringLiteral("  ") + list + QStringLiteral(" ")};
    Choose(Window(), QStringLiteral("mnuStruDbl"));
    QCOMPARE(desktop_->fileRequests.at(0).title, QStringLiteral("Eliminazione doppi"));
    QCOMPARE(TestFolder::Read(list), QByteArray("C\r\na\r\nb\r\n"));
    QCOMPARE(Window().Handlers().Counters.TotalLines, 5);
    QCOMPARE(Window().Handlers().Counters.DuplicatesRemoved, 2);
    QVERIFY(TopLevel(QStringLiteral("FDlgDoppi")) == nullptr);
    QCOMPARE(Messages(), QStringList());
    // The dialog opens with the last chosen name; a cancel then processes nothing.
    folder.Write(QStringLiteral("lista.txt"), "b\r\na\r\n");
    Choose(Window(), QStringLiteral("mnuStruDbl"));
    QCOMPARE(desktop_->fileRequests.at(1).presetName.trimmed(), list);
    QCOMPARE(TestFolder::Read(list), QByteArray("b\r\na\r\n"));
  }

  void AnnullaDuringLoadingLeavesTheFileUnchanged() {
    TestFolder folder;
    QByteArray lines;
    for (int i = 5000; i > 0; --i)
      lines += "indirizzo" + QByteArray::number(i % 1000) + "@esempio.it\r\n";
    const QString list = folder.Write(QStringLiteral("grande.txt"), lines);
    bool menusEnabled = true;
    WhenShown(QStringLiteral("FDlgDoppi"), [&](QWidget& dialog) {
      menusEnabled = Find<QAction>(Window(), QStringLiteral("mnuStruDbl"))->isEnabled();
      Click(dialog, QStringLiteral("cmdCanc"));
    });
    desktop_->fileAnswers = {list};
    Choose(Window(), QStringLiteral("mnuStruDbl"));
    QVERIFY(!menusEnabled);
    QCOMPARE(TestFolder::Read(list), lines);
    QVERIFY(TopLevel(QStringLiteral("FDlgDoppi")) == nullptr);
    QVERIFY(Find<QAction>(Window(), QStringLiteral("mnuStruDbl"))->isEnabled());
    QCOMPARE(Messages(), QStringList());
  }

  void DuplicatesToolOnAMissingFileChangesNothing() {
    TestFolder folder;
    desktop_->fileAnswers = {folder.Path(QStringLiteral("manca.txt"))};
    Choose(Window(), QStringLiteral("mnuStruDbl"));
    QVERIFY(!QFileInfo::exists(folder.Path(QStringLiteral("manca.txt"))));
    QCOMPARE(Window().Handlers().Counters.TotalLines, 0);
    QCOMPARE(Messages(), QStringList());
  }
};

ONDREL_UI_TEST(MainWindowTest);

}  // namespace ondrel::ui::testing

#include "f_main_test.moc"
