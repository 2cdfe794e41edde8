// The lines of a file as the program reads them: runs of whole lines, each split at its line
// ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/text_reader.h"
#include "lists/buffer_lines.h"

namespace ondrel::testing {

inline std::vector<std::string> LinesRead(TextFileReader& reader) {
  std::vector<std::string> lines;
  std::string_view chunk, line;
  while (reader.NextLines(chunk)) {
    BufferLines split(chunk);
    while (split.Next(line)) lines.emplace_back(line);
  }
  return lines;
}

inline std::vector<std::string> LinesRead(TextFileReader&& reader) {
  return LinesRead(reader);
}

}  // namespace ondrel::testing
