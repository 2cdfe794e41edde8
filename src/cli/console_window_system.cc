#include "cli/console_window_system.h"

#include <cstdlib>
#include <utility>

#include "cli/console_progress_dialog.h"
#include "cli/progress_text.h"
#include "common/environment.h"
#include "common/paths.h"
#include "ondrel/version.h"

namespace ondrel::cli {
namespace {

constexpr std::size_t kCaptionCapacity = 512;
// A terminal line is read, not watched: ten repaints a second are plenty.
constexpr std::int64_t kRepaintIntervalMilliseconds = 100;

std::size_t Index(StatusLabel label) {
  return static_cast<std::size_t>(label);
}

ProgramFacts ConsoleFacts() {
  ProgramFacts facts{
      {}, "ondrel-cli", kProgramTitle, kVersionMajor, kVersionMinor, kVersionRevision};
  if (const auto parts = SplitPath(ExecutablePath())) {
    facts.folder = parts->folder;
    facts.executableName = parts->baseName;
  }
  return facts;
}

}  // namespace

ConsoleWindowSystem::ConsoleWindowSystem(int outFd, int errFd, TerminalTraits errTraits,
                                         RepaintThrottle::Clock clock)
    : outFd_(outFd),
      errFd_(errFd),
      line_(errFd, errTraits),
      throttle_(clock, kRepaintIntervalMilliseconds),
      facts_(ConsoleFacts()) {
  // Captions are set once per address: keep their storage so that setting one allocates
  // nothing.
  for (auto& caption : captions_) caption.reserve(kCaptionCapacity);
}

ConsoleWindowSystem::~ConsoleWindowSystem() {
  line_.Clear();
}

void ConsoleWindowSystem::SetCaption(StatusLabel label, std::string_view text) {
  captions_[Index(label)].assign(text);
  lineStale_ = true;
}

const std::string& ConsoleWindowSystem::Caption(StatusLabel label) const {
  return captions_[Index(label)];
}

void ConsoleWindowSystem::Yield() {
  if (stopOn_ != nullptr && dialog_ == nullptr && stopOn_->Requested()) throw StopRequest{};
  if (line_.Enabled() && throttle_.Due()) Repaint();
}

void ConsoleWindowSystem::Repaint() {
  const bool stale = std::exchange(lineStale_, false);
  repaintText_.clear();
  if (dialog_ != nullptr) {
    if (!dialog_->TakeChanged() && !stale) return;
    const int columns = dialog_->Render(repaintText_);
    line_.Show(repaintText_, columns);
  } else if (stale) {
    repaintText_ = FitProgressLine(captions_[Index(StatusLabel::kProc)],
                                   captions_[Index(StatusLabel::kMail)], line_.Width());
    if (!repaintText_.empty()) line_.Show(repaintText_, ColumnsOf(repaintText_));
  }
}

void ConsoleWindowSystem::ShowMessage(std::string_view text, int, std::string_view title) {
  line_.Clear();
  lineStale_ = true;  // the line comes back at the next repaint
  std::string message(title.empty() ? std::string_view(facts_.title) : title);
  message += ": ";
  message += PrintableText(text);  // a file name's control bytes never reach the terminal
  message += '\n';
  WriteAll(errFd_, message);
}

void ConsoleWindowSystem::EndProgram() {
  line_.Clear();
  std::_Exit(1);
}

std::unique_ptr<ProgressDialog> ConsoleWindowSystem::ShowProgressDialog() {
  return std::make_unique<ConsoleProgressDialog>(*this, line_.Width(), line_.Colours());
}

void ConsoleWindowSystem::AttachDialog(ConsoleProgressDialog& dialog) {
  dialog_ = &dialog;
  lineStale_ = true;
  throttle_.Expedite();  // shown means visible: the first yield draws it
}

void ConsoleWindowSystem::DetachDialog() {
  dialog_ = nullptr;
  line_.Clear();
  lineStale_ = true;
}

bool ConsoleWindowSystem::PrintResult(std::string_view line) {
  line_.Clear();
  lineStale_ = true;
  std::string text(line);
  text += '\n';
  return WriteAll(outFd_, text);
}

}  // namespace ondrel::cli
