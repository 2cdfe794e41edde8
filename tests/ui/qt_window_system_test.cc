// The shared window operations on Qt's windows: work that runs aside while Qt's events are
// handled, status captions shortened to fit the real labels, and failure messages.
#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <future>

#include "common/failure.h"
#include "ui/main_controls.h"
#include "ui/qt/text_codec.h"
#include "ui/scripted_desktop.h"
#include "ui/shared/failure_report.h"
#include "ui/ui_test_registry.h"

namespace ondrel::ui::testing {

class QtWindowSystemTest : public QObject {
  Q_OBJECT

 private:
  ScriptedDesktop desktop_;
  std::unique_ptr<MainControls> main_;
  std::unique_ptr<QtWindowSystem> windows_;

 private slots:
  void init() {
    main_ = std::make_unique<MainControls>();
    windows_ = std::make_unique<QtWindowSystem>(main_->view, desktop_);
  }

  void WorkAsideLeavesTheWindowsAnswering() {
    QLabel window;
    window.show();
    std::promise<void> answered;
    bool answeredInTime = false;
    // The work waits for an event that only the user-interface thread can handle.
    windows_->RunWhileYielding([&] {
      QMetaObject::invokeMethod(
          &window, [&] { answered.set_value(); }, Qt::QueuedConnection);
      answeredInTime =
          answered.get_future().wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    });
    QVERIFY(answeredInTime);
    bool thrown = false;
    try {
      windows_->RunWhileYielding([] { throw Failure(kFailureOutOfRange, "guasto"); });
    } catch (const Failure& failure) {
      thrown = failure.Number() == kFailureOutOfRange;
    }
    QVERIFY(thrown);
  }

  void LongCaptionsLoseTheirMiddleToFitTheLabel() {
    QLabel& proc = main_->Label("lblProc");
    const QString name = QStringLiteral("elenco-dei-clienti-della-provincia-di-") +
                         QString(60, QLatin1Char('x')) + QStringLiteral("-aggiornato.htm");
    windows_->SetCaption(StatusLabel::kProc, ToBytes("Analisi di: " + name));
    windows_->ApplyCaptions();
    const QString shown = proc.text();
    QVERIFY(shown.startsWith(QStringLiteral("Analisi di: elenco")));
    QVERIFY(shown.endsWith(QStringLiteral("aggiornato.htm")));
    QVERIFY(shown.contains(QStringLiteral("...")));
    QVERIFY(proc.fontMetrics().horizontalAdvance(shown) <= proc.contentsRect().width());
    QCOMPARE(proc.toolTip(), QStringLiteral("Analisi di: ") + name);
    windows_->SetCaption(StatusLabel::kProc, "Analisi di: breve.htm");
    windows_->ApplyCaptions();
    QCOMPARE(proc.text(), QStringLiteral("Analisi di: breve.htm"));
    QCOMPARE(proc.toolTip(), QString());
  }

  // A failure's description, Italian and naming a path, reaches the message box whole.
  void FailureMessagesShowTheDescriptionWhole() {
    const std::string description =
        "Impossibile scrivere /home/utente/liste-già-pronte/MailOut.txt: file system di sola "
        "lettura";
    ReportFailure(*windows_, "Estrazione interrotta.", Failure(kFailureReadOnlyDisk, description));
    QCOMPARE(desktop_.messages.back().text,
             QStringLiteral("Estrazione interrotta.\n\nErrore 10030: ") +
                 QString::fromUtf8(description));
    QCOMPARE(desktop_.messages.back().style, 16);
  }
};

ONDREL_UI_TEST(QtWindowSystemTest);

}  // namespace ondrel::ui::testing

#include "qt_window_system_test.moc"
