// Renders each window of the desktop program to a PNG: ondrel_render_windows OUTPUT_FOLDER.
// Run it through scripts/render-windows.sh, under the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>

#include "lists/hgauge.h"
#include "ui/qt/desktop.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/f_main.h"
#include "ui/qt/qt_window_system.h"

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

  // The progress dialog at each change of phase, drawn by the gauge as an elimination draws
  // it: loading in blue, the box cleared to yellow for the sort, marking in red from the
  // start again, then writing in green.
  ondrel::ui::FDlgDoppi dialog;
  dialog.show();
  ondrel::PictureBox& picture = dialog.Picture();
  ondrel::CHgauge gauge(main.Windows());
  gauge.Max(100);
  gauge.Min(0);
  gauge.Setup(picture);
  const auto paintUpTo = [&](std::int16_t last, ondrel::Colour colour) {
    for (std::int16_t percent = 1; percent <= last; ++percent)
      gauge.Paint(percent, picture, colour);
  };
  paintUpTo(60, ondrel::Rgb(0, 0, 255));
  saved &= Save(dialog, folder, QStringLiteral("FDlgDoppi-1-loading.png"));
  paintUpTo(100, ondrel::Rgb(0, 0, 255));
  picture.SetBackColour(ondrel::Rgb(255, 255, 0));
  saved &= Save(dialog, folder, QStringLiteral("FDlgDoppi-2-sorting.png"));
  paintUpTo(45, ondrel::Rgb(255, 0, 0));
  saved &= Save(dialog, folder, QStringLiteral("FDlgDoppi-3-marking.png"));
  paintUpTo(100, ondrel::Rgb(255, 0, 0));
  paintUpTo(70, ondrel::Rgb(0, 255, 0));
  saved &= Save(dialog, folder, QStringLiteral("FDlgDoppi-4-writing.png"));

  // A long file name in the status label, cut in its middle.
  windows.SetCaption(ondrel::StatusLabel::kProc,
                     "Analisi di: elenco-completo-dei-contatti-della-provincia-di-"
                     "Reggio-Emilia-aggiornato-al-2026.htm");
  windows.ApplyCaptions();
  saved &= Save(main, folder, QStringLiteral("FMain-long-name.png"));
  return saved ? 0 : 1;
}
