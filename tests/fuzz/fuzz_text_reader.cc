// The line reader gives the lines of the text convention at any block size: CR, CR LF and
// a lone LF end a line, the last line needs no end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/read_lines.h"
#include "common/text_reader.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t block = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  static ondrel::fuzz::MemoryFile memory_file;
  const std::string path = memory_file.Holding(bytes);

  FUZZ_CHECK(ondrel::testing::LinesRead(ondrel::TextFileReader(path, block)) ==
             ondrel::fuzz::ReferenceLines(bytes));

  std::string joined;
  {
    ondrel::TextFileReader reader(path, block);
    std::string_view chunk;
    while (reader.NextLines(chunk)) {
      FUZZ_CHECK(!chunk.empty());
      // One line end is never parted between two runs.
      FUZZ_CHECK(joined.empty() || joined.back() != '\r' || chunk.front() != '\n');
      joined += chunk;
      FUZZ_CHECK(ondrel::IsLineEndByte(chunk.back()) || joined.size() == bytes.size());
    }
  }
  FUZZ_CHECK(joined == bytes);
  return 0;
}
