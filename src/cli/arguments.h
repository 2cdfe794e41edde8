// The console program's command line: a command, its options and its operands.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/digest.h"

namespace ondrel::cli {

enum class Command { kHelp, kVersion, kExtract, kDedupe, kSubtract, kHash };

// The most files extract reads at once. Each file under way holds its folder open, a few per
// thread: this many stays well inside the usual limit of 1,024 open files.
inline constexpr int kMostJobs = 64;

struct Arguments {
  Command command = Command::kHelp;
  std::int16_t fileKind = 0;  // extract: 0 web pages (the default), 1 text files, 2 store files
  bool append = false;        // extract
  int jobs = 0;               // extract: files read at once; 0 for one per core
  std::string sourcesPath;    // extract: where the table of provenances goes; empty for none
  // subtract --hashed: the exclusion list holds digests of this kind; hash: the digest written
  std::optional<DigestKind> digest;
  bool ignoreCase = false;  // subtract: the exclusion list matches ignoring ASCII letter case
  std::string domainsPath;  // subtract: the file of domains whose addresses go; empty for none
  std::string removedPath;  // subtract: where the removed lines go; empty for nowhere
  // extract, dedupe, subtract: the memory a list may take (--memory); none: what the machine
  // leaves.
  std::optional<std::uint64_t> memoryBudget;
  // The operands exactly as given: an empty one is an empty box, spaces stay.
  std::vector<std::string> operands;
};

struct UsageError {
  std::string reason;
};

// The least --memory takes: a smaller budget would cut a list into thousands of files.
inline constexpr std::uint64_t kLeastMemoryBudget = std::uint64_t{1} << 20;

// A size as sort -S takes it: a whole number of KiB, or of bytes, KiB, MiB, GiB or TiB with
// the suffix b, K, M, G or T (either case). None for anything else, or more than 2^63 bytes.
std::optional<std::uint64_t> MemorySizeNamed(std::string_view text);

// Parses the arguments after the program name. Options may stand before, between or after
// the operands; "--" ends them, so that an operand may start with "-".
std::variant<Arguments, UsageError> ParseArguments(std::span<const char* const> arguments);

// The short usage text shown with a usage error, and the full text of --help, which begins
// with it: the one place the program's usage is written (the README and the manual page are
// held to it by the tests).
extern const std::string_view kUsageText;
extern const std::string_view kHelpText;

}  // namespace ondrel::cli
