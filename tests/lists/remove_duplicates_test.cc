#include "lists/remove_duplicates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/failure_fields.h"
#include "common/faulty_file_system.h"
#include "common/file_status.h"
#include "common/file_system.h"
#include "common/literal_lines.h"
#include "common/path_rules.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"
#include "common/text_reader.h"
#include "lists/round_half_even.h"
#include "lists/sort_strings.h"

namespace ondrel {
namespace {

using testing::NamesIn;
using testing::RecordingWindowSystem;
using testing::ScratchFolder;

constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);

struct Elimination {
  EliminationResult result;
  std::int64_t totalLines = -1;
  std::int64_t duplicatesRemoved = 0;
};

Elimination Eliminate(const std::string& path, RecordingWindowSystem& windows,
                      std::int64_t duplicatesBefore = 0) {
  Elimination run;
  run.duplicatesRemoved = duplicatesBefore;
  run.result = RemoveDuplicates(path, run.totalLines, run.duplicatesRemoved, windows);
  return run;
}

// The elimination written out step by step: every line into a list, SortStrings, the marking
// of each entry equal to its successor, and every entry but "*" written with CR LF. The
// literal reference RemoveDuplicates is compared against.
struct Literal {
  std::string bytes;
  std::int64_t totalLines = 0;
  std::int64_t duplicatesRemoved = 0;
};

Literal LiteralElimination(const std::string& path) {
  std::vector<std::string> list = testing::LiteralLinesOf(path);
  Literal literal;
  literal.totalLines = static_cast<std::int64_t>(list.size());
  if (list.empty()) return literal;
  EXPECT_EQ(SortStrings(list, 0, static_cast<std::int32_t>(literal.totalLines) - 1), 0);
  for (std::size_t j = 0; j + 1 < list.size(); ++j) {
    if (list[j + 1] == list[j]) {
      list[j].assign(1, '*');
      ++literal.duplicatesRemoved;
    }
  }
  for (const auto& entry : list)
    if (entry != "*") literal.bytes.append(entry).append("\r\n");
  return literal;
}

TEST(RemoveDuplicates, WritesTheSortedDuplicateFreeForm) {
  const struct {
    const char* what;
    std::string before, after;
    std::int64_t total, removed;
  } cases[] = {
      {"documented example", "b\r\na\r\nb\r\nC\r\na\r\n", "C\r\na\r\nb\r\n", 5, 2},
      {"letter case counts", "info\r\nInfo\r\n", "Info\r\ninfo\r\n", 2, 0},
      {"spaces count", "x\r\n x\r\n", " x\r\nx\r\n", 2, 0},
      {"empty lines", "b@x\r\n\r\na@x\r\n\r\n\r\n", "\r\na@x\r\nb@x\r\n", 5, 2},
      {"a star is dropped uncounted", "b\r\n*\r\na\r\n", "a\r\nb\r\n", 3, 0},
      {"only stars", "*\r\n*\r\n*\r\n", "", 3, 2},
      {"last line without end", "b\r\na", "a\r\nb\r\n", 2, 0},
      {"already in form", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n", 3, 0},
      {"single line", "only", "only\r\n", 1, 0},
      {"LF-only line ends", "c\nb\na\nb\n", "a\r\nb\r\nc\r\n", 4, 1},
      {"mixed line ends", "c\rb\r\na\n\r", "\r\na\r\nb\r\nc\r\n", 4, 0},
      {"zero and 8-bit bytes", std::string("x\0y\r\n\xe9\r\nx\r\nz", 12),
       std::string("x\r\nx\0y\r\nz\r\n\xe9\r\n", 14), 4, 0},
      {"a prefix sorts first", "abcdefghij\r\nabcdefgh\r\nabcdefghi\r\n",
       "abcdefgh\r\nabcdefghi\r\nabcdefghij\r\n", 3, 0},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("list.txt", c.before);
    RecordingWindowSystem windows;
    const Elimination run = Eliminate(path, windows, 7);
    EXPECT_EQ(run.result.outcome, EliminationOutcome::kCompleted) << c.what;
    EXPECT_EQ(ScratchFolder::Read(path), c.after) << c.what;
    EXPECT_EQ(run.totalLines, c.total) << c.what;
    EXPECT_EQ(run.duplicatesRemoved, 7 + c.removed) << c.what;
    EXPECT_EQ(run.result.linesWritten, std::count(c.after.begin(), c.after.end(), '\n')) << c.what;
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"}) << c.what;
    EXPECT_EQ(windows.dialogsShown, 1);
    EXPECT_FALSE(windows.dialogOpen);
  }
}

TEST(RemoveDuplicates, MatchesTheLiteralAlgorithmOnGeneratedLists) {
  std::mt19937 random(77);
  const char* const pieces[] = {"a", "b", "mario.rossi", "@example.com", " ", "*", "\xe8", "A"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  for (int round = 0; round < 40; ++round) {
    std::string bytes;
    const int lines = static_cast<int>(random() % 3000);
    for (int i = 0; i < lines; ++i) {
      const int count = static_cast<int>(random() % 4);
      for (int k = 0; k < count; ++k) bytes += pieces[random() % 8];
      if (i + 1 < lines || random() % 2) bytes += ends[random() % 3];
    }
    ScratchFolder scratch;
    const std::string path = scratch.Write("list.txt", bytes);
    const Literal literal = LiteralElimination(path);
    RecordingWindowSystem windows;
    const Elimination run = Eliminate(path, windows);
    EXPECT_EQ(run.totalLines, literal.totalLines);
    EXPECT_EQ(run.duplicatesRemoved, literal.duplicatesRemoved);
    if (literal.totalLines > 0) {
      EXPECT_EQ(ScratchFolder::Read(path), literal.bytes);
    }
  }
}

TEST(RemoveDuplicates, OneHugeLineAmongOthers) {
  ScratchFolder scratch;
  const std::string huge(3 << 20, 'h');  // longer than a read block
  const std::string path = scratch.Write("list.txt", "z\r\n" + huge + "\r\nh\r\n" + huge + "\n");
  RecordingWindowSystem windows;
  const Elimination run = Eliminate(path, windows);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kCompleted);
  EXPECT_EQ(run.totalLines, 4);
  EXPECT_EQ(run.duplicatesRemoved, 1);
  EXPECT_TRUE(ScratchFolder::Read(path) == "h\r\n" + huge + "\r\nz\r\n");
}

TEST(RemoveDuplicates, ShowsRoundedPercentagesInThePhaseColours) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("list.txt", "h\r\ng\r\nf\r\ne\r\nd\r\nc\r\na\r\na\r\n");
  RecordingWindowSystem windows;
  const Colour background = windows.picture.backColour;
  const Elimination run = Eliminate(path, windows);
  ASSERT_EQ(run.result.outcome, EliminationOutcome::kCompleted);

  // 100 / 8 * j: 12.5, 25, 37.5, 50, 62.5, 75, 87.5, 100, rounded half to even.
  struct Bar {
    double from, to;
    Colour colour;
  };
  const std::vector<Bar> expected = {
      {0, 12, kBlue},
      {12, 25, kBlue},
      {25, 38, kBlue},
      {38, 50, kBlue},
      {50, 62, kBlue},
      {62, 75, kBlue},
      {75, 88, kBlue},
      {88, 100, kBlue},
      {12, 100, background},  // marking starts lower: the lost stretch is cleared
      {12, 25, kRed},
      {25, 38, kRed},
      {38, 50, kRed},
      {50, 62, kRed},
      {62, 75, kRed},
      {75, 88, kRed},
      {25, 88, background},  // the marked first "a" is
                             // not written: writing
                             // starts at 2
      {25, 38, kGreen},
      {38, 50, kGreen},
      {50, 62, kGreen},
      {62, 75, kGreen},
      {75, 88, kGreen},
      {88, 100, kGreen},
  };
  const auto& drawn = windows.picture.rectangles;
  ASSERT_EQ(drawn.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(drawn[i].x1, expected[i].from) << i;
    EXPECT_EQ(drawn[i].x2, expected[i].to) << i;
    EXPECT_EQ(drawn[i].colour, expected[i].colour) << i;
  }
  EXPECT_EQ(windows.picture.clears, std::vector<Colour>{kYellow});
  EXPECT_EQ(windows.picture.scaleWidth, 100);
  // Once after showing the dialog, per loaded line, before sorting, per compared pair and
  // per written line.
  EXPECT_EQ(windows.yields, 1 + 8 + 1 + 7 + 7);
}

// The bar of the loading phase, for lists of many lengths, against the percentage worked
// out line by line: a bar for every rise, none in between, none missed.
TEST(RemoveDuplicates, DrawsEveryRiseOfTheRoundedPercentageOnce) {
  ScratchFolder scratch;
  for (std::int32_t n : {1, 2, 3, 7, 99, 101, 200, 333, 1999}) {
    std::string bytes;
    for (std::int32_t i = 0; i < n; ++i) bytes += std::to_string(i) + "\r\n";
    const std::string path = scratch.Write("list.txt", bytes);
    RecordingWindowSystem windows;
    ASSERT_EQ(Eliminate(path, windows).result.outcome, EliminationOutcome::kCompleted);
    std::vector<double> expected;
    for (std::int32_t j = 1; j <= n; ++j) {
      const double percentage = static_cast<double>(RoundHalfEven(100.0 / n * j));
      if (percentage > (expected.empty() ? 0 : expected.back())) expected.push_back(percentage);
    }
    std::vector<double> loaded;
    for (const auto& bar : windows.picture.rectangles) {
      if (bar.colour != kBlue) break;
      loaded.push_back(bar.x2);
    }
    EXPECT_EQ(loaded, expected) << n << " lines";
  }
}

TEST(RemoveDuplicates, ReadsAnnullaOnlyWhenThePercentageRises) {
  ScratchFolder scratch;
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes += "line" + std::to_string(i) + "\r\n";
  const std::string path = scratch.Write("list.txt", bytes);
  RecordingWindowSystem windows;
  windows.onYield = [&] { windows.stopRequested = true; };  // pressed before the first line
  const Elimination run = Eliminate(path, windows);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kStopped);
  // Line 1 rounds to 0 %: nothing drawn, nothing read. Line 2 shows 1 % and reads the stop.
  ASSERT_EQ(windows.picture.rectangles.size(), 1u);
  EXPECT_EQ(windows.picture.rectangles[0].x2, 1);
  EXPECT_EQ(windows.yields, 2);
  EXPECT_EQ(run.totalLines, 300);
  EXPECT_EQ(ScratchFolder::Read(path), bytes);
  EXPECT_FALSE(windows.dialogOpen);
  EXPECT_FALSE(windows.stopRequested);  // unloading cleared it
}

TEST(RemoveDuplicates, AStopInAnyPhaseLeavesTheListAsItWas) {
  // 500 addresses, each twice, in reverse order; 1000 lines give 1 % every 10 lines.
  std::string bytes;
  for (int i = 499; i >= 0; --i) {
    const std::string line = "user" + std::to_string(1000 + i) + "@example.com\r\n";
    bytes += line + line;
  }
  const struct {
    const char* phase;
    Colour seen;  // the stop is pressed at the first yield after this colour was used
    std::int64_t marksCounted;
  } cases[] = {
      {"loading", kBlue, 0},
      // Not polled while sorting: noticed when marking first shows 1 %, at line 6.
      {"sorting", kYellow, 3},
      // Pressed once red shows (2 % at line 15), noticed at 3 % (line 26; 2.5 rounds to 2).
      {"marking", kRed, 13},
      {"writing", kGreen, 500},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("list.txt", bytes);
    RecordingWindowSystem windows;
    windows.onYield = [&] {
      const auto& drawn = windows.picture.rectangles;
      const auto& clears = windows.picture.clears;
      if ((!drawn.empty() && drawn.back().colour == c.seen) ||
          (!clears.empty() && clears.back() == c.seen))
        windows.stopRequested = true;
    };
    const Elimination run = Eliminate(path, windows);
    EXPECT_EQ(run.result.outcome, EliminationOutcome::kStopped) << c.phase;
    EXPECT_TRUE(ScratchFolder::Read(path) == bytes) << c.phase;
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"}) << c.phase;
    EXPECT_EQ(run.totalLines, 1000) << c.phase;
    EXPECT_EQ(run.duplicatesRemoved, c.marksCounted) << c.phase;
    EXPECT_EQ(run.result.linesWritten, 0) << c.phase;
    EXPECT_FALSE(windows.dialogOpen) << c.phase;
  }
}

// A window system that keeps its windows alive beside the sort; "Annulla" is pressed
// meanwhile and honoured at the first step of marking.
TEST(RemoveDuplicates, SortsWhereTheWindowSystemKeepsItsWindowsAlive) {
  struct SortingAside : RecordingWindowSystem {
    void RunWhileYielding(const std::function<void()>& work) override {
      ++worksRun;
      work();
      stopRequested = true;
    }
    int worksRun = 0;
  };
  ScratchFolder scratch;
  const std::string path = scratch.Write("list.txt", "b\r\na\r\nb\r\n");
  SortingAside windows;
  const Elimination run = Eliminate(path, windows);
  EXPECT_EQ(windows.worksRun, 1);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kStopped);
  EXPECT_EQ(ScratchFolder::Read(path), "b\r\na\r\nb\r\n");
}

TEST(RemoveDuplicates, NoListToWorkOn) {
  ScratchFolder scratch;
  scratch.Write("empty.txt", "");
  std::filesystem::create_directory(scratch / "folder");
  for (const char* name : {"missing.txt", "empty.txt", "folder", "*.none"}) {
    RecordingWindowSystem windows;
    Elimination run;
    run.totalLines = 99;
    run.result = RemoveDuplicates(scratch / name, run.totalLines, run.duplicatesRemoved, windows);
    EXPECT_EQ(run.result.outcome, EliminationOutcome::kNoList) << name;
    EXPECT_EQ(run.totalLines, 0) << name;
    EXPECT_EQ(windows.dialogsShown, 1) << name;
    EXPECT_FALSE(windows.dialogOpen) << name;
    EXPECT_TRUE(windows.picture.rectangles.empty()) << name;
  }
  EXPECT_EQ(NamesIn(scratch.Path()), (std::vector<std::string>{"empty.txt", "folder"}));
  EXPECT_EQ(ScratchFolder::Read(scratch / "empty.txt"), "");
}

TEST(RemoveDuplicates, ReplacesTheTargetOfALinkAndKeepsItsPermissions) {
  ScratchFolder scratch;
  const std::string target = scratch.Write("lists/real.txt", "b\r\na\r\nb\r\n");
  // POSIX keeps the permissions. Windows keeps the attributes, of which Wine stores only
  // hidden and system, and a hidden or system list is not found.
  const auto before = SystemFileSystem().StatusOf(target);
  std::filesystem::permissions(testing::FsPath(target), std::filesystem::perms::group_write,
                               std::filesystem::perm_options::remove);
  const bool link = testing::MakeSymbolicLink("lists/real.txt", scratch / "link.txt");
  RecordingWindowSystem windows;
  const Elimination run = Eliminate(link ? scratch / "link.txt" : target, windows);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kCompleted);
  if (link) {
    EXPECT_TRUE(std::filesystem::is_symlink(testing::FsPath(scratch / "link.txt")));
  }
  EXPECT_EQ(ScratchFolder::Read(target), "a\r\nb\r\n");
  if (!kWindowsPlatform) {
    EXPECT_EQ(SystemFileSystem().StatusOf(target).permissions, before.permissions & ~0020u);
  }
  EXPECT_EQ(NamesIn(scratch / "lists"), std::vector<std::string>{"real.txt"});
}

// A rename would part the list from its other names, which would keep the old content; the
// list is refused, untouched, instead.
TEST(RemoveDuplicates, RefusesAListWithOtherHardLinks) {
  ScratchFolder scratch;
  const std::string list = scratch.Write("list.txt", "b\r\na\r\nb\r\n");
  ASSERT_TRUE(testing::MakeHardLink(list, scratch / "other.txt"));
  RecordingWindowSystem windows;
  const Elimination run = Eliminate(list, windows);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureBadPath);
  EXPECT_TRUE(testing::Contains(testing::DescriptionOf(run.result.failure), "collegamenti fisici"));
  EXPECT_EQ(ScratchFolder::Read(list), "b\r\na\r\nb\r\n");
  EXPECT_EQ(NamesIn(scratch.Path()), (std::vector<std::string>{"list.txt", "other.txt"}));
}

TEST(RemoveDuplicates, AFailureLeavesTheListAsItWas) {
  // A counter at its limit overflows at the first mark, after loading and sorting.
  ScratchFolder scratch;
  const std::string bytes = "b\r\na\r\nb\r\n";
  const std::string path = scratch.Write("list.txt", bytes);
  RecordingWindowSystem windows;
  const Elimination run = Eliminate(path, windows, std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureOverflow);
  EXPECT_EQ(run.totalLines, 3);
  EXPECT_EQ(ScratchFolder::Read(path), bytes);
  EXPECT_TRUE(windows.messages.empty());
  EXPECT_FALSE(windows.dialogOpen);
}

void Overwrite(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(RemoveDuplicates, AListChangedMeanwhileIsNotReplaced) {
  const std::string bytes = "b\r\na\r\nb\r\n";
  const struct {
    const char* change;
    void (*apply)(const std::string& path);
    std::string left;  // what the list holds afterwards: the change, not the old content
  } cases[] = {
      {"grown", [](const std::string& p) { Overwrite(p, "b\r\na\r\nb\r\nnew\r\n"); },
       "b\r\na\r\nb\r\nnew\r\n"},
      {"shrunk", [](const std::string& p) { Overwrite(p, "b\r\n"); }, "b\r\n"},
      {"replaced",
       [](const std::string& p) {
         Overwrite(p + ".other", "z\r\n");
         std::filesystem::rename(p + ".other", p);
       },
       "z\r\n"},
  };
  for (const auto& c : cases) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("list.txt", bytes);
    RecordingWindowSystem windows;
    windows.onYield = [&] {
      if (windows.yields == 2) c.apply(path);  // while the first line is being loaded
    };
    const Elimination run = Eliminate(path, windows);
    EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed) << c.change;
    EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureFileChanged) << c.change;
    EXPECT_FALSE(testing::DescriptionOf(run.result.failure).empty()) << c.change;
    EXPECT_EQ(ScratchFolder::Read(path), c.left) << c.change;
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"}) << c.change;
  }
}

// Windows: a list with the read-only attribute. POSIX: see remove_duplicates_posix_test.cc,
// which runs as an ordinary user (root may write anything).
TEST(RemoveDuplicates, AReadOnlyListIsAClearFailureAndStaysIntact) {
  if (!kWindowsPlatform) GTEST_SKIP() << "permissions are checked as an ordinary user on POSIX";
  ScratchFolder scratch;
  const std::string bytes = "b\r\na\r\nb\r\n";
  const std::string path = scratch.Write("list.txt", bytes);
  std::filesystem::permissions(testing::FsPath(path), std::filesystem::perms::owner_read);
  RecordingWindowSystem windows;
  const Elimination run = Eliminate(path, windows);
  EXPECT_EQ(run.result.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(run.result.failure), kFailureAccessDenied);
  EXPECT_EQ(ScratchFolder::Read(path), bytes);
  EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
  std::filesystem::permissions(testing::FsPath(path), std::filesystem::perms::owner_all);
}

TEST(RemoveDuplicates, AFullDiskLeavesTheListAsItWas) {
  ScratchFolder scratch;
  std::filesystem::create_directory(scratch / "small");
  std::string bytes;
  for (int i = 2000; i > 0; --i) bytes += "address" + std::to_string(i) + "@example.org\r\n";
  const std::string path = scratch.Write("small/list.txt", bytes);
  RecordingWindowSystem windows;
  testing::FaultyFileSystem disk;
  disk.FillAfter(bytes.size() / 2);  // the sorted copy does not fit
  std::int64_t totalLines = 0, duplicatesRemoved = 0;
  const EliminationResult result =
      RemoveDuplicates(path, totalLines, duplicatesRemoved, windows, ListFlush::kBeforeReplacing,
                       std::nullopt, disk);
  EXPECT_EQ(result.outcome, EliminationOutcome::kFailed);
  EXPECT_EQ(testing::NumberOf(result.failure), kFailureNoSpace);
  EXPECT_TRUE(ScratchFolder::Read(path) == bytes);
  EXPECT_EQ(NamesIn(scratch / "small"), std::vector<std::string>{"list.txt"});
}

// Whether the system replaces a file that is held open, which stays readable (POSIX; Windows
// with renames of POSIX semantics, which Wine has not).
bool ReplacesHeldFiles() {
  ScratchFolder scratch;
  const std::string held = scratch.Write("held", "a"), other = scratch.Write("other", "b");
  FileStatus status;
  FileHandle file = SystemFileSystem().OpenToRead(held, status);
  SystemFileSystem().MoveOver(other, held, true, false, file);
  return file.IsOpen();
}

// Another program appends a line while the list is sorted, or just as it is replaced: no line
// is lost, in memory or through temporary files. Appended before the replacement, the list is
// left as it is, its new line in it; appended as it is replaced, the new line follows the
// sorted ones, and the elimination says so.
TEST(RemoveDuplicates, ALineAppendedMeanwhileIsNeverLost) {
  std::string original, sorted;
  for (int i = 1999; i >= 0; --i) original += "address" + std::to_string(i % 1000) + "@x.org\r\n";
  std::vector<std::string> lines;
  for (int i = 0; i < 1000; ++i) lines.push_back("address" + std::to_string(i) + "@x.org");
  std::sort(lines.begin(), lines.end());
  for (const std::string& line : lines) sorted += line + "\r\n";
  const std::string late = "late@x.org\r\n";
  for (const std::optional<std::uint64_t> budget :
       {std::optional<std::uint64_t>(), std::optional<std::uint64_t>(4096)}) {
    for (const bool asReplaced : {false, true}) {
      if (asReplaced && !ReplacesHeldFiles()) continue;  // the line then goes with the old file
      SCOPED_TRACE(std::string(budget ? "beyond the memory" : "in memory") +
                   (asReplaced ? ", as the list is replaced" : ", while it is sorted"));
      ScratchFolder scratch;
      const std::string list = scratch.Write("list.txt", original);
      testing::FaultyFileSystem files;
      RecordingWindowSystem windows;
      if (asReplaced) {
        files.AppendBeforeReplacing(list, late);
      } else {
        // Well after the list was read, or begun to be.
        windows.onYield = [&, yields = 0]() mutable {
          if (++yields == 10)
            std::ofstream(testing::FsPath(list), std::ios::binary | std::ios::app) << late;
        };
      }
      std::int64_t total = 0, removed = 0;
      const EliminationResult result = RemoveDuplicates(
          list, total, removed, windows, ListFlush::kBeforeReplacing, {}, files, budget);
      EXPECT_EQ(result.outcome, EliminationOutcome::kFailed);
      EXPECT_EQ(testing::NumberOf(result.failure), kFailureFileChanged);
      EXPECT_EQ(result.listReplaced, asReplaced);
      EXPECT_TRUE(ScratchFolder::Read(list) == (asReplaced ? sorted : original) + late);
      EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::string>{"list.txt"});
    }
  }
}

}  // namespace
}  // namespace ondrel
