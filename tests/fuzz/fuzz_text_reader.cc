// The line reader gives the lines of the text convention at any block size: CR, CR LF and
// a lone LF end a line, the last line needs no end.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text_reader.h"
#include "fuzz_support.h"

namespace {

std::vector<std::string> ReferenceLines(std::string_view bytes) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t block = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  static const int memory_file = ::memfd_create("fuzz-text", 0);
  FUZZ_CHECK(memory_file >= 0);
  FUZZ_CHECK(::ftruncate(memory_file, 0) == 0);
  FUZZ_CHECK(::pwrite(memory_file, bytes.data(), bytes.size(), 0) ==
             static_cast<ssize_t>(bytes.size()));
  const std::string path = "/proc/self/fd/" + std::to_string(memory_file);

  std::vector<std::string> lines;
  {
    ondrel::TextFileReader reader(path, block);
    std::string_view line;
    while (reader.NextLine(line)) lines.emplace_back(line);
  }
  FUZZ_CHECK(lines == ReferenceLines(bytes));

  std::string joined;
  {
    ondrel::TextFileReader reader(path, block);
    std::string_view chunk;
    while (reader.NextLines(chunk)) {
      FUZZ_CHECK(!chunk.empty());
      joined += chunk;
      FUZZ_CHECK(ondrel::IsLineEndByte(chunk.back()) || joined.size() == bytes.size());
    }
  }
  FUZZ_CHECK(joined == bytes);
  return 0;
}
