// The scanner's fast path finds exactly the addresses of the documented routine (every line
// split at spaces, every token with "@" isolated) for all three kinds, on whole runs of lines
// and through the line reader at any block size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/read_buffer.h"
#include "common/text_reader.h"
#include "engine/address_scanner.h"
#include "engine/literal_scan.h"
#include "fuzz_files.h"

namespace {

struct Collector : ondrel::AddressSink {
  void Found(std::string_view address) override { addresses.emplace_back(address); }
  std::vector<std::string> addresses;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrel;
  if (size < 2) return 0;
  const auto kind = static_cast<std::int16_t>(data[0] % 3);
  const std::size_t block = 1 + data[1] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  static fuzz::MemoryFile memory_file;
  const std::string path = memory_file.Holding(bytes);
  const std::vector<std::string> literal = testing::LiteralAddresses(path, kind);

  Collector whole;
  ScanLines(bytes, kind, whole);
  FUZZ_CHECK(whole.addresses == literal);

  Collector by_blocks;
  ReadBuffer buffer(block);
  TextFileReader reader(path, buffer);
  std::string_view lines;
  while (reader.NextLines(lines)) ScanLines(lines, kind, by_blocks);
  FUZZ_CHECK(by_blocks.addresses == literal);
  return 0;
}
