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
  // The operands exactly as given: an empty one is an empty box, spaces stay.
  std::vector<std::string> operands;
};

struct UsageError {
  std::string reason;
};

// Parses the arguments after the program name. Options may stand before, between or after
// the operands; "--" ends them, so that an operand may start with "-".
std::variant<Arguments, UsageError> ParseArguments(std::span<const char* const> arguments);

// The short usage text shown with a usage error, and the full text of --help.
extern const std::string_view kUsageText;
extern const std::string_view kHelpText;

}  // namespace ondrel::cli
