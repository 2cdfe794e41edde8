// The rules of a subtraction held in memory: each reads one exclusion file into a set of its
// keys (exclusion_keys.h) and marks the base lines whose keys are in that set.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "lists/exclusion_keys.h"

namespace ondrel {

struct ExclusionFile {
  std::string path;
  KeyKind kind = KeyKind::kExact;
};

struct ExclusionReport {
  std::int64_t lines = 0;       // lines of the exclusion file
  std::int64_t unfit = 0;       // its lines with no key: not of the rule's form
  std::int64_t firstUnfit = 0;  // the number (from 1) of the first of them; 0 for none
  std::int64_t removed = 0;     // base lines this rule removed that no rule before it did
};

// Counts an exclusion line in `report`, and whether it has a key.
void CountExclusionLine(ExclusionReport& report, bool hasKey);

// Base lines are best handed to the rules in batches of about this many.
inline constexpr std::size_t kBatchLines = 4096;

class ExclusionRule {
 public:
  virtual ~ExclusionRule() = default;
  // Sets removedBy[i] to `mark` for every trimmed base line lines[i] whose removedBy[i] is
  // still 0 (no rule removed it) and whose key is an exclusion key. Throws Failure when a
  // digest fails.
  virtual void Mark(std::span<const std::string_view> lines, std::span<std::uint8_t> removedBy,
                    std::uint8_t mark) = 0;
  // Once every base line was marked: throws Failure (kFailureFileChanged) when the base list
  // the rule read ahead changed since.
  virtual void RequireWholeBaseAsked() const {}
};

// Reads `file` through `files` into its rule held in memory and counts its lines in `report`;
// nothing, with nothing read, when its keys would take more than `budget` bytes. Throws
// Failure when it cannot be read, std::bad_alloc when memory is short.
std::unique_ptr<ExclusionRule> ReadExclusionRule(const ExclusionFile& file, ExclusionReport& report,
                                                 FileSystem& files, std::uint64_t budget);

}  // namespace ondrel
