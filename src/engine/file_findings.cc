#include "engine/file_findings.h"

#include "common/byte_search.h"

namespace ondrel {
namespace {

// The line ends in [from, end): every CR, and every LF that no CR stands directly before;
// `afterCr` says whether one stands before `from`, and is left saying it for `end`. Counted
// eight bytes at a time.
std::uint64_t LineEnds(const char* from, const char* end, bool& afterCr) {
  using byte_search_detail::Matches;
  std::uint64_t ends = 0;
  for (; end - from >= 8; from += 8) {
    // One flag per byte, in its high bit: a CR's flag moved by a byte lands on the next byte.
    const std::uint64_t crs = Matches<'\r'>(from);
    const std::uint64_t lfs = Matches<'\n'>(from);
    const std::uint64_t lfsAfterCr = lfs & ((crs << 8) | (afterCr ? 0x80 : 0));
    // Each byte of the sum is 0 or 1; the product adds them all up in its top byte.
    const std::uint64_t perByte = (crs >> 7) + ((lfs & ~lfsAfterCr) >> 7);
    ends += (perByte * 0x0101010101010101) >> 56;
    afterCr = (crs >> 63) != 0;
  }
  for (; from < end; ++from) {
    if (*from == '\r' || (*from == '\n' && !afterCr)) ++ends;
    afterCr = *from == '\r';
  }
  return ends;
}

}  // namespace

void FileFindings::BeginLines(std::string_view lines) {
  counted_ = lines.data();
  runEnd_ = lines.data() + lines.size();
}

void FileFindings::Found(std::string_view address) {
  line_ += LineEnds(counted_, address.data(), afterCr_);
  counted_ = address.data();
  auto place = distinct_.find(address);
  if (place == distinct_.end()) place = distinct_.emplace(address, Occurrence{line_, 0}).first;
  ++place->second.count;
}

void FileFindings::EndLines() {
  line_ += LineEnds(counted_, runEnd_, afterCr_);
}

}  // namespace ondrel
