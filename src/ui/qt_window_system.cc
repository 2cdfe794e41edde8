#include "ui/qt_window_system.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

#include "ondrel/version.h"
#include "ui/busy_cursor.h"
#include "ui/desktop.h"
#include "ui/f_dlg_doppi.h"
#include "ui/text_codec.h"

namespace ondrel::ui {

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
    labels_[i]->setText(ToQString(pending_[i].text));
  }
}

void QtWindowSystem::Yield() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDrawn_ < yieldInterval_) return;
  ApplyCaptions();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  lastDrawn_ = std::chrono::steady_clock::now();
}

void QtWindowSystem::ShowMessage(std::string_view text, int style, std::string_view title) {
  ApplyCaptions();
  const QString shownTitle = title.empty() ? QString::fromUtf8(kProgramTitle) : ToQString(title);
  desktop_.ShowMessage(QApplication::activeWindow(), ToQString(text), style, shownTitle);
}

void QtWindowSystem::SetBusyPointer(bool busy) {
  SetBusyCursor(busy ? -1 : 0);
}

void QtWindowSystem::EndProgram() {
  // At once: no window's close handler and no more code of the caller run; the operating
  // system closes the files.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

std::unique_ptr<ProgressDialog> QtWindowSystem::ShowProgressDialog() {
  auto dialog = std::make_unique<FDlgDoppi>();
  dialog->show();
  return dialog;
}

ProgramFacts QtWindowSystem::Facts() const {
  ProgramFacts facts;
  facts.folder = ToBytes(QCoreApplication::applicationDirPath());
  facts.executableName = ToBytes(QFileInfo(QCoreApplication::applicationFilePath()).baseName());
  facts.title = kProgramTitle;
  facts.major = kVersionMajor;
  facts.minor = kVersionMinor;
  facts.revision = kVersionRevision;
  return facts;
}

}  // namespace ondrel::ui
