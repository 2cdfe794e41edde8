// The small helpers of the desktop program: window placement, the picture box, the window
// operations and where the help pages are found.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "lists/hgauge.h"
#include "ondrel/version.h"
#include "ui/main_controls.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/picture_box_widget.h"
#include "ui/qt/place_form.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/text_codec.h"
#include "ui/scripted_desktop.h"
#include "ui/shared/shell.h"
#include "ui/test_folder.h"
#include "ui/ui_test_registry.h"
#include "ui/window_driver.h"

namespace ondrel::ui::testing {

class HelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void CentredOffsetHalvesTheRoundedDifference_data() {
    QTest::addColumn<float>("screen");
    QTest::addColumn<float>("window");
    QTest::addColumn<int>("offset");
    QTest::newRow("window narrower") << 15360.0f << 5355.0f << 5002;
    QTest::newRow("window wider than the screen") << 15360.0f << 15461.0f << -50;
    QTest::newRow("4.5 rounds to 4") << 10.0f << 5.5f << 2;
    QTest::newRow("5.5 rounds to 6") << 10.0f << 4.5f << 3;
    QTest::newRow("odd difference drops the half") << 7.0f << 0.0f << 3;
  }
  void CentredOffsetHalvesTheRoundedDifference() {
    QFETCH(float, screen);
    QFETCH(float, window);
    QFETCH(int, offset);
    QCOMPARE(CentredOffset(screen, window), offset);
  }

  void PlaceFormCentresTheWindowOnItsScreen() {
    QWidget window;
    window.setFixedSize(200, 100);
    QCOMPARE(PlaceForm(window), 0);
    const QRect screen = window.screen()->geometry();
    QVERIFY(qAbs(window.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window.frameGeometry().center().y() - screen.center().y()) <= 1);
  }

  void PlaceFormLeavesAMaximisedWindowWhereItIs() {
    QWidget window;
    window.setWindowState(Qt::WindowMaximized);
    const QPoint before = window.pos();
    QCOMPARE(PlaceForm(window), kFailureWindowNotMovable);
    QCOMPARE(window.pos(), before);
  }

  void PictureBoxFillsOnItsUserScaleAndKeepsTheDrawing() {
    PictureBoxWidget box(nullptr, QSize(202, 16));
    QCOMPARE(box.Image().size(), QSize(200, 14));
    box.SetScaleMode(0);
    box.SetScaleHeight(1);
    box.SetScaleWidth(100);
    box.FillRectangle(0, 0, 30, 1, Rgb(0, 0, 255));
    QCOMPARE(box.Image().pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(box.Image().pixelColor(60, 13), QColor(0, 0, 255));
    QCOMPARE(box.Image().pixelColor(61, 8), QColor(255, 255, 255));
    // A rectangle of zero width is still a line one pixel wide.
    box.FillRectangle(50, 0, 50, 1, Rgb(255, 0, 0));
    QCOMPARE(box.Image().pixelColor(100, 8), QColor(255, 0, 0));
    QCOMPARE(box.Image().pixelColor(101, 8), QColor(255, 255, 255));
    // What is drawn survives the widget being hidden and painted again.
    box.show();
    box.hide();
    QCOMPARE(box.grab().toImage().pixelColor(10, 8), QColor(0, 0, 255));
  }

  void GaugeDrawsPercentagesOfTheBoxWidth() {
    ScriptedDesktop desktop;
    MainControls main;
    QtWindowSystem windows(main.view, desktop);
    PictureBoxWidget box(nullptr, QSize(202, 16));
    CHgauge gauge(windows);
    gauge.Max(100);
    gauge.Min(0);
    gauge.Setup(box);
    gauge.Paint(30, box, Rgb(0, 0, 255));
    gauge.Paint(60, box, Rgb(0, 0, 255));
    QCOMPARE(box.Image().pixelColor(119, 8), QColor(0, 0, 255));
    QCOMPARE(box.Image().pixelColor(121, 8), QColor(255, 255, 255));
    // Going back clears to the background the box had at Setup, whatever it has now.
    box.SetBackColour(Rgb(255, 255, 0));
    gauge.Paint(20, box, Rgb(255, 0, 0));
    QCOMPARE(box.Image().pixelColor(50, 8), QColor(255, 255, 255));
    QCOMPARE(box.Image().pixelColor(39, 8), QColor(255, 255, 0));
  }

  void PictureBoxBackgroundClearsTheWholeBox() {
    PictureBoxWidget box(nullptr, QSize(288, 16));
    QCOMPARE(box.BackColour(), PictureBoxWidget::kDefaultBackColour);
    box.FillRectangle(0, 0, 100, 10, Rgb(0, 0, 255));
    box.SetBackColour(Rgb(255, 255, 0));
    QCOMPARE(box.BackColour(), Rgb(255, 255, 0));
    QCOMPARE(box.Image().pixelColor(5, 5), QColor(255, 255, 0));
  }

  void BusyPointerIsASettingNotAStack() {
    ScriptedDesktop desktop;
    MainControls main;
    QtWindowSystem windows(main.view, desktop);
    windows.SetBusyPointer(true);
    windows.SetBusyPointer(true);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    windows.SetBusyPointer(false);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void ProgramFactsComeFromTheBuild() {
    ScriptedDesktop desktop;
    MainControls main;
    const ProgramFacts facts = QtWindowSystem(main.view, desktop).Facts();
    QCOMPARE(QString::fromStdString(facts.title), QStringLiteral("Ondrel"));
    QCOMPARE(QStringLiteral("%1.%2.%3").arg(facts.major).arg(facts.minor).arg(facts.revision),
             QString::fromUtf8(kVersionText));
    QCOMPARE(ToQString(facts.folder), QCoreApplication::applicationDirPath());
    QCOMPARE(QString::fromStdString(facts.executableName), QStringLiteral("ondrel_ui_tests"));
  }

  void ProgressDialogIsAnOwnerlessModelessWindowOnTopWhoseCloseBoxStops() {
    ScriptedDesktop desktop;
    MainControls main;
    QtWindowSystem windows(main.view, desktop);
    std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
    auto* window = qobject_cast<FDlgDoppi*>(TopLevel(QStringLiteral("FDlgDoppi")));
    QVERIFY(window != nullptr);
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(!window->isModal());
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(window->windowTitle(), QStringLiteral("Eliminazione doppi ed ordinamento"));
    // The layout with room on either side for the title.
    QCOMPARE(window->size(), QSize(409, 147));
    QCOMPARE(window->findChild<QWidget*>(QStringLiteral("pic(0)"))->geometry(),
             QRect(59, 60, 288, 16));
    QVERIFY(!dialog->Ferma());
    QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!window->close());  // as "Annulla": the elimination unloads it at its next step
    QVERIFY(window->isVisible());
    QVERIFY(dialog->Ferma());
    window->findChild<QPushButton*>(QStringLiteral("cmdCanc"))->click();
    QVERIFY(dialog->Ferma());
    const QPointer<QWidget> watch(window);
    dialog.reset();
    QVERIFY(watch.isNull());
  }

  void HelpPagesAreFoundBesideTheProgramOrInstalled() {
    TestFolder folder;
    const std::string buildTree = ToBytes(folder.Path(QStringLiteral("build")));
    folder.Write(QStringLiteral("build/help.htm"), "<html></html>");
    QCOMPARE(HelpPagePath(buildTree, "help.htm"), buildTree + "/help.htm");

    const std::string bin = ToBytes(folder.Path(QStringLiteral("prefix/bin")));
    QDir().mkpath(ToQString(bin));
    const QString installed =
        QDir::cleanPath(ToQString(bin) + QLatin1Char('/') +
                        QStringLiteral(ONDREL_HELP_FROM_PROGRAM) + QStringLiteral("/sottrai.htm"));
    folder.Write(QDir(folder.Path()).relativeFilePath(installed), "<html></html>");
    QCOMPARE(QDir::cleanPath(ToQString(HelpPagePath(bin, "sottrai.htm"))), installed);
    // Where neither has it, the place beside the program is named (opening it shows nothing).
    QCOMPARE(HelpPagePath(bin, "help.htm"), bin + "/help.htm");
  }
};

ONDREL_UI_TEST(HelpersTest);

}  // namespace ondrel::ui::testing

#include "helpers_test.moc"
