// Renders each window of the desktop program to a PNG: ondrel_render_windows OUTPUT_FOLDER.
// Run it through scripts/render-windows.sh, under the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>

#include "lists/hgauge.h"
#include "ui/desktop.h"
#include "ui/f_dlg_doppi.h"
#include "ui/f_main.h"
#include "ui/qt_window_system.h"

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
  window.activateWindow();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(name);
  const bool saved = window.grab().save(path);
  qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    qWarning("usage: ondrel_render_windows OUTPUT_FOLDER");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  bool saved = true;

  ondrel::ui::QtDesktop desktop;
  ondrel::ui::FMain main(desktop);
  main.show();
  saved &= Save(main, folder, QStringLiteral("FMain.png"));

  // The same window as a finished run leaves it.
  main.findChild<QLineEdit*>(QStringLiteral("txtPath(0)"))
      ->setText(QStringLiteral("/home/utente/pagine"));
  main.findChild<QLineEdit*>(QStringLiteral("txtPath(1)"))
      ->setText(QStringLiteral("/home/utente/liste"));
  ondrel::ui::QtWindowSystem& windows = main.Windows();
  windows.SetCaption(ondrel::StatusLabel::kProc, "Analisi di: contatti.htm");
  windows.SetCaption(ondrel::StatusLabel::kMail, "Fine elaborazione. Totale indirizzi:27");
  windows.SetCaption(ondrel::StatusLabel::kRes, "Trovati: 10   Doppi: 3   Nuovi: 7");
  windows.ApplyCaptions();
  saved &= Save(main, folder, QStringLiteral("FMain-after-run.png"));

  main.findChild<QAction*>(QStringLiteral("mnuStruSub"))->trigger();
  QWidget* sottrai = main.findChild<QWidget*>(QStringLiteral("FSottrai"));
  sottrai->findChild<QLineEdit*>(QStringLiteral("txtFile(0)"))
      ->setText(QStringLiteral("/home/utente/liste/clienti.txt"));
  saved &= Save(*sottrai, folder, QStringLiteral("FSottrai.png"));

  // The progress dialog part-way through marking, drawn by the gauge as an elimination
  // draws it: loading done in blue, the box cleared to yellow for the sort, then marking
  // in red from the start again.
  ondrel::ui::FDlgDoppi dialog;
  dialog.show();
  ondrel::PictureBox& picture = dialog.Picture();
  ondrel::CHgauge gauge(main.Windows());
  gauge.Max(100);
  gauge.Min(0);
  gauge.Setup(picture);
  gauge.Paint(100, picture, ondrel::Rgb(0, 0, 255));
  picture.SetBackColour(ondrel::Rgb(255, 255, 0));
  for (std::int16_t percent = 1; percent <= 45; ++percent)
    gauge.Paint(percent, picture, ondrel::Rgb(255, 0, 0));
  saved &= Save(dialog, folder, QStringLiteral("FDlgDoppi.png"));
  return saved ? 0 : 1;
}
