#include "common/split_text.h"

#include <algorithm>

#include "common/checked_int.h"
#include "common/paths.h"

namespace ondrel {

std::int32_t SplitText(std::vector<std::string>& tokens, std::string_view text,
                       std::string_view delimiter, std::int16_t trim, std::int32_t minimumSize,
                       std::int16_t collapse) {
  std::string_view working = text;
  if (!working.empty() && working.back() == ';') working.remove_suffix(1);

  // 0-based positions of the recorded delimiters.
  std::vector<std::size_t> positions;
  positions.reserve(100);
  if (!delimiter.empty()) {
    std::size_t start = 0;
    for (auto p = working.find(delimiter, start); p != std::string_view::npos;
         p = working.find(delimiter, start)) {
      if (collapse == 0 || p > start) positions.push_back(p);
      start = p + 1;
    }
  }
  const std::int32_t n = CheckedNarrow<std::int32_t>(static_cast<std::int64_t>(positions.size()));

  tokens.assign(static_cast<std::size_t>(std::max(minimumSize, CheckedAdd(n, 1))), std::string());
  if (n >= 1) {
    std::size_t from = 0;
    for (std::int32_t k = 0; k <= n; ++k) {
      const std::size_t to = k < n ? positions[k] : working.size();
      std::string_view piece = working.substr(from, to - from);
      if (trim != 0) piece = TrimSpaces(piece);
      tokens[k] = piece;
      from = to + 1;
    }
  } else if (!working.empty()) {
    tokens[0] = working;
  }
  return n + 1;
}

}  // namespace ondrel
