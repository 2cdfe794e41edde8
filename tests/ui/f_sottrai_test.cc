// The subtraction window driven as a user would: one instance, the shared file dialog, the
// checks of "Crea nuovo file" and its output, the tab order and the help page.
#include "ui/qt/f_sottrai.h"

#include <QLineEdit>
#include <QWindow>

#include "ui/qt/f_main.h"
#include "ui/qt/qt_window_system.h"
#include "ui/scripted_desktop.h"
#include "ui/test_folder.h"
#include "ui/ui_test_registry.h"
#include "ui/window_driver.h"

namespace ondrel::ui::testing {

class SubtractionWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScriptedDesktop> desktop_;
  std::unique_ptr<FMain> main_;

  FSottrai& Open() {
    Choose(*main_, QStringLiteral("mnuStruSub"));
    auto* window = main_->findChild<FSottrai*>(QStringLiteral("FSottrai"));
    if (window == nullptr) qFatal("FSottrai did not open");
    return *window;
  }
  void Subtract(const QString& base, const QString& exclusion) {
    FSottrai& window = Open();
    Find<QLineEdit>(window, QStringLiteral("txtFile(0)"))->setText(base);
    Find<QLineEdit>(window, QStringLiteral("txtFile(1)"))->setText(exclusion);
    Click(window, QStringLiteral("cmdSub"));
  }

 private slots:
  void init() {
    desktop_ = std::make_unique<ScriptedDesktop>();
    main_ = std::make_unique<FMain>(*desktop_);
    main_->show();
  }
  void cleanup() {
    main_.reset();
    desktop_.reset();
  }

  void OpensOwnedAndModelessWithItsLayout() {
    FSottrai& window = Open();
    QVERIFY(window.isVisible());
    QVERIFY(window.isWindow());
    QCOMPARE(window.parentWidget(), main_.get());
    QVERIFY(!window.isModal());
    // Owned: the window manager keeps it above the main window (the transient-for hint,
    // which X11 gives to dialog-type windows).
    QCOMPARE(window.windowType(), Qt::Dialog);
    QVERIFY(window.windowHandle() != nullptr);
    QCOMPARE(window.windowHandle()->transientParent(), main_->windowHandle());
    QCOMPARE(window.windowTitle(), QStringLiteral("Sottrai indirizzi"));
    QCOMPARE(window.size(), QSize(351, 255));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(Find(window, QStringLiteral("cmdSub"))->geometry(), QRect(126, 194, 98, 46));
    QCOMPARE(Find(window, QStringLiteral("txtFile(1)"))->geometry(), QRect(8, 115, 278, 19));
    QCOMPARE(Find(window, QStringLiteral("imgHelp"))->geometry(), QRect(11, 210, 32, 32));
    QCOMPARE(Find(window, QStringLiteral("imgHelp"))->toolTip(), QStringLiteral("Informazioni"));
  }

  void SecondSfogliaHasTheFocusAndLeadsTheTabOrder() {
    FSottrai& window = Open();
    QCOMPARE(window.focusWidget(), Find(window, QStringLiteral("cmdSfoglia(1)")));
    QCOMPARE(TabOrder(Find(window, QStringLiteral("cmdSfoglia(1)")), 5),
             QStringList({"cmdSfoglia(1)", "txtFile(1)", "cmdSfoglia(0)", "txtFile(0)", "cmdSub"}));
  }

  void MenuBringsTheOneInstanceForward() {
    FSottrai& first = Open();
    Find<QLineEdit>(first, QStringLiteral("txtFile(0)"))->setText(QStringLiteral("base.txt"));
    FSottrai& second = Open();
    QCOMPARE(&second, &first);
    QCOMPARE(main_->findChildren<FSottrai*>().size(), 1);
    QCOMPARE(Find<QLineEdit>(second, QStringLiteral("txtFile(0)"))->text(),
             QStringLiteral("base.txt"));
  }

  void ClosedWindowComesBackWithEmptyBoxes() {
    QPointer<FSottrai> first = &Open();
    Find<QLineEdit>(*first, QStringLiteral("txtFile(0)"))->setText(QStringLiteral("base.txt"));
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(Find<QLineEdit>(Open(), QStringLiteral("txtFile(0)"))->text(), QString());
  }

  void BothSfogliaShareOneDialogThatKeepsTheLastName() {
    FSottrai& window = Open();
    desktop_->fileAnswers = {QStringLiteral(" /liste/base.txt "), QString()};
    Click(window, QStringLiteral("cmdSfoglia(0)"));
    Click(window, QStringLiteral("cmdSfoglia(1)"));
    QCOMPARE(Find<QLineEdit>(window, QStringLiteral("txtFile(0)"))->text(),
             QStringLiteral("/liste/base.txt"));
    // The cancel leaves the other box empty although the dialog still holds a name.
    QCOMPARE(Find<QLineEdit>(window, QStringLiteral("txtFile(1)"))->text(), QString());
    QCOMPARE(desktop_->fileRequests.size(), std::size_t{2});
    QCOMPARE(desktop_->fileRequests[0].title, QStringLiteral("Indica file"));
    QCOMPARE(desktop_->fileRequests[1].presetName, QStringLiteral(" /liste/base.txt "));
  }

  void CreaNuovoFileWritesTheBaseLinesNotExcluded() {
    TestFolder folder;
    const QString base = folder.Write(QStringLiteral("liste/base.txt"),
                                      "anna@esempio.it\r\n bruno@esempio.it\r\nanna@esempio.it\r\n"
                                      "CARLA@esempio.it\r\n");
    const QString exclusion =
        folder.Write(QStringLiteral("escludi.txt"), "anna@esempio.it  \r\ncarla@esempio.it\r\n");
    folder.Write(QStringLiteral("liste/MailNew.txt"), "vecchio contenuto\r\n");
    Subtract(base, exclusion);
    QCOMPARE(desktop_->messages.size(), std::size_t{0});
    QCOMPARE(TestFolder::Read(folder.Path(QStringLiteral("liste/MailNew.txt"))),
             QByteArray("bruno@esempio.it\r\nCARLA@esempio.it\r\n"));
    QCOMPARE(QString::fromStdString(
                 Find<FSottrai>(*main_, QStringLiteral("FSottrai"))->Handlers().NewFilePath),
             folder.Path(QStringLiteral("liste/MailNew.txt")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void CreaNuovoFileRefusesWithItsMessages_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("exclusion");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("style");
    const QString equal = QStringLiteral(
        "I nomi di file base, file di sottrazione e file output non possono essere uguali.");
    QTest::newRow("same text in both boxes") << "manca.txt"
                                             << "manca.txt" << equal << 0;
    QTest::newRow("base is MailNew.txt") << "MailNew.txt"
                                         << "escludi.txt" << equal << 0;
    QTest::newRow("base missing") << "manca.txt"
                                  << "anche-manca.txt"
                                  << "Il file base non esiste" << 64;
    QTest::newRow("exclusion missing") << "base.txt"
                                       << "manca.txt"
                                       << "Il file di sottrazione non esiste" << 64;
  }
  void CreaNuovoFileRefusesWithItsMessages() {
    QFETCH(QString, base);
    QFETCH(QString, exclusion);
    QFETCH(QString, message);
    QFETCH(int, style);
    TestFolder folder;
    folder.Write(QStringLiteral("base.txt"), "a\r\n");
    folder.Write(QStringLiteral("escludi.txt"), "b\r\n");
    Subtract(folder.Path(base), folder.Path(exclusion));
    QCOMPARE(desktop_->messages.size(), std::size_t{1});
    QCOMPARE(desktop_->messages[0].text, message);
    QCOMPARE(desktop_->messages[0].style, style);
    QCOMPARE(desktop_->messages[0].title, QStringLiteral("Ondrel"));
    QVERIFY(!QFileInfo::exists(folder.Path(QStringLiteral("MailNew.txt"))) ||
            base == QStringLiteral("MailNew.txt"));
  }

  void HelpPictureOpensTheSubtractionPage() {
    QTest::mouseClick(Find(Open(), QStringLiteral("imgHelp")), Qt::LeftButton);
    QCOMPARE(desktop_->openedUrls.size(), std::size_t{1});
    QCOMPARE(QFileInfo(desktop_->openedUrls[0].toLocalFile()).fileName(),
             QStringLiteral("sottrai.htm"));
  }
};

ONDREL_UI_TEST(SubtractionWindowTest);

}  // namespace ondrel::ui::testing

#include "f_sottrai_test.moc"
