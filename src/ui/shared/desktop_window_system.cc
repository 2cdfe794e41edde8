#include "ui/shared/desktop_window_system.h"

#include <chrono>
#include <future>
#include <utility>

#include "ondrel/version.h"
#include "ui/shared/caption_fit.h"
#include "ui/shared/controls.h"
#include "ui/shared/desktop.h"

namespace ondrel::ui {

namespace {

// How often the windows are served while work runs aside: well within the 50 ms in which a
// click must be answered.
constexpr std::chrono::milliseconds kWorkPoll{15};

constexpr std::string_view kStatusLabels[] = {"lblProc", "lblRes", "lblMail"};

}  // namespace

std::string_view StatusLabelControl(StatusLabel label) {
  return kStatusLabels[static_cast<std::size_t>(label)];
}

// The toolkit's dialog as the elimination sees it. Its picture box passes through here, so
// that the start of a phase (the box cleared, or the bar in a new colour) shows at once.
class DesktopWindowSystem::ShownDialog final : public ProgressDialog, private PictureBox {
 public:
  ShownDialog(std::unique_ptr<ProgressDialog> dialog, const bool& stopRequested,
              RepaintThrottle& throttle)
      : dialog_(std::move(dialog)), stopRequested_(stopRequested), throttle_(throttle) {}

  PictureBox& Picture() override { return *this; }
  bool Ferma() const override { return stopRequested_ || dialog_->Ferma(); }

 private:
  PictureBox& Box() { return dialog_->Picture(); }
  void SetScaleMode(int mode) override { Box().SetScaleMode(mode); }
  void SetPersistentDrawing(bool on) override { Box().SetPersistentDrawing(on); }
  void SetScaleHeight(double height) override { Box().SetScaleHeight(height); }
  void SetScaleWidth(double width) override { Box().SetScaleWidth(width); }
  Colour BackColour() const override { return dialog_->Picture().BackColour(); }
  void SetBackColour(Colour colour) override {
    Box().SetBackColour(colour);
    throttle_.Expedite();
  }
  void SetDrawStyle(int style) override { Box().SetDrawStyle(style); }
  void SetDrawWidth(int width) override { Box().SetDrawWidth(width); }
  void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) override {
    Box().FillRectangle(x1, y1, x2, y2, colour);
    if (std::exchange(lastFill_, colour) != colour) throttle_.Expedite();
  }

  std::unique_ptr<ProgressDialog> dialog_;
  const bool& stopRequested_;
  RepaintThrottle& throttle_;
  Colour lastFill_ = kNoColour;
};

DesktopWindowSystem::DesktopWindowSystem(View& main, Desktop& desktop, RepaintThrottle::Clock clock)
    : main_(main), desktop_(desktop), clock_(clock), throttle_(clock, kYieldIntervalMilliseconds) {}

void DesktopWindowSystem::SetYieldInterval(std::int64_t milliseconds) {
  throttle_ = RepaintThrottle(clock_, milliseconds);
}

void DesktopWindowSystem::SetCaption(StatusLabel label, std::string_view text) {
  PendingCaption& pending = pending_[static_cast<std::size_t>(label)];
  pending.text.assign(text);
  pending.changed = true;
}

void DesktopWindowSystem::ApplyCaptions() {
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    if (!std::exchange(pending_[i].changed, false)) continue;
    const std::string_view control = kStatusLabels[i];
    const std::string& text = pending_[i].text;
    const std::string shown = ShortenedToFit(
        text, [&](std::string_view candidate) { return main_.CaptionFits(control, candidate); });
    main_.SetText(control, shown);
    main_.SetToolTip(control, shown == text ? std::string_view() : std::string_view(text));
  }
}

void DesktopWindowSystem::StartWork() {
  if (beforeWork_) std::exchange(beforeWork_, {})();
}

void DesktopWindowSystem::Draw() {
  ApplyCaptions();
  HandlePendingEvents();
}

void DesktopWindowSystem::Yield() {
  StartWork();
  if (throttle_.Due()) Draw();
}

void DesktopWindowSystem::RunWhileYielding(const std::function<void()>& work) {
  std::future<void> done = std::async(std::launch::async, work);
  while (done.wait_for(kWorkPoll) != std::future_status::ready) Draw();
  done.get();
}

void DesktopWindowSystem::ShowMessage(std::string_view text, int style, std::string_view title) {
  ApplyCaptions();
  desktop_.ShowMessage(MessageOwner(), std::string(text), style,
                       title.empty() ? std::string(kProgramTitle) : std::string(title));
}

void DesktopWindowSystem::SetBusyPointer(bool busy) {
  if (busy) StartWork();
  ShowBusyPointer(busy);
}

std::unique_ptr<ProgressDialog> DesktopWindowSystem::ShowProgressDialog() {
  StartWork();
  auto dialog = std::make_unique<ShownDialog>(OpenProgressDialog(), stopRequested_, throttle_);
  throttle_.Expedite();  // shown means drawn: the next yield draws it
  return dialog;
}

}  // namespace ondrel::ui
