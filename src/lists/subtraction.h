// The subtraction tool: the lines of a base list that are not in an exclusion list, written
// to MailNew.txt beside the base list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/window_system.h"
#include "lists/exclusion_rules.h"
#include "lists/subtraction_reading.h"

namespace ondrel {

// What a subtraction removes base lines by, and where the removed lines go.
struct SubtractionRules {
  // The rules in the order they apply: a line that two would remove counts for the first.
  std::vector<ExclusionFile> exclusions;
  std::string removedPath;  // where the removed lines go, in base order; empty for nowhere
};

struct SubtractionResult {
  bool completed = false;          // false: a failure or a stop ended it; what was written stays
  bool stopped = false;            // a stop request ended it
  bool outputWritten = false;      // whether the outputs were opened (and emptied) at all
  std::optional<Failure> failure;  // what stopped it, when it did not complete
  // An exclusion file whose rule has a form held no line of it: nothing was opened to write.
  bool noKeys = false;
  std::int64_t baseLinesRead = 0;
  std::int64_t exclusionLines = 0;  // of the first exclusion file
  std::int64_t linesWritten = 0;
  std::vector<ExclusionReport> exclusions;  // one per exclusion file read, in rule order
};

// Writes every trimmed line of `basePath` that no rule removes, in base order, to
// `outputPath` (replaced), and the others to the rules' `removedPath`, through `files`. Shows
// nothing and throws nothing. An exclusion file whose keys fit `memoryBudget` (none: what the
// machine leaves now, memory_budget.h) is held in memory; a larger one, of any size, is worked
// through in temporary files beside the output, with the same result. `stop`, asked between
// blocks of lines, ends the work early.
SubtractionResult SubtractLists(const std::string& basePath, const SubtractionRules& rules,
                                const std::string& outputPath,
                                FileSystem& files = SystemFileSystem(),
                                std::optional<std::uint64_t> memoryBudget = std::nullopt,
                                const StopCheck& stop = {});

// Writes every trimmed line of `basePath` that equals no trimmed line of `exclusionPath`,
// in base order, to `outputPath` (replaced), through `files`. Shows nothing and throws nothing.
inline SubtractionResult SubtractLists(const std::string& basePath,
                                       const std::string& exclusionPath,
                                       const std::string& outputPath,
                                       FileSystem& files = SystemFileSystem(),
                                       std::optional<std::uint64_t> memoryBudget = std::nullopt,
                                       const StopCheck& stop = {}) {
  return SubtractLists(basePath, SubtractionRules{{{exclusionPath, KeyKind::kExact}}, {}},
                       outputPath, files, memoryBudget, stop);
}

enum class CreateNewFileOutcome {
  kRefused,  // one of the check messages was shown; no file was touched
  kFailed,   // SubtractLists stopped on a failure (see `subtraction`)
  kStopped,  // a stop request ended SubtractLists
  kCompleted,
};

struct CreateNewFileResult {
  CreateNewFileOutcome outcome = CreateNewFileOutcome::kRefused;
  SubtractionResult subtraction;
};

// The press of "Crea nuovo file" with the base text as typed and the `rules`: computes
// `newFilePath`, runs the checks (showing their messages through `windows`), and runs
// SubtractLists with the busy pointer on.
CreateNewFileResult CreateNewFile(const std::string& baseText, const SubtractionRules& rules,
                                  std::string& newFilePath, WindowSystem& windows,
                                  FileSystem& files = SystemFileSystem(),
                                  std::optional<std::uint64_t> memoryBudget = std::nullopt,
                                  const StopCheck& stop = {});

// The same with the texts of the window's two boxes as typed.
inline CreateNewFileResult CreateNewFile(const std::string& baseText,
                                         const std::string& exclusionText, std::string& newFilePath,
                                         WindowSystem& windows,
                                         FileSystem& files = SystemFileSystem()) {
  return CreateNewFile(baseText, SubtractionRules{{{exclusionText, KeyKind::kExact}}, {}},
                       newFilePath, windows, files);
}

}  // namespace ondrel
