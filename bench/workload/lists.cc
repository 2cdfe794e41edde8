#include "workload/lists.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "workload/output_file.h"
#include "workload/random.h"
#include "workload/text_pieces.h"

namespace ondrel::bench {
namespace {

void WriteIds(const std::string& path, const std::vector<std::uint32_t>& ids) {
  OutputFile file(path);
  std::string buffer;
  for (const std::uint32_t id : ids) {
    AppendAddressOfId(buffer, id);
    buffer += "\r\n";
    if (buffer.size() >= (std::size_t{1} << 20)) {
      file.Write(buffer);
      buffer.clear();
    }
  }
  file.Write(buffer);
}

std::vector<std::uint32_t> RandomIds(Random& random, std::uint32_t count, std::uint32_t bound) {
  std::vector<std::uint32_t> ids(count);
  for (std::uint32_t& id : ids) id = static_cast<std::uint32_t>(random.Below(bound));
  return ids;
}

}  // namespace

void WriteDuplicateList(const std::string& path, std::uint32_t line_count) {
  Random random(3);
  const std::uint32_t distinct = static_cast<std::uint32_t>(std::uint64_t{line_count} * 4 / 5);
  std::vector<std::uint32_t> ids(line_count);
  for (std::uint32_t i = 0; i < line_count; ++i) {
    ids[i] = i < distinct ? i : static_cast<std::uint32_t>(random.Below(distinct));
  }
  for (std::uint32_t i = line_count; i > 1; --i) {
    std::swap(ids[i - 1], ids[random.Below(i)]);
  }
  WriteIds(path, ids);
}

void WriteSubtractionLists(const std::string& base_path, std::uint32_t base_lines,
                           const std::string& exclusion_path, std::uint32_t exclusion_lines) {
  Random random(4);
  // Base ids fill the lower half of the range the exclusion ids are drawn from.
  const auto range =
      static_cast<std::uint32_t>(std::max<std::uint64_t>(2, std::uint64_t{base_lines} * 8 / 5));
  WriteIds(base_path, RandomIds(random, base_lines, range / 2));
  WriteIds(exclusion_path, RandomIds(random, exclusion_lines, range));
}

}  // namespace ondrel::bench
