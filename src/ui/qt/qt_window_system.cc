#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "ui/qt/busy_cursor.h"
#include "ui/qt/f_dlg_doppi.h"
#include "ui/qt/qt_view.h"
#include "ui/qt/text_codec.h"
#include "ui/shared/program_facts.h"

namespace ondrel::ui {

namespace {

// How long a new dialog may take to be put on the screen (by the window manager) before the
// work goes on without it.
constexpr int kExposeWaitMs = 500;

void WaitUntilExposed(QWidget& window) {
  const QDeadlineTimer deadline(kExposeWaitMs);
  while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() &&
         !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(5);
  }
}

}  // namespace

QtWindowSystem::QtWindowSystem(QtView& main, Desktop& desktop)
    : DesktopWindowSystem(main, desktop) {}

void QtWindowSystem::HandlePendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtWindowSystem::ShowBusyPointer(bool busy) {
  SetBusyCursor(busy ? -1 : 0);
}

OwnerHandle QtWindowSystem::MessageOwner() const {
  return QApplication::activeWindow();
}

void QtWindowSystem::EndProgram() {
  // At once: no window's close handler and no more code of the caller run; the operating
  // system closes the files.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

std::unique_ptr<ProgressDialog> QtWindowSystem::OpenProgressDialog() {
  auto dialog = std::make_unique<FDlgDoppi>();
  dialog->show();
  WaitUntilExposed(*dialog);
  return dialog;
}

ProgramFacts QtWindowSystem::Facts() const {
  return DesktopProgramFacts(
      ToBytes(QCoreApplication::applicationDirPath()),
      ToBytes(QFileInfo(QCoreApplication::applicationFilePath()).baseName()));
}

}  // namespace ondrel::ui
