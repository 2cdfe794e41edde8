// Duplicate elimination of lists larger than the memory budget, through sorted runs in
// temporary files: the same result as in memory, and the list as it was after a stop or a
// full disk in any phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/path_rules.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "lists/phase_progress.h"
#include "lists/remove_duplicates.h"

namespace ondrel {
namespace {

using testing::NamesIn;
using testing::RecordingWindowSystem;
using testing::ScratchFolder;

std::size_t TemporariesIn(const std::string& folder) {
  const auto names = NamesIn(folder);
  return static_cast<std::size_t>(std::count_if(
      names.begin(), names.end(), [](const std::string& n) { return n.starts_with(".ondrel-"); }));
}

struct Elimination {
  EliminationResult result;
  std::int64_t lines = -1;
  std::int64_t duplicates = 0;
  std::size_t mostTemporaries = 0;  // seen at once beside the list, at every 50th yield
};

// Eliminates `path` with `budget` (none: the machine's); `onYield` is the user meanwhile.
Elimination Eliminate(const std::string& path, std::optional<std::uint64_t> budget,
                      RecordingWindowSystem& windows, FileSystem& files = SystemFileSystem(),
                      const std::function<void()>& onYield = {}) {
  Elimination run;
  const std::string folder = path.substr(0, path.rfind(kPathSeparator) + 1);
  windows.onYield = [&] {
    if (windows.yields % 50 == 0)
      run.mostTemporaries = std::max(run.mostTemporaries, TemporariesIn(folder));
    if (onYield) onYield();
  };
  run.result = RemoveDuplicates(path, run.lines, run.duplicates, windows,
                                ListFlush::kBeforeReplacing, std::nullopt, files, budget);
  return run;
}

// Repeats, "*", empty and space lines, 8-bit bytes, every line end and none at the end, and
// now and then a line longer than any run of the budgets below.
std::string RandomList(std::mt19937& random) {
  const char* const pieces[] = {"a", "b", "mario.rossi", "@example.com", " ", "*", "\xe8", "A"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::string bytes;
  const int lines = 2000 + static_cast<int>(random() % 3000);
  for (int i = 0; i < lines; ++i) {
    if (random() % 500 == 0) {
      bytes += std::string(5000 + random() % 40000, 'x') + pieces[random() % 8];
    } else {
      for (int k = static_cast<int>(random() % 5); k > 0; --k) bytes += pieces[random() % 8];
    }
    if (i + 1 < lines || random() % 2) bytes += ends[random() % 3];
  }
  return bytes;
}

TEST(ExternalElimination, GivesTheResultOfTheEliminationInMemory) {
  std::mt19937 random(2024);
  bool levelsSeen = false;
  for (int round = 0; round < 16; ++round) {
    // Runs of a few KiB, many of them, merged two at a time on several levels; and runs of
    // some 40 KiB, merged at once.
    const std::uint64_t budget = std::vector<std::uint64_t>{1500, 4096, 9000, 70000}[round % 4];
    SCOPED_TRACE("round " + std::to_string(round) + ", budget " + std::to_string(budget));
    const std::string bytes = RandomList(random);
    ScratchFolder inMemory, external;
    const std::string expected = inMemory.Write("list.txt", bytes);
    const std::string path = external.Write("list.txt", bytes);
    RecordingWindowSystem memoryWindows, windows;
    const Elimination reference = Eliminate(expected, std::nullopt, memoryWindows);
    const Elimination run = Eliminate(path, budget, windows);
    ASSERT_EQ(run.result.outcome, EliminationOutcome::kCompleted);
    EXPECT_TRUE(ScratchFolder::Read(path) == ScratchFolder::Read(expected));
    EXPECT_EQ(run.lines, reference.lines);
    EXPECT_EQ(run.duplicates, reference.duplicates);
    EXPECT_EQ(run.result.linesWritten, reference.result.linesWritten);
    // In memory, only the replacement; beyond it, the runs too.
    EXPECT_LE(reference.mostTemporaries, 1u);
    EXPECT_GT(run.mostTemporaries, budget < 5000 ? 8u : 1u);
    EXPECT_EQ(NamesIn(external.Path()), std::vector<std::string>{"list.txt"});
    const auto& bars = windows.picture.rectangles;
    levelsSeen |= std::any_of(bars.begin(), bars.end(),
                              [](const auto& bar) { return bar.colour == kMarkingColour; });
  }
  EXPECT_TRUE(levelsSeen);
}

std::string ManyAddresses() {
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "user" + std::to_string(i * 7 % 1500) + "@x.org\r\n";
  return bytes;
}

// Loading in blue, the box cleared to yellow, merging on a level in red, writing in green:
// each phase's bar rises to 100.
TEST(ExternalElimination, ShowsEveryPhaseInItsColour) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("list.txt", ManyAddresses());
  RecordingWindowSystem windows;
  ASSERT_EQ(Eliminate(path, 4096, windows).result.outcome, EliminationOutcome::kCompleted);
  std::vector<Colour> phases;
  std::vector<double> highest;
  for (const auto& bar : windows.picture.rectangles) {
    if (bar.colour == Rgb(192, 192, 192)) continue;  // a stretch given back to the background
    if (phases.empty() || phases.back() != bar.colour) {
      phases.push_back(bar.colour);
      highest.push_back(0);
    }
    highest.back() = std::max(highest.back(), bar.x2);
  }
  // The merge levels in red, one after the other.
  ASSERT_GE(phases.size(), 3u);
  EXPECT_EQ(phases.front(), kLoadingColour);
  EXPECT_EQ(phases.back(), kWritingColour);
  for (std::size_t i = 1; i + 1 < phases.size(); ++i) EXPECT_EQ(phases[i], kMarkingColour);
  EXPECT_EQ(highest, std::vector<double>(phases.size(), 100));
  EXPECT_EQ(windows.picture.clears, std::vector<Colour>{kSortingColour});
}

// The user's stop, or a disk that fills up, at the first yield after each phase's colour
// shows: the list stays as it was, and no temporary file is left.
TEST(ExternalElimination, AStopOrAFullDiskInAnyPhaseLeavesTheListAsItWas) {
  const std::string bytes = ManyAddresses();
  for (const bool stop : {true, false}) {
    for (const Colour phase : {kLoadingColour, kSortingColour, kMarkingColour, kWritingColour}) {
      SCOPED_TRACE(std::string(stop ? "stop" : "full disk") + ", colour " + std::to_string(phase));
      ScratchFolder scratch;
      const std::string path = scratch.Write("list.txt", bytes);
      RecordingWindowSystem windows;
      testing::FaultyFileSystem disk;
      bool made = false;
      const Elimination run = Eliminate(path, 4096, windows, disk, [&] {
        const auto& drawn = windows.picture.rectangles;
        const auto& clears = windows.picture.clears;
        if (made || !((!drawn.empty() && drawn.back().colour == phase) ||
                      (!clears.empty() && clears.back() == phase)))
          return;
        made = true;
        if (stop) {
          windows.stopRequested = true;
        } else {
          disk.FillAfter(0);
        }
      });
      ASSERT_TRUE(made);
      if (stop) {
        EXPECT_EQ(run.result.outcome, EliminationOutcome::kStopped);
      } else {
        EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed);
        EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureNoSpace);
      }
      EXPECT_TRUE(ScratchFolder::Read(path) == bytes);
      EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
      EXPECT_FALSE(windows.dialogOpen);
    }
  }
}

TEST(ExternalElimination, ADiskWithoutRoomForTheRunsIsRefusedBeforeAnyIsWritten) {
  const std::string bytes = ManyAddresses();
  ScratchFolder scratch;
  const std::string path = scratch.Write("list.txt", bytes);
  RecordingWindowSystem windows;
  testing::FaultyFileSystem disk;
  disk.ReportFreeSpace(bytes.size());  // the runs would fit, the replacement too would not
  const Elimination run = Eliminate(path, 4096, windows, disk);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureNoSpace);
  EXPECT_TRUE(testing::Contains(testing::DescriptionOf(run.result.failure), "manca lo spazio"));
  EXPECT_TRUE(windows.picture.rectangles.empty());
  EXPECT_EQ(run.mostTemporaries, 0u);
  EXPECT_TRUE(ScratchFolder::Read(path) == bytes);
  EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
}

// Positions past 2^31, as a list of more lines than that has: every rise is drawn at the
// position the percentage reaches it.
TEST(PhaseProgress, CountsPhasesLongerThan32Bits) {
  RecordingWindowSystem windows;
  const auto dialog = windows.ShowProgressDialog();
  CHgauge gauge(windows);
  gauge.Max(100);
  gauge.Setup(dialog->Picture());
  const std::int64_t total = 6'000'000'000;  // 1 % every 60,000,000 positions
  PhaseProgress progress(gauge, *dialog, kLoadingColour, total);
  for (const std::int64_t position :
       {std::int64_t{29'999'999}, std::int64_t{30'000'000}, std::int64_t{2'999'999'999},
        std::int64_t{3'030'000'000}, total})
    EXPECT_TRUE(progress.Step(position));
  std::vector<double> shown;
  for (const auto& bar : windows.picture.rectangles) shown.push_back(bar.x2);
  // 0.5 % rounds to 0 and 50.5 % to 50 (halves to even): no bar for those two.
  EXPECT_EQ(shown, (std::vector<double>{50, 100}));
}

}  // namespace
}  // namespace ondrel
