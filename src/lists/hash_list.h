// The digests of a list, one a line in hex: a list of exclusions that can be handed to
// someone else without giving the addresses away, in the form the subtraction reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/digest.h"
#include "common/failure.h"
#include "common/file_system.h"

namespace ondrel {

struct HashListResult {
  bool completed = false;          // false: a failure stopped it; what was written stays
  bool outputWritten = false;      // whether the output was opened (and emptied) at all
  std::optional<Failure> failure;  // what stopped it, when it did not complete
  std::int64_t linesRead = 0;
  std::int64_t linesWritten = 0;
};

// Writes to `outputPath` (replaced, never `listPath` however spelled), for each line of
// `listPath` in order, the digest of the line trimmed and with its ASCII capitals made small,
// in hex digits (small letters), through `files`. Throws nothing.
HashListResult HashList(const std::string& listPath, const std::string& outputPath, DigestKind kind,
                        FileSystem& files = SystemFileSystem());

}  // namespace ondrel
