// The lines of a text by the rule as it is written, byte by byte, for tests to hold the
// program's readers against: a line ends at CR, CR LF or a lone LF; the last needs no end.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel::testing {

inline std::vector<std::string> LiteralLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The lines of the file at `path` (one of the program's UTF-8 strings on every platform).
inline std::vector<std::string> LiteralLinesOf(const std::string& path) {
  std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                   std::ios::binary);
  return LiteralLines(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace ondrel::testing
