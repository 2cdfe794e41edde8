// Address lists made up for tests that need many lines, in no particular order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ondrel::testing {

// `count` different addresses ("address<n>@x.org"), each followed by `end`, in an order
// that is neither sorted nor reversed.
inline std::string UnorderedAddresses(int count, std::string_view end) {
  std::string text;
  for (int i = count; i > 0; --i) {
    // 7919 is a prime that divides no count used, so the numbers are all different.
    text.append("address").append(std::to_string(std::int64_t{i} * 7919 % count)).append("@x.org");
    text.append(end);
  }
  return text;
}

}  // namespace ondrel::testing
