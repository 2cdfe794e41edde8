// The extraction run: checks the two folders, harvests every file of the kind into
// MailOut.txt, eliminates its duplicates and shows the closing summary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/window_system.h"
#include "engine/file_kind.h"
#include "engine/file_scanner.h"
#include "lists/remove_duplicates.h"

namespace ondrel {

// The main window's run state; every field starts at zero. The lines of MailOut.txt may be
// more than a run finds, so their counts are 64-bit: a list appended to may pass 2^31 lines.
struct RunCounters {
  std::int32_t AddressesFound = 0;
  std::int64_t TotalLines = 0;
  std::int64_t DuplicatesRemoved = 0;
};

enum class RunOutcome {
  kRefused,    // a check failed and its message was shown; nothing was touched
  kFailed,     // the run took its failure path; see `failure`
  kStopped,    // the user stopped it; the output holds the whole lines written until then
  kCompleted,  // the summary was shown (see `elimination` for how duplicate elimination ended)
};

struct RunResult {
  RunOutcome outcome = RunOutcome::kRefused;
  std::optional<Failure> failure;  // set when the outcome is kFailed
  EliminationResult elimination;
  std::string outputPath;                 // MailOut.txt, once the checks passed
  bool sourcesWritten = false;            // the table of provenances took its file's place
  std::vector<SkippedFile> skippedFiles;  // what could not be read, on every outcome but kRefused
};

// How a run reads its tree.
struct HarvestOptions {
  int jobs = 1;  // files read at once; 1 reads them one after another on the calling thread
  std::string sourcesPath;  // where the table of each address's files goes; empty for none
  FileSystem* files = &SystemFileSystem();  // what the tree, MailOut.txt and its copies go through
  // The memory the closing elimination may hold (remove_duplicates.h); none: what the machine
  // leaves then.
  std::optional<std::uint64_t> memoryBudget;
};

// Runs one extraction. `scanText` and `outputText` are the two path boxes as typed;
// `fileKind` is read afresh for every file and every token, so a front end may change it
// while the run yields; `append` is the check box value (any non-zero value appends).
// `options` may read the files on several threads (the result is the same) and ask for the
// table of where each address was found, which is refused when it would take the place of
// MailOut.txt, and written only when the whole tree was harvested.
RunResult RunExtraction(const std::string& scanText, const std::string& outputText,
                        const std::int16_t& fileKind, int append, RunCounters& counters,
                        WindowSystem& windows, const HarvestOptions& options = {});

}  // namespace ondrel
