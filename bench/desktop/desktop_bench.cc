#include "desktop_bench.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "ui/shared/desktop_window_system.h"
#include "ui/shared/f_main_handlers.h"

namespace ondrel::bench {

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Asks the window for an answer every 10 ms while it lives, and keeps how long each took.
class LatencyProbe {
 public:
  explicit LatencyProbe(const std::function<void()>& roundTrip)
      : thread_([this, roundTrip] {
          while (!stop_) {
            const Clock::time_point asked = Clock::now();
            roundTrip();
            answers_.push_back(MillisecondsSince(asked));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
          done_ = true;
        }) {}
  // The longest answer and the median, in milliseconds. `yield` answers the last
  // question.
  std::pair<double, double> Stop(const std::function<void()>& yield) {
    stop_ = true;
    while (!done_) yield();
    thread_.join();
    if (answers_.empty()) return {0, 0};
    std::sort(answers_.begin(), answers_.end());
    return {answers_.back(), answers_[answers_.size() / 2]};
  }

 private:
  std::atomic<bool> stop_ = false;
  std::atomic<bool> done_ = false;
  std::vector<double> answers_;
  std::thread thread_;
};

void Step(const Toolkit& toolkit, ui::DesktopWindowSystem& windows, const char* what,
          const std::function<void()>& work) {
  LatencyProbe probe(toolkit.roundTrip);
  const Clock::time_point start = Clock::now();
  work();
  const double elapsed = MillisecondsSince(start) / 1000;
  const auto [longest, median] = probe.Stop([&] { windows.Yield(); });
  std::printf(
      "%s %s: %.2f s; answers in at most %.0f ms, half of them within %.0f ms; "
      "lblMail \"%s\"\n",
      toolkit.name, what, elapsed, longest, median, toolkit.label("lblMail").c_str());
  std::fflush(stdout);
}

}  // namespace

void BenchDesktop::ShowMessage(ui::OwnerHandle, const std::string& text, int, const std::string&) {
  std::printf("message: %s\n", text.c_str());
}

int RunScenario(int argc, char** argv, ui::FMainHandlers& handlers,
                ui::DesktopWindowSystem& windows, BenchDesktop& desktop, const Toolkit& toolkit) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s SCAN_FOLDER OUTPUT_FOLDER LIST\n", argv[0]);
    return 2;
  }
  if (const char* interval = std::getenv("ONDREL_DESKTOP_YIELD_MS"))
    windows.SetYieldInterval(std::atoi(interval));
  toolkit.setPaths(argv[1], argv[2]);
  handlers.optKindF_Click(1);  // text files
  Step(toolkit, windows, "harvest", [&] { handlers.Click("cmdExtract"); });
  const bool harvested = toolkit.label("lblMail").starts_with("Fine elaborazione");
  desktop.listToClean = argv[3];
  Step(toolkit, windows, "elimination", [&] { handlers.Click("mnuStruDbl"); });
  return harvested ? 0 : 1;
}

}  // namespace ondrel::bench
