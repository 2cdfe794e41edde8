// The real dialogs of the desktop: Qt's stock texts in Italian, and the folder browser that
// starts at the user's home folder.
#include "ui/qt/desktop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/ui_test_registry.h"

namespace ondrel::ui::testing {

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // The test program loads the translations at start, as the desktop program does.
  void StockTextsAreItalian() {
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Cerca in:"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
  }

  void FolderBrowserStartsAtHomeAndSpeaksItalian() {
    QString startFolder;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      startFolder = dialog->directory().absolutePath();
      for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisible()) buttons << button->text().remove(QLatin1Char('&'));
      dialog->reject();
    });
    QtDesktop desktop;
    QCOMPARE(desktop.ChooseFolder(nullptr, "Scelta percorso", 1), std::string());
    QCOMPARE(startFolder, QDir::home().absolutePath());
    QVERIFY2(buttons.contains(QStringLiteral("Annulla")), qPrintable(buttons.join(',')));
  }
};

ONDREL_UI_TEST(DesktopTest);

}  // namespace ondrel::ui::testing

#include "desktop_test.moc"
