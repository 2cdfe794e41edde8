// The stock texts of Qt (dialog buttons, the file dialog, context menus) in Italian, whatever
// the user's locale, so that every window of the program speaks one language.
#pragma once

class QCoreApplication;

namespace ondrel::ui {

// Installs Qt's Italian translations in `app` and makes Italian the default locale. False
// when the translations are not installed (the stock texts then stay in English).
bool LoadItalianTranslations(QCoreApplication& app);

}  // namespace ondrel::ui
