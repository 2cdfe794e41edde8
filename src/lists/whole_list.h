// A list read whole into memory when it fits a memory budget together with what the tool
// builds over its lines; the tools take another way for a larger one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/whole_file.h"

namespace ondrel {

struct WholeList {
  WholeFile file;
  std::int64_t lines = 0;
};

// The list at `path` read whole through `files`, followed by `padding` zero bytes, with its
// lines counted, when its bytes, the padding and `bytesPerLine` for each line fit `budget`;
// none otherwise, holding nothing. Throws Failure as ReadWholeFile does.
std::optional<WholeList> ReadListIfItFits(const std::string& path, std::size_t padding,
                                          std::size_t bytesPerLine, std::uint64_t budget,
                                          FileSystem& files);

// The budget for the other way after the system had less memory than `budget` promised:
// half of the least of it and what the system leaves now.
std::uint64_t BudgetAfterShortage(std::uint64_t budget);

}  // namespace ondrel
