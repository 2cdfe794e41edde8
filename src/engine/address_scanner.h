// Finding the addresses of runs of text lines: exactly what cutting every line into tokens at
// spaces and isolating each token that holds "@" gives, touching only the lines with an "@".
#pragma once

#include <cstdint>
#include <string_view>

namespace ondrel {

// Receives the addresses a scan finds, in the order they stand.
class AddressSink {
 public:
  // Told of each run of lines before its addresses are found, and when they all have been,
  // for a sink that numbers lines; `lines` stays valid until EndLines returns.
  virtual void BeginLines(std::string_view /*lines*/) {}
  virtual void EndLines() {}
  // `address` is valid only during the call; it is a view into the last run of lines.
  virtual void Found(std::string_view address) = 0;

 protected:
  ~AddressSink() = default;
};

// Hands `sink` every address of `lines`: whole lines with their ends, as
// TextFileReader::NextLines gives them (the last may lack its end). The tokens of a line are
// its pieces between spaces, as the tests' literal SplitText cuts them with a space as
// delimiter, trim and collapse; each token that holds "@" is isolated with the kind
// `fileKind` holds at that moment (the sink may yield to the window system, where the user can
// change it), and a result that is not empty once trimmed is found.
void ScanLines(std::string_view lines, const std::int16_t& fileKind, AddressSink& sink);

}  // namespace ondrel
