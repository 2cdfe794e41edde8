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

namespace ondrel {

// Hands `use` the lines of `reader`, trimmed of their spaces, in order, in spans of at most
// `batch` lines, valid during the call. Throws Failure on a read error.
template <typename Use>
void ForEachBatchOfTrimmedLines(TextFileReader& reader, std::size_t batch, Use use) {
  std::vector<std::string_view> lines(batch);
  std::string_view chunk, line;
  bool chunkEndedWithCarriageReturn = false;
  while (reader.NextLines(chunk)) {
    // A CR LF split between two chunks is one line end.
    if (chunkEndedWithCarriageReturn && !chunk.empty() && chunk.front() == '\n')
      chunk.remove_prefix(1);
    chunkEndedWithCarriageReturn = !chunk.empty() && chunk.back() == '\r';
    BufferLines split(chunk);
    for (bool more = true; more;) {
      std::size_t count = 0;
      for (; count < batch && (more = split.Next(line)); ++count) lines[count] = TrimSpaces(line);
      if (count > 0) use(std::span<const std::string_view>(lines).first(count));
    }
  }
}

}  // namespace ondrel
