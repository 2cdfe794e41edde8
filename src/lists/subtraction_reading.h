// How the subtraction reads its lists, with the exclusion list in memory or beyond it: the key
// by which lines are compared, and the lines of a file a block at a time.
#pragma once

#include <functional>
#include <string_view>

#include "common/paths.h"
#include "common/text_reader.h"
#include "common/window_system.h"

namespace ondrel {

// Asked between blocks of lines; true to stop the work (a console's Ctrl-C).
using StopCheck = std::function<bool()>;

// The key of a line of either list, by which a base line is found in the exclusion list: the
// line without the spaces at its ends.
inline std::string_view SubtractionKey(std::string_view line) {
  return TrimSpaces(line);
}

// Hands the lines of `reader` to `use` in runs of whole lines, line ends included, in order;
// asks `stop` (if set) before each run and throws StopRequest when it says so.
template <typename Use>
void ForEachBlock(TextFileReader& reader, const StopCheck& stop, Use use) {
  std::string_view chunk;
  while (reader.NextLines(chunk)) {
    if (stop && stop()) throw StopRequest{};
    use(chunk);
  }
}

}  // namespace ondrel
