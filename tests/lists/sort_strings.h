// SortStrings: the general in-place quicksort of a range of a list of strings, in ordinal
// byte order. Kept only as the literal reference the duplicate elimination tests compare the
// program's own sort against; not used by the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrel {

// Sorts the entries at positions `low` to `high` (inclusive; positions are indexes of `list`)
// into ascending ordinal order. Returns 0 when done, otherwise the number of the failure that
// stopped it (a position outside the list, memory exhausted). The stack depth stays
// logarithmic in the length of the range whatever the input.
std::int32_t SortStrings(std::vector<std::string>& list, std::int32_t low, std::int32_t high);

// The position of the pivot for the range `low` to `high`: their mean, halves rounded to the
// even neighbour.
std::int64_t PivotPosition(std::int32_t low, std::int32_t high);

}  // namespace ondrel
