#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLabel>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <utility>

#include "ondrel/version.h"
#include "ui/qt/busy_cursor.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/picture_box_widget.h"
#include "ui/qt/text_codec.h"
#include "ui/shared/desktop.h"
#include "ui/shared/program_facts.h"

namespace ondrel::ui {

namespace {

// How often the windows are served while work runs aside: well within the 50 ms in which a
// click must be answered.
constexpr std::chrono::milliseconds kWorkPoll{15};
// How long a new dialog may take to be put on the screen (by the window manager) before the
// work goes on without it.
constexpr int kExposeWaitMs = 500;

// The file name in "Analisi di: NAME" is cut in its middle when the label is too narrow, so
// that the caption's start and the name's extension stay readable.
QString FittedCaption(const QLabel& label, const QString& text) {
  const QFontMetrics metrics = label.fontMetrics();
  const int room = label.contentsRect().width() - 2 * label.margin();
  if (metrics.horizontalAdvance(text) <= room) return text;
  const qsizetype nameStart = text.indexOf(QStringLiteral(": ")) + 2;
  const QString head = nameStart >= 2 ? text.left(nameStart) : QString();
  const QString name = text.mid(head.size());
  return head + metrics.elidedText(name, Qt::ElideMiddle, room - metrics.horizontalAdvance(head));
}

void WaitUntilExposed(QWidget& window) {
  const QDeadlineTimer deadline(kExposeWaitMs);
  while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() &&
         !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(5);
  }
}

}  // namespace

QtWindowSystem::QtWindowSystem(Desktop& desktop, std::array<QLabel*, 3> labels)
    : desktop_(desktop), labels_(labels), lastDrawn_(std::chrono::steady_clock::now()) {}

void QtWindowSystem::SetCaption(StatusLabel label, std::string_view text) {
  PendingCaption& pending = pending_[static_cast<std::size_t>(label)];
  pending.text.assign(text);
  pending.changed = true;
}

void QtWindowSystem::ApplyCaptions() {
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    if (!pending_[i].changed) continue;
    pending_[i].changed = false;
    const QString text = ToQString(pending_[i].text);
    labels_[i]->setText(i == static_cast<std::size_t>(StatusLabel::kProc)
                            ? FittedCaption(*labels_[i], text)
                            : text);
    labels_[i]->setToolTip(labels_[i]->text() == text ? QString() : text);
  }
}

void QtWindowSystem::StartWork() {
  if (beforeWork_) std::exchange(beforeWork_, {})();
}

void QtWindowSystem::Draw() {
  drawNext_ = false;
  ApplyCaptions();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  lastDrawn_ = std::chrono::steady_clock::now();
}

void QtWindowSystem::Yield() {
  StartWork();
  if (!drawNext_ && std::chrono::steady_clock::now() - lastDrawn_ < yieldInterval_) return;
  Draw();
}

void QtWindowSystem::RunWhileYielding(const std::function<void()>& work) {
  std::future<void> done = std::async(std::launch::async, work);
  while (done.wait_for(kWorkPoll) != std::future_status::ready) Draw();
  done.get();
}

void QtWindowSystem::RequestStop() {
  stopRequested_ = true;
  if (dialog_ != nullptr) dialog_->RequestStop();
}

void QtWindowSystem::ShowMessage(std::string_view text, int style, std::string_view title) {
  ApplyCaptions();
  desktop_.ShowMessage(QApplication::activeWindow(), std::string(text), style,
                       title.empty() ? std::string(kProgramTitle) : std::string(title));
}

void QtWindowSystem::SetBusyPointer(bool busy) {
  if (busy) StartWork();
  SetBusyCursor(busy ? -1 : 0);
}

void QtWindowSystem::EndProgram() {
  // At once: no window's close handler and no more code of the caller run; the operating
  // system closes the files.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

std::unique_ptr<ProgressDialog> QtWindowSystem::ShowProgressDialog() {
  StartWork();
  auto dialog = std::make_unique<FDlgDoppi>();
  QObject::connect(&dialog->PictureWidget(), &PictureBoxWidget::ColourChanged, dialog.get(),
                   [this] { DrawAtNextYield(); });
  if (stopRequested_) dialog->RequestStop();
  dialog_ = dialog.get();
  dialog->show();
  WaitUntilExposed(*dialog);
  DrawAtNextYield();
  return dialog;
}

ProgramFacts QtWindowSystem::Facts() const {
  return DesktopProgramFacts(
      ToBytes(QCoreApplication::applicationDirPath()),
      ToBytes(QFileInfo(QCoreApplication::applicationFilePath()).baseName()));
}

}  // namespace ondrel::ui
