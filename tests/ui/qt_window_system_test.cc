// The window operations of the desktop program: when a yield draws, work that runs aside
// while the windows stay alive, the status label that cuts long file names, and the stop
// that the close box asks for.
#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <future>
#include <map>

#include "common/failure.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/text_codec.h"
#include "ui/scripted_desktop.h"
#include "ui/shared/failure_report.h"
#include "ui/ui_test_registry.h"

namespace ondrel::ui::testing {

namespace {

// Counts the paint events of every widget, by object name.
class PaintCounter : public QObject {
 public:
  PaintCounter() { qApp->installEventFilter(this); }
  ~PaintCounter() override { qApp->removeEventFilter(this); }
  int Of(const QString& name) const {
    const auto found = counts_.find(name);
    return found == counts_.end() ? 0 : found->second;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++counts_[watched->objectName()];
    return false;
  }

 private:
  std::map<QString, int> counts_;
};

}  // namespace

class QtWindowSystemTest : public QObject {
  Q_OBJECT

 private:
  ScriptedDesktop desktop_;
  QLabel proc_, res_, mail_;
  std::unique_ptr<QtWindowSystem> windows_;

 private slots:
  void init() {
    windows_ = std::make_unique<QtWindowSystem>(desktop_, std::array{&proc_, &res_, &mail_});
    // Ordinary yields never draw: only those that must.
    windows_->SetYieldInterval(std::chrono::hours(1));
  }

  void YieldsAtPhaseChangesDrawAtOnce() {
    PaintCounter paints;
    std::unique_ptr<ProgressDialog> dialog = windows_->ShowProgressDialog();
    windows_->Yield();
    QVERIFY(paints.Of(QStringLiteral("FDlgDoppi")) > 0);  // drawn as it appears
    PictureBox& picture = dialog->Picture();
    const auto drawnAfter = [&](const std::function<void()>& change) {
      const int before = paints.Of(QStringLiteral("pic(0)"));
      change();
      windows_->Yield();
      return paints.Of(QStringLiteral("pic(0)")) > before;
    };
    QVERIFY(drawnAfter([&] { picture.FillRectangle(0, 0, 10, 1, Rgb(0, 0, 255)); }));
    // More of the same phase waits for the yield interval.
    QVERIFY(!drawnAfter([&] { picture.FillRectangle(10, 0, 20, 1, Rgb(0, 0, 255)); }));
    // The sort begins: the whole box turns yellow.
    QVERIFY(drawnAfter([&] { picture.SetBackColour(Rgb(255, 255, 0)); }));
    QVERIFY(drawnAfter([&] { picture.FillRectangle(0, 0, 1, 1, Rgb(255, 0, 0)); }));
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

  void LongFileNamesAreCutInTheirMiddle() {
    proc_.setFixedWidth(330);
    const QString name = QStringLiteral("elenco-dei-clienti-della-provincia-di-") +
                         QString(60, QLatin1Char('x')) + QStringLiteral("-aggiornato.htm");
    windows_->SetCaption(StatusLabel::kProc, ToBytes("Analisi di: " + name));
    windows_->ApplyCaptions();
    const QString shown = proc_.text();
    QVERIFY(shown.startsWith(QStringLiteral("Analisi di: elenco")));
    QVERIFY(shown.endsWith(QStringLiteral("aggiornato.htm")));
    QVERIFY(shown.contains(QChar(0x2026)));
    QVERIFY(proc_.fontMetrics().horizontalAdvance(shown) <= proc_.contentsRect().width());
    QCOMPARE(proc_.toolTip(), QStringLiteral("Analisi di: ") + name);
    windows_->SetCaption(StatusLabel::kProc, "Analisi di: breve.htm");
    windows_->ApplyCaptions();
    QCOMPARE(proc_.text(), QStringLiteral("Analisi di: breve.htm"));
    QCOMPARE(proc_.toolTip(), QString());
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

  void AStopRequestReachesEveryDialogUntilCleared() {
    std::unique_ptr<ProgressDialog> first = windows_->ShowProgressDialog();
    windows_->RequestStop();
    QVERIFY(first->Ferma());
    first.reset();
    QVERIFY(windows_->ShowProgressDialog()->Ferma());
    windows_->ClearStop();
    QVERIFY(!windows_->ShowProgressDialog()->Ferma());
  }
};

ONDREL_UI_TEST(QtWindowSystemTest);

}  // namespace ondrel::ui::testing

#include "qt_window_system_test.moc"
