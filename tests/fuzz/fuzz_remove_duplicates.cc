// Duplicate elimination of any list: the list is rewritten sorted by byte value, every line
// once, "*" left out, every other line of the input kept, and the counters add up.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "lists/remove_duplicates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string list = fuzz::FuzzFolder() + "list.txt";
  fuzz::WriteFile(list, bytes);

  fuzz::SilentWindowSystem windows;
  std::int64_t total_lines = -1, duplicates_removed = 0;
  const EliminationResult result = RemoveDuplicates(list, total_lines, duplicates_removed, windows);

  const std::vector<std::string> input = fuzz::ReferenceLines(bytes);
  const std::set<std::string> distinct(input.begin(), input.end());
  FUZZ_CHECK(total_lines == static_cast<std::int64_t>(input.size()));
  if (input.empty()) {
    FUZZ_CHECK(result.outcome == EliminationOutcome::kNoList);
    FUZZ_CHECK(fuzz::ReadFile(list) == bytes);
    return 0;
  }
  FUZZ_CHECK(result.outcome == EliminationOutcome::kCompleted);
  FUZZ_CHECK(duplicates_removed == static_cast<std::int32_t>(input.size() - distinct.size()));

  std::vector<std::string> written;
  FUZZ_CHECK(fuzz::SplitWrittenList(fuzz::ReadFile(list), written));
  FUZZ_CHECK(result.linesWritten == static_cast<std::int64_t>(written.size()));
  FUZZ_CHECK(std::adjacent_find(written.begin(), written.end(),
                                [](const std::string& a, const std::string& b) {
                                  return !(a < b);
                                }) == written.end());
  std::set<std::string> expected = distinct;
  expected.erase("*");
  FUZZ_CHECK(std::equal(written.begin(), written.end(), expected.begin(), expected.end()));
  return 0;
}
