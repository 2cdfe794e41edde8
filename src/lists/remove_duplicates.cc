#include "lists/remove_duplicates.h"

#include <algorithm>
#include <optional>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/replacement_file.h"
#include "common/whole_file.h"
#include "lists/buffer_lines.h"
#include "lists/hgauge.h"
#include "lists/line_table.h"
#include "lists/round_half_even.h"

namespace ondrel {
namespace {

constexpr Colour kLoadingColour = Rgb(0, 0, 255);
constexpr Colour kSortingColour = Rgb(255, 255, 0);
constexpr Colour kMarkingColour = Rgb(255, 0, 0);
constexpr Colour kWritingColour = Rgb(0, 255, 0);

// The progress of one phase over n lines: the bar is drawn, and "Annulla" polled, only when
// the rounded percentage rises. The position at which it next rises is worked out once per
// rise, so that the step per line is one comparison.
class PhaseProgress {
 public:
  PhaseProgress(CHgauge& gauge, ProgressDialog& dialog, Colour colour, std::int32_t lines)
      : gauge_(gauge), dialog_(dialog), colour_(colour), share_(100.0 / lines) {
    nextRise_ = FirstPositionAbove(0);
  }

  // The step for position `position` (1 to n, rising); false when the user asked to stop.
  bool Step(std::int32_t position) {
    if (position < nextRise_) return true;
    const std::int64_t percentage = PercentageAt(position);
    gauge_.Paint(CheckedNarrow<std::int16_t>(percentage), dialog_.Picture(), colour_);
    nextRise_ = FirstPositionAbove(percentage);
    return !dialog_.Ferma();
  }

 private:
  std::int64_t PercentageAt(std::int64_t position) const {
    return RoundHalfEven(share_ * static_cast<double>(position));
  }

  // The first position whose percentage exceeds `shown`. Percentages never fall as the
  // position rises, so a guess a little below the division's answer is walked up exactly.
  std::int64_t FirstPositionAbove(std::int64_t shown) const {
    std::int64_t position =
        std::max<std::int64_t>(1, static_cast<std::int64_t>((shown + 0.5) / share_) - 2);
    while (PercentageAt(position) <= shown) ++position;
    return position;
  }

  CHgauge& gauge_;
  ProgressDialog& dialog_;
  Colour colour_;
  double share_;
  std::int64_t nextRise_;
};

// One elimination, phase by phase. The list is read once, whole, so that a file that changes
// meanwhile cannot mix two versions; "counting" counts the lines in that copy and "loading"
// records them in the table the sort works on.
class Elimination {
 public:
  Elimination(const std::string& path, std::int32_t& lines, std::int32_t& duplicatesRemoved,
              WindowSystem& windows, ProgressDialog& dialog, CHgauge& gauge, ListFlush flush,
              const std::optional<FileIdentity>& expected, FileSystem& files)
      : path_(path),
        lines_(lines),
        duplicatesRemoved_(duplicatesRemoved),
        windows_(windows),
        dialog_(dialog),
        gauge_(gauge),
        flush_(flush),
        expected_(expected),
        files_(files) {}

  EliminationOutcome Run() {
    if (!files_.FindPlainFile(path_)) return EliminationOutcome::kNoList;
    target_ = files_.ResolvedPath(path_);
    list_ = ReadWholeFile(target_, sizeof(std::uint64_t), files_);
    if (expected_ && list_.status.identity != *expected_) {
      throw Failure(kFailureFileChanged,
                    "Il file \"" + path_ + "\" e` stato sostituito durante l'elaborazione");
    }
    lines_ = ListLineCount(CountLines(list_.Text()), path_);
    if (lines_ == 0) return EliminationOutcome::kNoList;
    table_.emplace(list_.Text(), static_cast<std::size_t>(lines_));
    if (!Load()) return EliminationOutcome::kStopped;
    Sort();
    if (!Mark()) return EliminationOutcome::kStopped;
    if (!Write()) return EliminationOutcome::kStopped;
    return EliminationOutcome::kCompleted;
  }

  std::int64_t LinesWritten() const { return linesWritten_; }

 private:
  bool Load() {
    PhaseProgress progress(gauge_, dialog_, kLoadingColour, lines_);
    BufferLines lines(list_.Text());
    std::string_view line;
    for (std::int32_t j = 1; j <= lines_; ++j) {
      lines.Next(line);
      table_->Set(j - 1, line);
      if (!progress.Step(j)) return false;
      windows_.Yield();
    }
    return true;
  }

  // The sort has no steps to yield at: the window system may keep the windows alive beside
  // it. A stop request made meanwhile is honoured at the first step of marking.
  void Sort() {
    dialog_.Picture().SetBackColour(kSortingColour);
    windows_.Yield();
    windows_.RunWhileYielding([this] { table_->Sort(); });
  }

  // In a run of equal lines every one but the last is marked: each is compared with its
  // successor, which marking never changes. The sort has noted which lines equal their
  // successors, so marking reads that note instead of the lines.
  bool Mark() {
    PhaseProgress progress(gauge_, dialog_, kMarkingColour, lines_);
    for (std::int32_t j = 1; j <= lines_ - 1; ++j) {
      if (!progress.Step(j)) return false;
      windows_.Yield();
      if (table_->EqualsNext(j - 1)) duplicatesRemoved_ = CheckedAdd(duplicatesRemoved_, 1);
    }
    return true;
  }

  // A line "*" is the removal mark of the written form and is left out like a marked one.
  bool Write() {
    PhaseProgress progress(gauge_, dialog_, kWritingColour, lines_);
    ReplacementFile replacement(target_, list_.status, files_);
    std::int64_t written = 0;
    for (std::int32_t j = 1; j <= lines_; ++j) {
      table_->PrefetchLine(static_cast<std::size_t>(j - 1) + LineTable::kPrefetchDistance);
      if (table_->EqualsNext(j - 1)) continue;
      const std::string_view line = table_->Line(j - 1);
      if (line == "*") continue;
      replacement.Writer().WriteLine(line);
      ++written;
      if (!progress.Step(j)) return false;
      windows_.Yield();
    }
    replacement.Commit(flush_ == ListFlush::kBeforeReplacing);
    linesWritten_ = written;
    return true;
  }

  const std::string& path_;
  std::int32_t& lines_;
  std::int32_t& duplicatesRemoved_;
  WindowSystem& windows_;
  ProgressDialog& dialog_;
  CHgauge& gauge_;
  ListFlush flush_;
  std::optional<FileIdentity> expected_;
  FileSystem& files_;
  std::string target_;
  WholeFile list_;
  std::optional<LineTable> table_;
  std::int64_t linesWritten_ = 0;
};

}  // namespace

EliminationResult RemoveDuplicates(const std::string& path, std::int32_t& totalLines,
                                   std::int32_t& duplicatesRemoved, WindowSystem& windows,
                                   ListFlush flush, const std::optional<FileIdentity>& expected,
                                   FileSystem& files) {
  EliminationResult result;
  std::int32_t lines = 0;
  std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
  windows.Yield();
  CHgauge gauge(windows);
  if (const auto failure = FailureOf([&] {
        gauge.Max(100);
        gauge.Min(0);
        gauge.Setup(dialog->Picture());
        Elimination elimination(path, lines, duplicatesRemoved, windows, *dialog, gauge, flush,
                                expected, files);
        result.outcome = elimination.Run();
        result.linesWritten = elimination.LinesWritten();
      })) {
    result.outcome = EliminationOutcome::kFailed;
    result.failure = failure;
  }
  dialog.reset();  // unloads the dialog on every way out
  totalLines = lines;
  return result;
}

}  // namespace ondrel
