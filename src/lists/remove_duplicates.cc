#include "lists/remove_duplicates.h"

#include <optional>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/memory_budget.h"
#include "common/replacement_file.h"
#include "lists/buffer_lines.h"
#include "lists/external_elimination.h"
#include "lists/hgauge.h"
#include "lists/line_table.h"
#include "lists/phase_progress.h"
#include "lists/whole_list.h"

namespace ondrel {
namespace {

// One elimination, phase by phase. A list that fits the memory budget is read once, whole,
// so that a file that changes meanwhile cannot mix two versions; "counting" counts the lines
// in that copy and "loading" records them in the table the sort works on. A larger list is
// sorted through temporary files instead (external_elimination.h).
class Elimination {
 public:
  Elimination(const std::string& path, const std::optional<FileIdentity>& expected,
              std::uint64_t budget, EliminationContext& context)
      : path_(path),
        expected_(expected),
        budget_(budget),
        context_(context),
        windows_(context.windows),
        dialog_(context.dialog),
        gauge_(context.gauge),
        lines_(context.lines),
        duplicatesRemoved_(context.duplicatesRemoved) {}

  EliminationOutcome Run() {
    if (!context_.files.FindPlainFile(path_)) return EliminationOutcome::kNoList;
    target_ = context_.files.ResolvedPath(path_);
    if (!LoadedWhole()) return EliminateBeyondMemory(path_, target_, expected_, budget_, context_);
    if (lines_ == 0) return EliminationOutcome::kNoList;
    if (!Load()) return EliminationOutcome::kStopped;
    Sort();
    if (!Mark()) return EliminationOutcome::kStopped;
    if (!Write()) return EliminationOutcome::kStopped;
    return EliminationOutcome::kCompleted;
  }

 private:
  // Reads the list whole and counts its lines, and takes the table for them, when the text
  // and the table fit the budget; false, holding nothing, otherwise. When the system has less
  // memory than the budget promised, the other way gets a smaller one.
  bool LoadedWhole() {
    try {
      auto list = ReadListIfItFits(target_, sizeof(std::uint64_t), LineTable::kBytesPerLine,
                                   budget_, context_.files);
      if (!list) return false;
      RefuseIfReplaced(path_, list->file.status, expected_);
      list_ = std::move(list->file);
      lines_ = list->lines;
      if (lines_ > 0) table_.emplace(list_.Text(), static_cast<std::size_t>(lines_));
      return true;
    } catch (const std::bad_alloc&) {
      list_ = WholeFile();
      budget_ = BudgetAfterShortage(budget_);
      return false;
    }
  }

  bool Load() {
    PhaseProgress progress(gauge_, dialog_, kLoadingColour, lines_);
    BufferLines lines(list_.Text());
    std::string_view line;
    for (std::int64_t j = 1; j <= lines_; ++j) {
      lines.Next(line);
      table_->Set(static_cast<std::size_t>(j - 1), line);
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
    for (std::int64_t j = 1; j <= lines_ - 1; ++j) {
      if (!progress.Step(j)) return false;
      windows_.Yield();
      if (table_->EqualsNext(static_cast<std::size_t>(j - 1)))
        duplicatesRemoved_ = CheckedAdd<std::int64_t>(duplicatesRemoved_, 1);
    }
    return true;
  }

  // A line "*" is the removal mark of the written form and is left out like a marked one.
  bool Write() {
    PhaseProgress progress(gauge_, dialog_, kWritingColour, lines_);
    ReplacementFile replacement(target_, list_.status, context_.files);
    std::int64_t written = 0;
    for (std::int64_t j = 1; j <= lines_; ++j) {
      const auto index = static_cast<std::size_t>(j - 1);
      if (table_->EqualsNext(index)) continue;
      const std::string_view line = table_->Line(index);
      if (line == "*") continue;
      replacement.Writer().WriteLine(line);
      ++written;
      if (!progress.Step(j)) return false;
      windows_.Yield();
    }
    context_.lateBytes = replacement.Commit(context_.flush == ListFlush::kBeforeReplacing);
    context_.linesWritten = written;
    context_.ownership = replacement.Ownership();
    return true;
  }

  const std::string& path_;
  std::optional<FileIdentity> expected_;
  std::uint64_t budget_;
  EliminationContext& context_;
  WindowSystem& windows_;
  ProgressDialog& dialog_;
  CHgauge& gauge_;
  std::int64_t& lines_;
  std::int64_t& duplicatesRemoved_;
  std::string target_;
  WholeFile list_;
  std::optional<LineTable> table_;
};

}  // namespace

EliminationResult RemoveDuplicates(const std::string& path, std::int64_t& totalLines,
                                   std::int64_t& duplicatesRemoved, WindowSystem& windows,
                                   ListFlush flush, const std::optional<FileIdentity>& expected,
                                   FileSystem& files, std::optional<std::uint64_t> memoryBudget) {
  EliminationResult result;
  std::int64_t lines = 0;
  std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
  windows.Yield();
  CHgauge gauge(windows);
  if (const auto failure = FailureOf([&] {
        gauge.Max(100);
        gauge.Min(0);
        gauge.Setup(dialog->Picture());
        EliminationContext context{.windows = windows,
                                   .dialog = *dialog,
                                   .gauge = gauge,
                                   .files = files,
                                   .flush = flush,
                                   .lines = lines,
                                   .duplicatesRemoved = duplicatesRemoved};
        Elimination elimination(path, expected, MemoryBudget(memoryBudget), context);
        result.outcome = elimination.Run();
        result.linesWritten = context.linesWritten;
        result.ownership = context.ownership;
        if (context.lateBytes > 0) {
          result.listReplaced = true;
          throw Failure(kFailureFileChanged, "Mentre l'elenco \"" + path +
                                                 "\" veniva sostituito un altro programma vi "
                                                 "ha aggiunto " +
                                                 std::to_string(context.lateBytes) +
                                                 " byte: sono in fondo all'elenco, non ordinati");
        }
      })) {
    result.outcome = EliminationOutcome::kFailed;
    result.failure = failure;
  }
  dialog.reset();  // unloads the dialog on every way out
  totalLines = lines;
  return result;
}

}  // namespace ondrel
