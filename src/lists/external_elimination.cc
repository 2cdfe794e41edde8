#include "lists/external_elimination.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/replacement_file.h"
#include "lists/buffer_lines.h"
#include "lists/line_table.h"
#include "lists/list_pieces.h"
#include "lists/phase_progress.h"
#include "lists/run_merge.h"
#include "lists/temporary_file.h"

namespace ondrel {
namespace {

// Every run merged at once reads through a buffer of its own, taken from the budget; below
// this size its reads get too small to be worth merging more runs at once.
constexpr std::size_t kLeastMergeBuffer = std::size_t{64} << 10;
// Reads of 1 MiB keep the system's calls few; larger ones gain nothing.
constexpr std::size_t kMostMergeBuffer = std::size_t{1} << 20;
// Every run merged at once holds a file open: this many stays far inside the usual limit of
// 1,024 open files.
constexpr std::size_t kMostRunsMerged = 128;

constexpr std::string_view kWork = "per ordinarlo";

class ExternalElimination {
 public:
  ExternalElimination(const std::string& target, std::uint64_t budget, EliminationContext& context)
      : target_(target),
        budget_(static_cast<std::size_t>(std::min<std::uint64_t>(budget, SIZE_MAX / 2))),
        context_(context) {}

  EliminationOutcome Run(const std::string& path, const std::optional<FileIdentity>& expected) {
    FileStatus status;
    FileHandle list = context_.files.OpenToRead(target_, status);
    RefuseIfReplaced(path, status, expected);
    // The runs take at most the list's bytes, and so does the list's replacement (lines that
    // end in CR LF; a line end of one byte grows by one).
    RequireFreeSpace(target_, 2 * status.size, kWork, context_.files);
    // Made first, so that a list that may not be replaced is refused before any work.
    ReplacementFile replacement(target_, status, context_.files);
    if (!CutIntoRuns(std::move(list), status.size)) return EliminationOutcome::kStopped;
    if (runs_.empty()) return EliminationOutcome::kNoList;
    // What is left of the sort is the merge, which shows no steps of its own.
    context_.dialog.Picture().SetBackColour(kSortingColour);
    context_.windows.Yield();
    while (runs_.size() > FanIn())
      if (!MergeLevel()) return EliminationOutcome::kStopped;
    RequireFreeSpace(target_, RunBytes(), kWork, context_.files);
    if (!MergeIntoList(replacement.Writer())) return EliminationOutcome::kStopped;
    context_.lateBytes = replacement.Commit(context_.flush == ListFlush::kBeforeReplacing);
    context_.ownership = replacement.Ownership();
    return EliminationOutcome::kCompleted;
  }

 private:
  std::size_t FanIn() const {
    return std::clamp<std::size_t>(budget_ / kLeastMergeBuffer, 2, kMostRunsMerged);
  }
  std::size_t MergeBuffer(std::size_t runs) const {
    return std::clamp<std::size_t>(budget_ / (runs + 1), 4096, kMostMergeBuffer);
  }
  std::uint64_t RunBytes() const {
    std::uint64_t bytes = 0;
    for (const LineFile& run : runs_) bytes += run.bytes;
    return bytes;
  }
  void CountDuplicates(std::int64_t count) {
    context_.duplicatesRemoved = CheckedAdd(context_.duplicatesRemoved, count);
  }

  // Loading, in blue: the list is read piece by piece, each piece sorted in memory and
  // written as a run without its repeated lines, which are counted.
  bool CutIntoRuns(FileHandle list, std::uint64_t size) {
    PhaseProgress progress(context_.gauge, context_.dialog, kLoadingColour,
                           static_cast<std::int64_t>(size));
    ListPieces pieces(std::move(list), target_, budget_, LineTable::kBytesPerLine, context_.files);
    ListPiece piece;
    while (pieces.Next(piece)) {
      const std::uint64_t start = pieces.BytesDone() - piece.text.size();
      LineTable table(piece.text, piece.lines, piece.room);
      BufferLines split(piece.text);
      std::string_view line;
      for (std::size_t j = 0; j < piece.lines; ++j) {
        split.Next(line);
        table.Set(j, line);
        ++context_.lines;
        const auto through =
            start + static_cast<std::uint64_t>(line.data() + line.size() - piece.text.data());
        if (!progress.Step(static_cast<std::int64_t>(through))) return false;
        context_.windows.Yield();
      }
      context_.windows.RunWhileYielding([&table] { table.Sort(); });
      LineFileWriter run(target_, context_.files);
      for (std::size_t j = 0; j < piece.lines; ++j) {
        if (table.EqualsNext(j)) {
          CountDuplicates(1);
          continue;
        }
        run.Write(table.Line(j));
        context_.windows.Yield();
      }
      runs_.push_back(run.Finish());
    }
    return true;
  }

  // Marking, in red, when there are more runs than can be merged at once: runs are merged in
  // groups into longer ones, and lines met in more than one run of a group counted. The
  // runs of a group go as soon as it is merged, so the disk holds one group twice at most.
  bool MergeLevel() {
    PhaseProgress progress(context_.gauge, context_.dialog, kMarkingColour,
                           static_cast<std::int64_t>(RunBytes()));
    std::vector<LineFile> merged;
    std::uint64_t done = 0;
    for (std::size_t first = 0; first < runs_.size(); first += FanIn()) {
      const auto begin = runs_.begin() + static_cast<std::ptrdiff_t>(first);
      const auto end =
          runs_.begin() + static_cast<std::ptrdiff_t>(std::min(runs_.size(), first + FanIn()));
      std::vector<LineFile> group(std::make_move_iterator(begin), std::make_move_iterator(end));
      if (group.size() == 1) {
        done += group.front().bytes;
        merged.push_back(std::move(group.front()));
        continue;
      }
      RunMerge merge(group, MergeBuffer(group.size()), context_.files);
      LineFileWriter out(target_, context_.files);
      std::string_view line;
      int copies = 0;
      while (merge.Next(line, copies)) {
        CountDuplicates(copies - 1);
        out.Write(line);
        if (!progress.Step(static_cast<std::int64_t>(done + merge.BytesRead()))) return false;
        context_.windows.Yield();
      }
      done += merge.BytesRead();
      merged.push_back(out.Finish());
    }
    runs_ = std::move(merged);
    return true;
  }

  // Writing, in green: the last merge writes every line once, but "*", to the replacement.
  bool MergeIntoList(LineWriter& writer) {
    PhaseProgress progress(context_.gauge, context_.dialog, kWritingColour,
                           static_cast<std::int64_t>(RunBytes()));
    RunMerge merge(runs_, MergeBuffer(runs_.size()), context_.files);
    std::string_view line;
    int copies = 0;
    std::int64_t written = 0;
    while (merge.Next(line, copies)) {
      CountDuplicates(copies - 1);
      if (line == "*") continue;
      writer.WriteLine(line);
      ++written;
      if (!progress.Step(static_cast<std::int64_t>(merge.BytesRead()))) return false;
      context_.windows.Yield();
    }
    context_.linesWritten = written;
    return true;
  }

  const std::string& target_;
  std::size_t budget_;
  EliminationContext& context_;
  std::vector<LineFile> runs_;
};

}  // namespace

void RefuseIfReplaced(const std::string& path, const FileStatus& status,
                      const std::optional<FileIdentity>& expected) {
  if (expected && status.identity != *expected) {
    throw Failure(kFailureFileChanged,
                  "Il file \"" + path + "\" e` stato sostituito durante l'elaborazione");
  }
}

EliminationOutcome EliminateBeyondMemory(const std::string& path, const std::string& target,
                                         const std::optional<FileIdentity>& expected,
                                         std::uint64_t budget, EliminationContext& context) {
  ExternalElimination elimination(target, budget, context);
  return elimination.Run(path, expected);
}

}  // namespace ondrel
