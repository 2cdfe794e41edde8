#include "common/file_search.h"

#include "common/system_files.h"

namespace ondrel {

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::int16_t SystemFiles::TestPath(const std::string& path) {
  switch (SearchEntry(path, SearchTarget::kAnyEntry)) {
    case SearchResult::kFound:
      return kPathFound;
    case SearchResult::kNotFound:
      return kPathNotFound;
    case SearchResult::kFailed:
      break;
  }
  return kPathSearchFailed;
}

bool SystemFiles::FindPlainFile(const std::string& path) {
  return SearchEntry(path, SearchTarget::kPlainFile) == SearchResult::kFound;
}

}  // namespace ondrel
