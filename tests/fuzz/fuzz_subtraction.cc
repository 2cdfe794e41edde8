// The subtraction: the output holds, in base order, every trimmed base line that equals no
// trimmed exclusion line, each ended with CR LF. The first byte says where the input splits
// into the exclusion list and the base list.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "lists/subtraction.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrel;
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = rest.size() * data[0] / 255;
  const std::string_view exclusion_bytes = rest.substr(0, split);
  const std::string_view base_bytes = rest.substr(split);

  const std::string& folder = fuzz::FuzzFolder();
  fuzz::WriteFile(folder + "base.txt", base_bytes);
  fuzz::WriteFile(folder + "exclusion.txt", exclusion_bytes);
  const SubtractionResult result =
      SubtractLists(folder + "base.txt", folder + "exclusion.txt", folder + "MailNew.txt");
  FUZZ_CHECK(result.completed);

  std::set<std::string> excluded;
  const std::vector<std::string> exclusion_lines = fuzz::ReferenceLines(exclusion_bytes);
  for (const std::string& line : exclusion_lines) excluded.insert(fuzz::ReferenceTrim(line));
  std::string expected;
  std::int64_t expected_written = 0;
  const std::vector<std::string> base_lines = fuzz::ReferenceLines(base_bytes);
  for (const std::string& line : base_lines) {
    const std::string trimmed = fuzz::ReferenceTrim(line);
    if (excluded.count(trimmed) != 0) continue;
    expected += trimmed + "\r\n";
    ++expected_written;
  }
  FUZZ_CHECK(fuzz::ReadFile(folder + "MailNew.txt") == expected);
  FUZZ_CHECK(result.baseLinesRead == static_cast<std::int64_t>(base_lines.size()));
  FUZZ_CHECK(result.exclusionLines == static_cast<std::int64_t>(exclusion_lines.size()));
  FUZZ_CHECK(result.linesWritten == expected_written);
  FUZZ_CHECK(fuzz::ReadFile(folder + "base.txt") == base_bytes);
  FUZZ_CHECK(fuzz::ReadFile(folder + "exclusion.txt") == exclusion_bytes);
  return 0;
}
