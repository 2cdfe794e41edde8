#include "lists/sort_strings.h"

#include "common/failure.h"
#include "lists/round_half_even.h"

namespace ondrel {
namespace {

bool Inside(const std::vector<std::string>& list, std::int64_t position) {
  return position >= 0 && position < static_cast<std::int64_t>(list.size());
}

// One partition step around a copy of the middle entry. Equal entries stop both cursors and
// are swapped, which keeps the parts balanced on lists with many equal entries.
void Partition(std::vector<std::string>& list, std::int32_t low, std::int32_t high,
               std::int32_t& lowCursor, std::int32_t& highCursor) {
  const std::int64_t middle = PivotPosition(low, high);
  if (!Inside(list, middle)) throw Failure(kFailureOutOfRange, "Indice fuori dai limiti");
  const std::string pivot = list[middle];
  lowCursor = low;
  highCursor = high;
  while (lowCursor <= highCursor) {
    while (list[lowCursor] < pivot && lowCursor < high) ++lowCursor;
    while (pivot < list[highCursor] && highCursor > low) --highCursor;
    if (lowCursor <= highCursor) {
      list[lowCursor].swap(list[highCursor]);
      ++lowCursor;
      --highCursor;
    }
  }
}

// The two parts are disjoint, so sorting the smaller one first by recursion and the larger
// one in this loop gives the same list as sorting the left one first, with bounded depth.
void Sort(std::vector<std::string>& list, std::int32_t low, std::int32_t high) {
  for (;;) {
    std::int32_t lowCursor, highCursor;
    Partition(list, low, high, lowCursor, highCursor);
    const bool left = low < highCursor;
    const bool right = lowCursor < high;
    if (left && right) {
      if (highCursor - low < high - lowCursor) {
        Sort(list, low, highCursor);
        low = lowCursor;
      } else {
        Sort(list, lowCursor, high);
        high = highCursor;
      }
    } else if (left) {
      high = highCursor;
    } else if (right) {
      low = lowCursor;
    } else {
      return;
    }
  }
}

}  // namespace

std::int64_t PivotPosition(std::int32_t low, std::int32_t high) {
  return RoundHalfEven((static_cast<double>(low) + high) / 2);
}

std::int32_t SortStrings(std::vector<std::string>& list, std::int32_t low, std::int32_t high) {
  const auto failure = FailureOf([&] {
    // Every cursor stays between low and high, so checking the ends checks every access.
    if (low <= high && (!Inside(list, low) || !Inside(list, high)))
      throw Failure(kFailureOutOfRange, "Indice fuori dai limiti");
    Sort(list, low, high);
  });
  return failure ? failure->Number() : 0;
}

}  // namespace ondrel
