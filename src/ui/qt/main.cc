// The desktop program: the main window and the event loop.
#include <QApplication>

#include "ondrel/version.h"
#include "ui/qt/desktop.h"
#include "ui/qt/f_main.h"
#include "ui/qt/italian.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ondrel::ui::LoadItalianTranslations(app);
  QApplication::setApplicationName(QString::fromUtf8(ondrel::kProgramTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(ondrel::kVersionText));
  QApplication::setDesktopFileName(QStringLiteral("ondrel"));
  ondrel::ui::QtDesktop desktop;
  ondrel::ui::FMain window(desktop);
  window.show();
  return QApplication::exec();
}
