// Runs every registered GUI test class; the exit status tells whether any test failed.
#include <QApplication>
#include <QTest>

#include "ui/qt/italian.h"
#include "ui/ui_test_registry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // As the program does: the stock texts in Italian.
  const bool italian = ondrel::ui::LoadItalianTranslations(app);
  if (!italian) qWarning("Qt's Italian translations are not installed");
  int failures = 0;
  for (const auto& makeTest : ondrel::ui::testing::RegisteredTests()) {
    const std::unique_ptr<QObject> test = makeTest();
    failures += QTest::qExec(test.get(), argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
