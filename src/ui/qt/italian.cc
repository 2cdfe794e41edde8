#include "ui/qt/italian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ondrel::ui {

bool LoadItalianTranslations(QCoreApplication& app) {
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  QLocale::setDefault(italian);
  // "qt" is the catalogue that gathers the translations of every Qt module.
  auto* translator = new QTranslator(&app);
  if (!translator->load(italian, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace ondrel::ui
