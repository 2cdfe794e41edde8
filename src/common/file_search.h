// The answers of an existence test by directory search (FileSystem::TestPath), and how a
// search's wildcards match.
#pragma once

#include <cstdint>
#include <string_view>

namespace ondrel {

enum TestPathStatus : std::int16_t {
  kPathFound = 0,
  kPathNotFound = 1,
  kPathSearchFailed = 2,
};

// Whether `name` matches `pattern`, where "*" stands for any run and "?" for one byte.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace ondrel
