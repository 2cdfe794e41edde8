#include "engine/file_findings.h"

#include "common/text_lines.h"

namespace ondrel {
void FileFindings::BeginLines(std::string_view lines) {
  counted_ = lines.data();
  runEnd_ = lines.data() + lines.size();
}

void FileFindings::Found(std::string_view address) {
  line_ += CountLineEnds(counted_, address.data(), afterCr_);
  counted_ = address.data();
  auto place = distinct_.find(address);
  if (place == distinct_.end()) place = distinct_.emplace(address, Occurrence{line_, 0}).first;
  ++place->second.count;
}

void FileFindings::EndLines() {
  line_ += CountLineEnds(counted_, runEnd_, afterCr_);
}

}  // namespace ondrel
