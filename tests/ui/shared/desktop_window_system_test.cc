// The window operations both desktop toolkits share, on a toolkit double: when a yield draws,
// the captions it shows, work run aside, the stop the main window's close asks for.
#include "ui/shared/desktop_window_system.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "common/failure.h"
#include "common/recording_window_system.h"
#include "ui/shared/recording_view.h"

namespace ondrel::ui::testing {
namespace {

std::int64_t now = 0;
std::int64_t FakeClock() {
  return now;
}

struct FakeDialog : ProgressDialog {
  PictureBox& Picture() override { return picture; }
  bool Ferma() const override { return false; }
  ondrel::testing::RecordingPictureBox picture;
};

// Counts the rounds of event handling a toolkit would do.
class ToolkitDouble : public DesktopWindowSystem {
 public:
  ToolkitDouble(View& main, Desktop& desktop) : DesktopWindowSystem(main, desktop, FakeClock) {}
  [[noreturn]] void EndProgram() override { throw 0; }
  ProgramFacts Facts() const override { return {}; }

  std::atomic<int> rounds = 0;
  FakeDialog* opened = nullptr;

 protected:
  void HandlePendingEvents() override { ++rounds; }
  void ShowBusyPointer(bool) override {}
  std::unique_ptr<ProgressDialog> OpenProgressDialog() override {
    auto dialog = std::make_unique<FakeDialog>();
    opened = dialog.get();
    return dialog;
  }
  OwnerHandle MessageOwner() const override { return nullptr; }
};

class DesktopWindowSystemTest : public ::testing::Test {
 protected:
  DesktopWindowSystemTest() { now = 1000; }
  // Whether one yield at `when` handled the pending events.
  bool YieldDraws(std::int64_t when) {
    now = when;
    const int before = windows.rounds;
    windows.Yield();
    return windows.rounds > before;
  }

  RecordingView view;
  RecordingDesktop desktop;
  ToolkitDouble windows{view, desktop};
};

TEST_F(DesktopWindowSystemTest, YieldsDrawOncePerIntervalAndAtOnceAtAChangeToSee) {
  constexpr std::int64_t kInterval = DesktopWindowSystem::kYieldIntervalMilliseconds;
  EXPECT_TRUE(YieldDraws(1000));
  windows.SetCaption(StatusLabel::kMail, "anna@esempio.it");
  EXPECT_FALSE(YieldDraws(1000 + kInterval - 1));
  EXPECT_EQ(view.Text("lblMail"), "");  // a caption waits for a yield that draws
  EXPECT_TRUE(YieldDraws(1000 + kInterval));
  EXPECT_EQ(view.Text("lblMail"), "anna@esempio.it");

  // A new dialog, a cleared gauge and every new colour of the bar draw at the next yield.
  const std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
  PictureBox& box = dialog->Picture();
  const struct {
    std::function<void()> change;
    bool draws;
  } changes[] = {{[] {}, true},
                 {[&] { box.FillRectangle(0, 0, 10, 1, Rgb(0, 0, 255)); }, true},
                 {[&] { box.FillRectangle(10, 0, 20, 1, Rgb(0, 0, 255)); }, false},
                 {[&] { box.SetBackColour(Rgb(255, 255, 0)); }, true},
                 {[&] { box.FillRectangle(0, 0, 1, 1, Rgb(255, 0, 0)); }, true}};
  for (const auto& change : changes) {
    change.change();
    EXPECT_EQ(YieldDraws(now), change.draws);
  }
  EXPECT_EQ(windows.opened->picture.rectangles.size(), 3u);  // all of it reached the box
  EXPECT_EQ(windows.opened->picture.clears, std::vector<Colour>{Rgb(255, 255, 0)});
}

TEST_F(DesktopWindowSystemTest, CaptionsTooWideLoseTheirMiddleAndShowWholeInTheToolTip) {
  view.captionRoom = 24;
  windows.SetCaption(StatusLabel::kProc, "Analisi di: elenco-dei-clienti.htm");
  windows.SetCaption(StatusLabel::kRes, "Trovati: 3");
  windows.ApplyCaptions();
  EXPECT_EQ(view.Text("lblProc"), "Analisi di: elenc....htm");
  EXPECT_EQ(view.toolTips["lblProc"], "Analisi di: elenco-dei-clienti.htm");
  EXPECT_EQ(view.Text("lblRes"), "Trovati: 3");
  EXPECT_EQ(view.toolTips["lblRes"], "");
  // A message shows the captions set before it, under the program's title unless given one.
  windows.SetCaption(StatusLabel::kMail, "Eliminazione doppi");
  windows.ShowMessage("Il file base non esiste", kMessageInformation);
  EXPECT_EQ(view.Text("lblMail"), "Eliminazione doppi");
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"Il file base non esiste"});
}

TEST_F(DesktopWindowSystemTest, WorkBeginsOnceAtItsFirstYieldPointerOrDialog) {
  const std::function<void(WindowSystem&)> starts[] = {
      [](WindowSystem& w) { w.Yield(); }, [](WindowSystem& w) { w.SetBusyPointer(true); },
      [](WindowSystem& w) { w.ShowProgressDialog(); }};
  for (const auto& start : starts) {
    int begun = 0;
    windows.BeforeWork([&] { ++begun; });
    windows.SetBusyPointer(false);  // switching the pointer off begins nothing
    start(windows);
    start(windows);
    EXPECT_EQ(begun, 1);
  }
}

TEST_F(DesktopWindowSystemTest, AStopRequestReachesEveryDialogUntilCleared) {
  std::unique_ptr<ProgressDialog> first = windows.ShowProgressDialog();
  EXPECT_FALSE(first->Ferma());
  windows.RequestStop();
  EXPECT_TRUE(first->Ferma());
  first.reset();
  EXPECT_TRUE(windows.ShowProgressDialog()->Ferma());
  windows.ClearStop();
  EXPECT_FALSE(windows.ShowProgressDialog()->Ferma());
}

TEST_F(DesktopWindowSystemTest, WorkAsideLetsTheWindowsAnswerAndHandsBackWhatItThrows) {
  windows.RunWhileYielding([&] {
    while (windows.rounds < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  EXPECT_GE(windows.rounds, 3);
  EXPECT_THROW(windows.RunWhileYielding([] { throw Failure(kFailureOutOfRange, "guasto"); }),
               Failure);
}

}  // namespace
}  // namespace ondrel::ui::testing
