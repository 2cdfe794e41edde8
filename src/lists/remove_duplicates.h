// Duplicate elimination: sorts an address list in place and drops repeated lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/failure.h"
#include "common/file_status.h"
#include "common/file_system.h"
#include "common/window_system.h"

namespace ondrel {

enum class EliminationOutcome {
  kNotRun,     // not reached (a run that failed before it)
  kCompleted,  // the list was rewritten sorted and free of duplicates
  kNoList,     // the file was missing (or not a regular file) or held no line
  kStopped,    // "Annulla": the list is unchanged
  kFailed,     // a runtime failure: the list is unchanged
};

// Whether the rewritten list is flushed to disk before it replaces the list. A list that was
// on disk before must never be replaced by one that is not; a list that the caller has just
// written whole, and not flushed either, loses nothing by a replacement that is not.
enum class ListFlush {
  kBeforeReplacing,
  kNotNeeded,  // the list's whole content was written by the caller just now
};

struct EliminationResult {
  EliminationOutcome outcome = EliminationOutcome::kNotRun;
  std::optional<Failure> failure;  // set when the outcome is kFailed
  std::int64_t linesWritten = 0;   // lines of the rewritten list; 0 unless completed
  KeptOwnership ownership;         // what of the list's owner the rewritten list kept
  // Failed, yet the list was replaced: another program appended to it meanwhile, and its lines
  // follow the sorted ones, as they were.
  bool listReplaced = false;
};

// Eliminates the duplicates of the list at `path`, showing the progress dialog of `windows`.
// `totalLines` is set to the number of lines counted on every way out; `duplicatesRemoved`
// is added to for every entry dropped as equal to its successor. A stop or a failure leaves
// the list byte for byte as it was. With `expected`, a list that is not that file any more
// (replaced meanwhile) is a failure and stays as it is. The new list is written through
// `files`. A list whose text and table (16 bytes a line) fit `memoryBudget` (none: what the
// machine leaves now, memory_budget.h) is sorted in memory; a larger one, of any size the
// disk can hold twice over, through temporary files beside it, with the same result.
EliminationResult RemoveDuplicates(const std::string& path, std::int64_t& totalLines,
                                   std::int64_t& duplicatesRemoved, WindowSystem& windows,
                                   ListFlush flush = ListFlush::kBeforeReplacing,
                                   const std::optional<FileIdentity>& expected = std::nullopt,
                                   FileSystem& files = SystemFileSystem(),
                                   std::optional<std::uint64_t> memoryBudget = std::nullopt);

}  // namespace ondrel
