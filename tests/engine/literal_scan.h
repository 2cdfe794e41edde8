// The scanning routine written out line by line: every line cut into tokens by SplitText,
// every token that holds "@" isolated. Kept only as the literal reference the differential
// tests compare the fast scanner against; not used by the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/literal_lines.h"
#include "common/paths.h"
#include "common/read_buffer.h"
#include "common/split_text.h"
#include "common/text_reader.h"
#include "engine/address_isolation.h"

namespace ondrel::testing {

// Appends the addresses of `line` (without its line end) to `found`.
inline void LiteralLineAddresses(std::string_view line, std::int16_t kind,
                                 std::vector<std::string>& found) {
  std::vector<std::string> tokens;
  SplitText(tokens, line, " ", -1, 0, -1);
  for (const std::string& token : tokens) {
    const auto at = token.find('@');
    if (at == std::string::npos) continue;
    const std::string_view address = TrimSpaces(IsolateAddress(token, at, kind));
    if (!address.empty()) found.emplace_back(address);
  }
}

// The addresses of the file at `path`, read line by line.
inline std::vector<std::string> LiteralAddresses(const std::string& path, std::int16_t kind) {
  std::vector<std::string> found;
  for (const std::string& line : LiteralLinesOf(path)) LiteralLineAddresses(line, kind, found);
  return found;
}

}  // namespace ondrel::testing
