// The desktop benchmark through the Qt main window (see desktop_bench.h).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "desktop_bench.h"
#include "ui/qt/f_main.h"
#include "ui/qt/italian.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/text_codec.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ondrel::ui::LoadItalianTranslations(app);
  ondrel::bench::BenchDesktop desktop;
  ondrel::ui::FMain window(desktop);
  window.show();
  const auto find = [&](const char* name) {
    return window.findChild<QWidget*>(QString::fromLatin1(name));
  };
  const ondrel::bench::Toolkit qt{
      "Qt",
      [&](const std::string& scan, const std::string& output) {
        qobject_cast<QLineEdit*>(find("txtPath(0)"))->setText(ondrel::ui::ToQString(scan));
        qobject_cast<QLineEdit*>(find("txtPath(1)"))->setText(ondrel::ui::ToQString(output));
      },
      [&] {
        QMetaObject::invokeMethod(
            &window, [] {}, Qt::BlockingQueuedConnection);
      },
      [&](const char* name) {
        return ondrel::ui::ToBytes(qobject_cast<QLabel*>(find(name))->text());
      }};
  return ondrel::bench::RunScenario(argc, argv, window.Handlers(), window.Windows(), desktop, qt);
}
