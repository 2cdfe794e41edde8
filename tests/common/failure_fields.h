// A result's optional failure as plain values, to compare, print or hand out of a child.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/failure.h"

namespace ondrel::testing {

// The failure's number; 0 when there is none.
inline std::int32_t NumberOf(const std::optional<Failure>& failure) {
  return failure ? failure->Number() : 0;
}

// The failure's description; empty when there is none.
inline std::string DescriptionOf(const std::optional<Failure>& failure) {
  return failure ? failure->Description() : std::string();
}

}  // namespace ondrel::testing
