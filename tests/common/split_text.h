// Cutting a text into tokens at a delimiter, step by step. Kept only as the literal reference
// the differential tests compare the fast scanner against (see engine/literal_scan.h); not
// used by the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel {

// Replaces `tokens` with the pieces of `text` between occurrences of `delimiter` (tokens[0]
// is the first piece). One ";" at the end of `text` is dropped first. With `collapse`, a
// delimiter right at the start of the scan is not recorded, so runs count as one; with
// `trim`, pieces are trimmed of spaces when a delimiter was recorded. The list has at least
// max(minimumSize, pieces) entries. Returns the number of recorded delimiters plus 1.
std::int32_t SplitText(std::vector<std::string>& tokens, std::string_view text,
                       std::string_view delimiter, std::int16_t trim, std::int32_t minimumSize,
                       std::int16_t collapse);

}  // namespace ondrel
