// Duplicate elimination of a list too large for the memory budget: the list is cut into sorted
// runs in temporary files beside it, and the runs are merged straight into its replacement,
// which leaves out repeated lines and "*" as the elimination in memory does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/file_status.h"
#include "common/file_system.h"
#include "common/window_system.h"
#include "lists/hgauge.h"
#include "lists/remove_duplicates.h"

namespace ondrel {

// What an elimination shows its progress on, works through and counts, in either way.
struct EliminationContext {
  WindowSystem& windows;
  ProgressDialog& dialog;
  CHgauge& gauge;
  FileSystem& files;
  ListFlush flush;
  std::int64_t& lines;              // the lines counted
  std::int64_t& duplicatesRemoved;  // added to for every line equal to the next one in order
  std::int64_t linesWritten = 0;
  KeptOwnership ownership{};    // what of the list's owner its replacement kept
  std::uint64_t lateBytes = 0;  // appended by another program as the list was replaced
};

// Throws Failure (kFailureFileChanged) when `status`, that of `path` as opened, is not the
// file `expected` (replaced meanwhile).
void RefuseIfReplaced(const std::string& path, const FileStatus& status,
                      const std::optional<FileIdentity>& expected);

// Eliminates the duplicates of the list named `path`, at `target` (the resolved path),
// holding about `budget` bytes of memory at most (more only for a line longer than that); the
// temporary files take up to about twice the list's size on its disk, which is checked first.
// kCompleted, kNoList (a list without lines) or kStopped (the list as it was); throws Failure,
// the list then as it was too.
EliminationOutcome EliminateBeyondMemory(const std::string& path, const std::string& target,
                                         const std::optional<FileIdentity>& expected,
                                         std::uint64_t budget, EliminationContext& context);

}  // namespace ondrel
