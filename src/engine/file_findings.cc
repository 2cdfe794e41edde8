#include "engine/file_findings.h"

#include "common/byte_search.h"

namespace ondrel {
namespace {

// The line ends in [from, end): every CR, and every LF that no CR stands directly before;
// `afterCr` says whether one stands before `from`, and is left saying it for `end`.
std::uint64_t LineEnds(const char* from, const char* end, bool& afterCr) {
  std::uint64_t ends = 0;
  for (;;) {
    const char* found = FindFirstOf<'\r', '\n'>(from, end);
    if (found == end) break;
    if (*found == '\r' || !(found == from ? afterCr : found[-1] == '\r')) ++ends;
    from = found + 1;
    afterCr = *found == '\r';
    if (from == end) return ends;
  }
  if (from != end) afterCr = false;
  return ends;
}

}  // namespace

void FileFindings::BeginLines(std::string_view lines) {
  counted_ = lines.data();
  line_ = nextRunLine_;
  afterCr_ = nextRunAfterCr_;
  nextRunLine_ += LineEnds(lines.data(), lines.data() + lines.size(), nextRunAfterCr_);
}

void FileFindings::Found(std::string_view address) {
  line_ += LineEnds(counted_, address.data(), afterCr_);
  counted_ = address.data();
  auto place = distinct_.find(address);
  if (place == distinct_.end()) place = distinct_.emplace(address, Occurrence{line_, 0}).first;
  ++place->second.count;
}

}  // namespace ondrel
