// The real dialogs of the desktop: Qt's stock texts in Italian, and the folder browser that
// starts at the user's home folder.
#include "ui/qt/desktop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "ui/qt/text_codec.h"
#include "ui/test_folder.h"
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

  // The tests run under an English locale: the list's details stay Italian all the same.
  void FileDialogListsItsDetailsInItalian() {
    TestFolder folder;
    folder.Write(QStringLiteral("liste/clienti.txt"), "anna@esempio.it\r\n");
    folder.Write(QStringLiteral("note.txt"), "bruno@esempio.it\r\n");
    QStringList details;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      // The list as its detail view shows it.
      const auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
      QDeadlineTimer deadline(10000);
      while (view->model()->rowCount(view->rootIndex()) < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        const QModelIndex name = view->model()->index(row, 0, view->rootIndex());
        details << name.data().toString() + QLatin1Char(' ') +
                       name.siblingAtColumn(2).data().toString() + QLatin1Char(' ') +
                       name.siblingAtColumn(3).data().toString();
      }
      dialog->reject();
    });
    QtDesktop desktop;
    desktop.ChooseFile(nullptr, "Indica file", ToBytes(folder.Path(QStringLiteral("x.txt"))));
    details.sort();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto modified = [&](const QString& relative) {
      return italian.toString(QFileInfo(folder.Path(relative)).lastModified(),
                              QLocale::ShortFormat);
    };
    QCOMPARE(details, QStringList({"liste Cartella " + modified(QStringLiteral("liste")),
                                   "note.txt File txt " + modified(QStringLiteral("note.txt"))}));
  }
};

ONDREL_UI_TEST(DesktopTest);

}  // namespace ondrel::ui::testing

#include "desktop_test.moc"
