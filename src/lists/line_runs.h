// The lines of a streamed list, taken a batch at a time, for the list tools that treat many
// lines at once.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "common/paths.h"
#include "common/text_reader.h"
#include "lists/buffer_lines.h"
#include "lists/subtraction_reading.h"

namespace ondrel {

// Hands `use` the lines of `reader`, trimmed of their spaces, in order, in spans of at most
// `batch` lines, valid during the call; asks `stop` (if set) between runs of lines. Throws
// Failure on a read error, StopRequest when `stop` says so.
template <typename Use>
void ForEachBatchOfTrimmedLines(TextFileReader& reader, std::size_t batch, const StopCheck& stop,
                                Use use) {
  std::vector<std::string_view> lines(batch);
  std::string_view line;
  ForEachBlock(reader, stop, [&](std::string_view chunk) {
    BufferLines split(chunk);
    for (bool more = true; more;) {
      std::size_t count = 0;
      for (; count < batch && (more = split.Next(line)); ++count) lines[count] = TrimSpaces(line);
      if (count > 0) use(std::span<const std::string_view>(lines).first(count));
    }
  });
}

}  // namespace ondrel
