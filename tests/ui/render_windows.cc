// Renders each window of the Qt program to a PNG: ondrel_render_windows OUTPUT_FOLDER.
// Run it through scripts/render-windows.sh, under the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>

#include "ui/qt/desktop.h"
#include "ui/qt/f_main.h"
#include "ui/qt/italian.h"
#include "ui/qt/qt_view.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/text_codec.h"
#include "ui/render_scenario.h"

namespace {

QWidget* TopLevel(std::string_view name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->objectName().toStdString() == name) return widget;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    qWarning("usage: ondrel_render_windows OUTPUT_FOLDER");
    return 2;
  }
  ondrel::ui::LoadItalianTranslations(app);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  ondrel::ui::QtDesktop desktop;
  ondrel::ui::FMain main(desktop);
  main.show();
  const ondrel::ui::testing::RenderTarget target{
      main.MainView(),
      main.Windows(),
      main.Handlers(),
      "/home/utente",
      [](std::string_view control, const std::string& text) {
        TopLevel("FSottrai")
            ->findChild<QLineEdit*>(QString::fromUtf8(control.data(), control.size()))
            ->setText(ondrel::ui::ToQString(text));
      },
      [&](std::string_view form, const std::string& name) {
        QWidget* window = TopLevel(form);
        window->activateWindow();
        QApplication::processEvents();
        const QString path = QDir(folder).filePath(QString::fromStdString(name) + ".png");
        const bool saved = window->grab().save(path);
        qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(path));
        return saved;
      }};
  return ondrel::ui::testing::RenderScenario(target) ? 0 : 1;
}
